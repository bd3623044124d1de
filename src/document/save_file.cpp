#include "document/save_file.h"

#include "document/file_dialogs.h"
#include "document/file_paths.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace document {

bool SaveToFile(shell::FrmMain& window, const QString& path) {
  shell::AppContext& ctx = window.context();
  if (window.txtMain().saveFile(path)) {
    ctx.ui.message(QStringLiteral("Невозможно сохранить файл ") + "\n" + path,
                   QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                   platform::MsgIcon::Error);
    return false;
  }
  window.document().setDirty(false);
  window.document().setPath(path);
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
  return SaveOrAsk(window, QStringLiteral("Сохранение"));
}

}  // namespace document
