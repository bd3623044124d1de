#include "document/disk_check.h"

#include <QEvent>
#include <QFile>
#include <QTimer>

#include "document/open_file.h"
#include "document/save_file.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace document {
namespace {

// Whether the file on disk holds what the document would be saved as. A document shown in
// another code page is compared as the bytes it would write, so a text nobody changed is not
// taken for a changed one; otherwise the file is read the way opening reads it.
std::optional<bool> fileMatchesDocument(shell::FrmMain& window) {
  const QString& path = window.document().path();
  if (const std::optional<QByteArray> converted = ConvertedBytesToSave(window)) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll() == *converted;
  }
  const auto onDisk = platform::TextFile::read(path);
  if (!onDisk) return std::nullopt;
  return onDisk->text == window.txtMain().text();
}

// Checks once the window system has finished activating the main window, so
// the question never comes in the middle of the activation.
class ActivationWatcher : public QObject {
 public:
  explicit ActivationWatcher(shell::FrmMain& window) : QObject(&window), m_window(window) {
    window.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate)
      QTimer::singleShot(0, this, [this] { CheckDiskChange(m_window); });
    return false;
  }

 private:
  shell::FrmMain& m_window;
};

}  // namespace

void CheckDiskChange(shell::FrmMain& window) {
  static bool asking = false;  // the question itself moves the focus away and back
  Document& doc = window.document();
  if (asking || !window.context().settings.flag(platform::Setting::WarnIfChanged)) return;
  if (doc.isUntitled() || !doc.diskChangedSinceRemembered()) return;
  doc.rememberDiskState();
  const std::optional<bool> same = fileMatchesDocument(window);
  if (!same || *same) return;
  asking = true;
  const auto answer = window.context().ui.message(
      QStringLiteral("Документ был изменен другой программой.\nХотите его обновить"),
      QString::fromUtf8(shell::kProgramName) + " " + shell::kVersion, platform::MsgButtons::YesNo,
      platform::MsgIcon::Question);
  asking = false;
  if (answer == platform::MsgAnswer::Yes) ReloadDocument(window);
}

void InstallDiskCheck(shell::FrmMain& window) {
  // Coming back from another program, a dialog or a tool window activates the main window;
  // the editor getting the focus inside the window covers the rest.
  new ActivationWatcher(window);
  QObject::connect(&window.txtMain(), &platform::EditControl::gotFocus, &window,
                   [&window] { CheckDiskChange(window); });
}

}  // namespace document
