// "Форматирование текста": the three parameters of paragraph formatting, kept in the settings
// key, and the command that opens the window and formats the whole text on OK.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;

namespace shell {
class FrmMain;
}

namespace text {

struct FormatOptions {
  QString recSpace;  // leading spaces that mark a paragraph start, as typed
  QString indent;    // spaces before a paragraph's first line, as typed
  bool capitalise = false;
};

class FrmFormat : public QDialog {
  Q_OBJECT
 public:
  explicit FrmFormat(const FormatOptions& options, QWidget* parent = nullptr);
  FormatOptions options() const;

 Q_SIGNALS:
  // Each edit of a value, as it happens, so the caller can keep it at once.
  void recSpaceChanged(const QString& text);
  void indentChanged(const QString& text);
  void capitaliseClicked(bool on);

 private:
  QLineEdit* m_recSpace;
  QLineEdit* m_indent;
  QCheckBox* m_capitalise;
};

// Binds "&Форматирование".
void InstallFormatCommand(shell::FrmMain& window);

}  // namespace text
