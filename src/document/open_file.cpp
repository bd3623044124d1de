#include "document/open_file.h"

#include <QCoreApplication>

#include "document/file_paths.h"
#include "document/recent_files.h"
#include "document/save_file.h"
#include "platform/file_reader.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace document {

const QString kPartialMessage = QStringLiteral(
    "Файл изменился во время чтения, и прочитана только его часть. Документ открыт только для "
    "чтения; сохранить его можно лишь под другим именем («Сохранить как...»).");

const QString kBinaryQuestion = QStringLiteral(
    "Файл похож на двоичный: в нём есть нулевые байты. Он открыт только для чтения, чтобы ничего "
    "в нём не изменилось.\nРазрешить правку этого документа?");

namespace {

// The file becomes the document's text, in the file's own encoding.
std::optional<QString> loadText(shell::FrmMain& window, const QString& path) {
  platform::EditControl::ReadReport report;
  if (auto error = window.txtMain().openFile(path, &report)) return error;
  Document& doc = window.document();
  doc.setPartial(report.partial);
  doc.setFidelity(report.fidelity);
  // A binary file is looked at, not edited, unless the user says otherwise: a stray key would
  // change bytes nobody can see.
  window.txtMain().setReadOnly(report.partial || report.fidelity.binary);
  doc.setDirty(false);
  // A code page chosen for the previous text must not re-encode this one when it is saved.
  doc.setCurCodir(1);
  doc.setPath(path);
  doc.rememberDiskState();
  return std::nullopt;
}

// The load shared by both ways of opening; returns the control's error, if any.
std::optional<QString> load(shell::FrmMain& window, const QString& path) {
  if (auto error = loadText(window, path)) return error;
  shell::AppContext& ctx = window.context();
  ctx.settings.set(platform::Setting::LastDir, FileFolder(path));
  if (RecentFiles* recent = window.recentFiles()) recent->AddToRecent(path);
  if (ctx.settings.truth(platform::Setting::SynAutoDetect))
    window.hooks().run(shell::PathHook::HighLightForPath, path);
  // The macro menu follows the file that is open now, however it was opened.
  window.hooks().run(shell::PathHook::MacroMenuOnOpen, path);
  window.focusEditor();
  return std::nullopt;
}

// The program's own message, then the reason in the user's words.
void cannotOpen(shell::FrmMain& window, const QString& path, const QString& reason) {
  window.context().ui.message(
      QStringLiteral("Невозможно открыть файл ") + "\n" + path + "\n\n" + reason,
      QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok, platform::MsgIcon::Error);
}

}  // namespace

bool SavePreviousIfWanted(shell::FrmMain& window) {
  if (!window.document().Dirty()) return true;
  const auto answer = window.context().ui.message(
      QStringLiteral("Сохранить предыдущий документ перед открытием?"),
      QStringLiteral("Запрос на сохранение"), platform::MsgButtons::YesNoCancel,
      platform::MsgIcon::Question);
  if (answer == platform::MsgAnswer::Cancel) return false;
  // A save that fails or is cancelled keeps the user's text where it is.
  return answer == platform::MsgAnswer::No || SaveCommand(window);
}

bool LFile(shell::FrmMain& window, const QString& path) {
  if (path.isEmpty()) return false;
  shell::AppContext& ctx = window.context();
  // A folder, a pipe or a device is refused before anything else happens: no question about
  // the current document, no macro.
  if (const QString kind = platform::NotARegularFile(path); !kind.isEmpty()) {
    cannotOpen(window, path, kind);
    return false;
  }
  const bool modified = window.document().Dirty();
  if (!SavePreviousIfWanted(window)) return false;
  if (!modified) {
    window.hooks().run(shell::PathHook::AutoMacro, path);
    window.hooks().run(shell::Hook::OpenMacro);
  }
  QCoreApplication::processEvents();
  if (auto error = load(window, path)) {
    cannotOpen(window, path, *error);
    return false;
  }
  if (window.document().isPartial()) {
    ctx.ui.message(kPartialMessage + QStringLiteral("\n") + path,
                   QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                   platform::MsgIcon::Warning);
  } else if (window.document().fidelity().binary) {
    const auto answer = ctx.ui.message(kBinaryQuestion + QStringLiteral("\n") + path,
                                       QString::fromUtf8(shell::kProgramName),
                                       platform::MsgButtons::YesNo, platform::MsgIcon::Warning);
    if (answer == platform::MsgAnswer::Yes) {
      window.txtMain().setReadOnly(false);
      window.document().setPath(path);  // the status bar follows
    }
  }
  return true;
}

bool OpenFromCommandLine(shell::FrmMain& window, const QString& path) {
  return !load(window, path).has_value();
}

void ForgetHowItWasRead(shell::FrmMain& window) {
  window.document().setPartial(false);
  window.document().setFidelity({});
  window.txtMain().setReadOnly(false);
}

bool ReloadDocument(shell::FrmMain& window) {
  return !window.document().isUntitled() && !loadText(window, window.document().path());
}

}  // namespace document
