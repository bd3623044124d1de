#include "document/save_file.h"

#include <QLabel>

#include "document/file_dialogs.h"
#include "document/file_paths.h"
#include "document/open_file.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/version.h"
#include "text/code_page.h"

namespace document {
namespace {

// A text converted into a code page is single bytes in the document's own line-end style.
platform::TextFormat convertedFormat(shell::FrmMain& window) {
  platform::TextFormat format = window.txtMain().fileFormat();
  format.encoding = platform::Encoding::Windows1251;
  format.bom = false;
  return format;
}

// Writes the text; a converted text is single-byte and goes out byte for byte, while the
// editor keeps showing the text the user sees (it is never swapped for the converted one, so
// a failed write cannot leave garbled text behind).
std::optional<QString> write(shell::FrmMain& window, const QString& path) {
  const std::optional<QByteArray> converted = ConvertedBytesToSave(window);
  if (!converted) return window.txtMain().saveFile(path);
  QString error;
  if (!platform::TextFile::writeBytes(path, *converted, &error)) return error;
  return std::nullopt;
}

// A file that was not read byte for byte (mixed line ends, bad bytes) would change where
// nobody edited it: the first save over it asks once. Another name is a new file: no question.
bool agreesToChangeBytes(shell::FrmMain& window, const QString& path, SaveBy by) {
  Document& doc = window.document();
  if (path != doc.path() || doc.fidelity().exact() || doc.changeAgreed()) return true;
  // A timer has nobody to ask (a key pressed while typing could answer the box): the file
  // stays as it is until a save by hand asks.
  if (by == SaveBy::Timer) {
    window.statusText().setText(
        QStringLiteral("Автосохранение пропущено: файл прочитан не байт в байт (%1)")
            .arg(doc.fidelity().describe()));
    return false;
  }
  const auto answer = window.context().ui.message(
      QStringLiteral("Файл «%1» прочитан не байт в байт: %2. При сохранении эти места будут "
                     "записаны заново и изменятся.\nСохранить?")
          .arg(doc.fileName(), doc.fidelity().describe()),
      QStringLiteral("Сохранение"), platform::MsgButtons::YesNo, platform::MsgIcon::Warning);
  if (answer != platform::MsgAnswer::Yes) return false;
  doc.agreeToChange();
  return true;
}

}  // namespace

int SaveCodePage(shell::FrmMain& window) {
  const auto& s = window.context().settings;
  int code = 1;
  switch (s.number(platform::Setting::SaveCodir)) {
    case 0: code = window.document().CurCodir(); break;
    case 1: code = s.number(platform::Setting::SaveInCodir, 1); break;
    default: break;
  }
  return code >= 1 && code <= text::kCodePageCount ? code : 1;
}

std::optional<QByteArray> ConvertedBytesToSave(shell::FrmMain& window) {
  const int target = SaveCodePage(window);
  if (target == 1) return std::nullopt;
  const QByteArray utf8 = text::ConvertCodePage(window.txtMain().text(), 1, target).toUtf8();
  const platform::TextFormat format =
      platform::TextFile::formatForWriting(utf8, convertedFormat(window));
  QByteArray bytes;
  platform::TextFile::encodeFromUtf8(utf8, format,
                                     [&bytes](QByteArrayView piece) { bytes.append(piece); });
  return bytes;
}

bool SaveToFile(shell::FrmMain& window, const QString& path, SaveBy by) {
  shell::AppContext& ctx = window.context();
  Document& doc = window.document();
  // Only part of the file is in the editor: writing it back would cut the file short.
  if (doc.isPartial() && path == doc.path()) {
    ctx.ui.message(QStringLiteral("Невозможно сохранить файл ") + "\n" + path + "\n\n" +
                       PartialMessage(doc.partial()),
                   QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                   platform::MsgIcon::Error);
    return false;
  }
  if (!agreesToChangeBytes(window, path, by)) return false;
  window.hooks().run(shell::PathHook::MacroMenuOnSave, path);
  window.hooks().run(shell::Hook::SaveMacro);
  // Asked after the save macro, which may change the text that is written.
  const SaveEncodingScene scene{doc, window.txtMain(), window.statusText(), ctx.ui,
                                SaveCodePage(window)};
  const SaveEncodingPlan encoding = PlanSaveEncoding(scene, by);
  if (encoding.kind == SaveEncodingPlan::Kind::Cancelled ||
      encoding.kind == SaveEncodingPlan::Kind::Skipped)
    return false;
  if (write(window, path)) {
    ctx.ui.message(QStringLiteral("Невозможно сохранить файл ") + "\n" + path,
                   QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                   platform::MsgIcon::Error);
    return false;
  }
  // The text now is the whole of the file it was saved to; the user's answer about the
  // encoding still holds for this document.
  const bool keepsWindows1251 = doc.keepsWindows1251();
  ForgetHowItWasRead(window);
  doc.setKeepsWindows1251(keepsWindows1251);
  doc.setDirty(false);
  doc.setPath(path);
  doc.rememberDiskState();
  window.focusEditor();
  FinishSaveEncoding(scene, encoding);
  return true;
}

bool SaveOrAsk(shell::FrmMain& window, const QString& title) {
  if (!window.document().isUntitled()) return SaveToFile(window, window.document().path());
  shell::AppContext& ctx = window.context();
  const QString name = AskSaveFileName(ctx, title, LastDir(ctx));
  if (name.isEmpty()) return false;
  if (!SaveToFile(window, name)) return false;
  ctx.settings.set(platform::Setting::LastDir, FileFolder(name));
  return true;
}

bool SaveCommand(shell::FrmMain& window) {
  if (!window.document().Dirty()) return true;
  platform::EditControl& editor = window.txtMain();
  const platform::SelRange selection = editor.selection();
  const bool saved = SaveOrAsk(window, QStringLiteral("Сохранение"));
  editor.setSelection(selection, false);
  window.focusEditor();
  return saved;
}

}  // namespace document
