// Everything that asks the user something: message boxes, the input box and the common
// dialogs. QtUi is the real one; tests answer through a scripted stand-in.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QDialog;
class QPrinter;

namespace platform {

// YesNoDefaultNo: a question whose safe answer is No, which Enter then gives.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
enum class MsgIcon { None, Information, Question, Warning, Error };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// A file dialog. `filter` is description|patterns pairs separated by "|" (patterns by ";");
// `filterIndex` is 1-based (0 counts as 1).
struct FileRequest {
  QString filter;
  QString title;
  QString initialDir;
  int filterIndex = 1;
};

// The outcome of a file dialog: `path` is "" when the user cancelled; `filterIndex` is the
// file type shown last either way.
struct FileChoice {
  QString path;
  int filterIndex = 1;
};

class Ui {
 public:
  virtual ~Ui() = default;
  virtual MsgAnswer message(const QString& text, const QString& title, MsgButtons buttons,
                            MsgIcon icon) = 0;
  // A question answered by one of several named buttons ("&Восстановить", "&Удалить"...):
  // the index of the button pressed, or nullopt when the user closed the box with Escape.
  // The first button is the default (Enter).
  virtual std::optional<int> choose(const QString& text, const QString& title,
                                    const QStringList& buttons, MsgIcon icon) = 0;
  // nullopt when the user cancels.
  virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                          const QString& defaultText) = 0;
  virtual FileChoice openFile(const FileRequest& request) = 0;
  // Asks before overwriting an existing file.
  virtual FileChoice saveFile(const FileRequest& request) = 0;
  virtual std::optional<QString> folder(const QString& title, const QString& initialDir) = 0;
  virtual std::optional<QColor> colour(const QColor& initial) = 0;
  virtual std::optional<QFont> font(const QFont& initial) = 0;
  // Lets the user pick and set up a printer; false when cancelled.
  virtual bool choosePrinter(QPrinter& printer) = 0;
  // Shows one of the program's own windows modally; returns its result code.
  virtual int runModal(QDialog& dialog) = 0;
};

// The platform's name filter for a "|"-separated filter text, one entry per pair.
QStringList NameFilters(const QString& filter);

}  // namespace platform
