// The result window "HTML Статистика": the lines the HTML lists produce, a command box that
// acts on the selected line, and a pop-up menu that copies, saves or exports lines.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

class QComboBox;
class QListWidget;
class QMenu;

namespace html {

// What the window does outside itself; the owner supplies it.
struct ConsoleHost {
  std::function<void(const QString& path)> openFile;     // "openfile"
  std::function<void(const QString& target)> execFile;   // "execfile": the desktop's "open"
  std::function<void(const QString& text)> exportText;   // into the editor at its selection
  std::function<void(const QString& text)> copy;         // to the clipboard
  std::function<QString()> askSavePath;                  // "" when the user cancels
  std::function<void()> closed;                          // after the window closed
};

class FrmConsole : public QWidget {
  Q_OBJECT
 public:
  explicit FrmConsole(ConsoleHost host, QWidget* parent = nullptr);

  void addLines(const QStringList& lines);
  void clearLines();
  QStringList lines() const;

  // The word before the first space, compared exactly: "openfile", "execfile" and
  // "fileexists" (which does nothing); anything else is ignored.
  void RunConsoleCommand(const QString& command);
  // The selected lines in list order, each followed by CR LF.
  QString selectedLinesText() const;
  // The text of the selected line the commands act on; "" when none is selected.
  QString selectedLine() const;

  void copyCurrent();
  void selectAll();
  void saveToFile();
  void exportToEditor();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ConsoleHost m_host;
  QListWidget* m_list = nullptr;
  QComboBox* m_command = nullptr;
  QMenu* m_menu = nullptr;
};

}  // namespace html
