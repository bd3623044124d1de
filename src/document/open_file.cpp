#include "document/open_file.h"

#include <QCoreApplication>

#include <QFileInfo>

#include "document/file_paths.h"
#include "document/piece_load.h"
#include "platform/piece_reader.h"
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

const QString kStoppedMessage = QStringLiteral(
    "Загрузка файла была остановлена, и открыта только его часть. Документ открыт только для "
    "чтения; сохранить его можно лишь под другим именем («Сохранить как...»).");

QString PartialMessage(Partial partial) {
  return partial == Partial::Shrunk ? kPartialMessage : kStoppedMessage;
}

const QString kBinaryQuestion = QStringLiteral(
    "Файл похож на двоичный: в нём есть нулевые байты. Он открыт только для чтения, чтобы ничего "
    "в нём не изменилось.\nРазрешить правку этого документа?");

namespace {

// What the open did besides reading the file, or failed with.
struct Loaded {
  std::optional<QString> error;
  bool unchanged = false;  // a load in pieces was stopped before any text came: nothing changed
};

// The file becomes the document's text, in the file's own encoding; a big one comes in pieces
// with the window alive.
Loaded loadText(shell::FrmMain& window, const QString& path) {
  platform::EditControl::ReadReport report;
  Partial partial = Partial::No;
  std::optional<QString> failedPart;  // a reading that failed half-way: told, the part kept
  if (QFileInfo(path).size() >= platform::kPieceLoadThreshold) {
    window.hooks().run(shell::PathHook::ColoursForLoad, path);
    const PieceLoadResult loaded = LoadInPieces(window, path);
    if (!loaded.replaced) return {loaded.error, !loaded.error};
    report = loaded.report;
    if (report.partial) partial = loaded.stopped ? Partial::Stopped : Partial::Shrunk;
    failedPart = loaded.error;
  } else {
    if (auto error = window.txtMain().openFile(path, &report)) return {error};
    if (report.partial) partial = Partial::Shrunk;
  }
  Document& doc = window.document();
  doc.setPartial(partial);
  doc.setFidelity(report.fidelity);
  // A binary file is looked at, not edited, unless the user says otherwise: a stray key would
  // change bytes nobody can see.
  window.txtMain().setReadOnly(report.partial || report.fidelity.binary);
  doc.setDirty(false);
  // A code page chosen for the previous text must not re-encode this one when it is saved.
  doc.setCurCodir(1);
  doc.setPath(path);
  doc.rememberDiskState();
  return {failedPart};
}

// What follows every way a file becomes the document, once its text is in: the folder, the
// colours and the macro menu follow the file that is open now.
void afterLoad(shell::FrmMain& window, const QString& path) {
  shell::AppContext& ctx = window.context();
  ctx.settings.set(platform::Setting::LastDir, FileFolder(path));
  if (ctx.settings.truth(platform::Setting::SynAutoDetect))
    window.hooks().run(shell::PathHook::HighLightForPath, path);
  window.hooks().run(shell::PathHook::MacroMenuOnOpen, path);
  window.focusEditor();
}

// The load shared by both ways of opening.
Loaded load(shell::FrmMain& window, const QString& path) {
  if (Loaded loaded = loadText(window, path); loaded.error || loaded.unchanged) return loaded;
  if (RecentFiles* recent = window.recentFiles()) recent->AddToRecent(path);
  afterLoad(window, path);
  return {};
}

// A path that names nothing yet, in a folder that exists: a file the first save can create.
// A dangling symbolic link is not one: writing would replace the link, not make its target.
bool namesNewFile(const QString& path) {
  const QFileInfo info(path);
  if (info.exists() || info.isSymLink() || info.fileName().isEmpty()) return false;
  return QFileInfo(info.absolutePath()).isDir();
}

}  // namespace

platform::TextFormat NewDocumentFormat(shell::FrmMain& window) {
  const bool windowsLineEnds = !window.context().settings.truth(platform::Setting::TextMode);
  return {platform::Encoding::Utf8, false,
          windowsLineEnds ? platform::LineEnd::CrLf : platform::LineEnd::Lf};
}

namespace {

// An empty document that carries the new file's name, written like any new document. It joins
// no recent list: there is no file to open there until it is saved.
void openNewFile(shell::FrmMain& window, const QString& path) {
  platform::EditControl& editor = window.txtMain();
  // As opening an empty file would: no undo back to a text opened before.
  editor.beginLoad(0);
  editor.endLoad(NewDocumentFormat(window), 0);
  ForgetHowItWasRead(window);
  Document& doc = window.document();
  doc.setDirty(false);
  doc.setCurCodir(1);
  doc.setNewFilePath(path);
  doc.rememberDiskState();
  afterLoad(window, path);
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

bool LFile(shell::FrmMain& window, const QString& wanted) {
  // Our own copy: the caller's string may live in a list the open rewrites (the recent files).
  const QString path = wanted;
  // One file at a time: another open while a big one comes in would pull the text from under it.
  // A load is under way before its first piece makes the editor loading: a file dropped then
  // would go in, and the big file's text and name would then be set over part of it.
  if (path.isEmpty() || window.txtMain().isLoading() || LoadUnderWay(window)) return false;
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
  const Loaded loaded = load(window, path);
  if (loaded.error) {
    cannotOpen(window, path, *loaded.error);
    return false;
  }
  if (loaded.unchanged) return false;
  if (window.document().partial() == Partial::Shrunk) {
    ctx.ui.message(kPartialMessage + QStringLiteral("\n") + path,
                   QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                   platform::MsgIcon::Warning);
  } else if (!window.document().isPartial() && window.document().fidelity().binary) {
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
  if (namesNewFile(path)) {
    openNewFile(window, path);
    return true;
  }
  const Loaded loaded = load(window, path);
  return !loaded.error && !loaded.unchanged;
}

void ForgetHowItWasRead(shell::FrmMain& window) {
  window.document().setPartial(false);
  window.document().setFidelity({});
  window.txtMain().setReadOnly(false);
}

bool ReloadDocument(shell::FrmMain& window) {
  if (window.document().isUntitled() || window.txtMain().isLoading()) return false;
  const QString path = window.document().path();
  const Loaded loaded = loadText(window, path);
  if (loaded.error || loaded.unchanged) return false;
  // The text is another one now: a program's result made from the old one must not replace it.
  window.hooks().run(shell::PathHook::MacroMenuOnOpen, path);
  return true;
}

}  // namespace document
