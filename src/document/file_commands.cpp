#include "document/file_commands.h"

#include <QDateTime>
#include <QFile>

#include "document/backup.h"
#include "document/file_dialogs.h"
#include "document/file_paths.h"
#include "document/open_file.h"
#include "document/save_file.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace document {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

}  // namespace

void BecomeUntitled(shell::FrmMain& window, const QString& text, bool modified) {
  platform::EditControl& editor = window.txtMain();
  ForgetHowItWasRead(window);
  editor.setText(text);
  editor.setFileFormat(NewDocumentFormat(window));
  window.document().setCurCodir(1);
  window.document().setPath(QString());
  window.document().setDirty(modified);
  // No file is at hand now, so no script file either.
  window.hooks().run(shell::PathHook::MacroMenuOnOpen, QString());
}

namespace {

void newDocument(shell::FrmMain& window) {
  if (window.document().Dirty()) {
    const auto answer = window.context().ui.message(
        QStringLiteral("Сохранить документ перед созданием нового"),
        QString::fromUtf8(shell::kProgramName), MsgButtons::YesNoCancel, MsgIcon::Question);
    if (answer == MsgAnswer::Cancel) return;
    if (answer == MsgAnswer::Yes && !SaveCommand(window)) return;
  }
  BecomeUntitled(window, QString(), false);
  window.focusEditor();
}

void open(shell::FrmMain& window) {
  shell::AppContext& ctx = window.context();
  const QString path = AskOpenFileName(ctx, QStringLiteral("Открытие документа"), LastDir(ctx));
  if (!path.isEmpty()) LFile(window, path);
  window.focusEditor();
}

void saveAs(shell::FrmMain& window, const QString& title, bool selectionOnly) {
  shell::AppContext& ctx = window.context();
  const QString name = AskSaveFileName(ctx, title, LastDir(ctx));
  if (name.isEmpty()) return;
  const bool saved = selectionOnly ? SaveSelectionToFile(window, name) : SaveToFile(window, name);
  if (saved) ctx.settings.set(platform::Setting::LastDir, FileFolder(name));
}

void saveBlockAs(shell::FrmMain& window) {
  if (window.txtMain().selectedText().isEmpty()) {
    const auto answer = window.context().ui.message(
        QStringLiteral("Выделения нет. Всё равно сохранить?"), QStringLiteral("Сохранение"),
        MsgButtons::YesNo, MsgIcon::Error);
    if (answer != MsgAnswer::Yes) return;
  }
  saveAs(window, QStringLiteral("Сохранение файла"), true);
}

void addFromFile(shell::FrmMain& window) {
  shell::AppContext& ctx = window.context();
  const QString path = AskOpenFileName(ctx, QStringLiteral("Добавление из файла"),
                                       ctx.paths.programDir());
  if (path.isEmpty()) return;
  QString error;
  const auto content = platform::TextFile::read(path, &error);
  if (!content) {
    ctx.ui.message(error, QString::fromUtf8(shell::kProgramName), MsgButtons::Ok, MsgIcon::Error);
    return;
  }
  platform::EditControl& editor = window.txtMain();
  editor.setText(AddedFromFile(editor.text(), path, content->text));
  window.focusEditor();
}

void addToFile(shell::FrmMain& window) {
  shell::AppContext& ctx = window.context();
  const QString path = AskSaveFileName(ctx, QStringLiteral("Добавление из файла"),
                                       ctx.paths.programDir());
  if (path.isEmpty()) return;
  const QString stamp = QDateTime::currentDateTime().toString("yyyy.MM.dd hh:mm:ss");
  const QString added = AppendedToFile(window.txtMain().text(), stamp);
  // The addition follows the file's own encoding and line ends, so the file stays readable.
  QFile existing(path);
  QByteArray old;
  if (existing.open(QIODevice::ReadOnly)) old = existing.read(1 << 20);
  platform::TextFormat format = platform::TextFile::detect(old);
  if (old.isEmpty()) format = platform::TextFormat{};
  QByteArray bytes;
  const QByteArray utf8 = added.toUtf8();
  const platform::TextFormat target = platform::TextFile::formatForWriting(utf8, format);
  platform::TextFile::encodeFromUtf8(utf8, {target.encoding, false, target.lineEnd},
                                     [&bytes](QByteArrayView piece) { bytes.append(piece); });
  QString error;
  if (!platform::TextFile::appendBytes(path, bytes, &error))
    ctx.ui.message(error, QString::fromUtf8(shell::kProgramName), MsgButtons::Ok, MsgIcon::Error);
}

void bindAll(shell::FrmMain& window) {
  shell::Commands& c = window.commands();
  shell::AppContext& ctx = window.context();
  c.bind("mnuNew", [&window] { newDocument(window); });
  c.bind("mnuOpen", [&window] { open(window); });
  c.bind("mnuSave", [&window] { SaveCommand(window); });
  c.bind("mnuSaveAs", [&window] { saveAs(window, QStringLiteral("Сохранение файла"), false); });
  c.bind("mnuSaveBlockAs", [&window] { saveBlockAs(window); });
  c.bind("mnuAddFromFile", [&window] { addFromFile(window); });
  c.bind("mnuAddToFile", [&window] { addToFile(window); });
  c.bind("mnuCreateBackup", [&window] {
    if (!window.document().isUntitled())
      SaveToFile(window, BackupPath(window.document().path()));
  });
  c.bind("mnuOpenBackUp", [&window] {
    if (!window.document().isUntitled()) LFile(window, BackupPath(window.document().path()));
  });
  c.bind("mnuOpenSelText", [&window, &ctx] { ctx.shell.open(window.txtMain().selectedText()); });
  c.bind("mnuCopyDocDir", [&window, &ctx] {
    const auto& doc = window.document();
    ctx.clipboard.setText(doc.isUntitled() ? QString::fromUtf8(shell::kUntitled) : doc.path());
    window.focusEditor();
  });
}

}  // namespace

bool SaveSelectionToFile(shell::FrmMain& window, const QString& path) {
  platform::EditControl& editor = window.txtMain();
  QString error;
  if (!platform::TextFile::write(path, editor.selectedText() + "\r\n", editor.fileFormat(),
                                 &error)) {
    window.context().ui.message(error, QString::fromUtf8(shell::kProgramName), MsgButtons::Ok,
                                MsgIcon::Error);
    return false;
  }
  window.document().setPath(path);
  window.document().setDirty(false);
  window.document().rememberDiskState();
  return true;
}

QString AddedFromFile(const QString& documentText, const QString& path, const QString& content) {
  return documentText + "\r\n---Added from: " + path + "---\r\n" + content + "\r\n" +
         QString(path.size() + 18, '-');
}

QString AppendedToFile(const QString& documentText, const QString& stamp) {
  return "---Added on: " + stamp + "---\r\n" + documentText + "\r\n" +
         QString(stamp.size() + 16, '-') + "\r\n";
}

void InstallFileCommands(shell::FrmMain& window) { bindAll(window); }

}  // namespace document
