#include "document/save_file.h"

#include "document/file_dialogs.h"
#include "document/file_paths.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/version.h"
#include "text/code_page.h"

namespace document {
namespace {

// The code page the text is written in: the document's own, the chosen one, or none.
int targetCodePage(shell::FrmMain& window) {
  const auto& s = window.context().settings;
  switch (s.number(platform::Setting::SaveCodir)) {
    case 0: return window.document().CurCodir();
    case 1: return s.number(platform::Setting::SaveInCodir, 1);
    default: return 1;
  }
}

// Writes the text; a converted text is single-byte and goes out byte for byte, while the
// editor keeps showing the text the user sees (it is never swapped for the converted one, so
// a failed write cannot leave garbled text behind).
std::optional<QString> write(shell::FrmMain& window, const QString& path) {
  platform::EditControl& editor = window.txtMain();
  const int target = targetCodePage(window);
  if (target == 1 || target < 1 || target > 5) return editor.saveFile(path);
  const QString converted = text::ConvertCodePage(editor.text(), 1, target);
  platform::TextFormat format = editor.fileFormat();
  format.encoding = platform::Encoding::Windows1251;
  format.bom = false;
  QString error;
  if (!platform::TextFile::write(path, converted, format, &error)) return error;
  return std::nullopt;
}

}  // namespace

bool SaveToFile(shell::FrmMain& window, const QString& path) {
  shell::AppContext& ctx = window.context();
  window.hooks().run(shell::PathHook::MacroMenuOnSave, path);
  window.hooks().run(shell::Hook::SaveMacro);
  if (write(window, path)) {
    ctx.ui.message(QStringLiteral("Невозможно сохранить файл ") + "\n" + path,
                   QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                   platform::MsgIcon::Error);
    return false;
  }
  window.document().setDirty(false);
  window.document().setPath(path);
  window.document().rememberDiskState();
  window.focusEditor();
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
