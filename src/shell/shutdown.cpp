#include "shell/shutdown.h"

#include "document/save_file.h"
#include "shell/frm_main.h"
#include "shell/window_placement.h"

namespace shell {

bool RunShutdown(FrmMain& window) {
  AppContext& ctx = window.context();
  if (window.document().Dirty()) {
    const auto answer = ctx.ui.message(QStringLiteral("Сохранить несохраненный документ?"),
                                       QStringLiteral("Запрос на сохранение"),
                                       platform::MsgButtons::YesNoCancel,
                                       platform::MsgIcon::Question);
    if (answer == platform::MsgAnswer::Cancel) return false;
    // A save that fails must not end the program: the text would be lost with it.
    if (answer == platform::MsgAnswer::Yes &&
        !document::SaveOrAsk(window, QStringLiteral("Сохранение документа")))
      return false;
  }
  // A new file never saved is no file to open at the next start.
  const document::Document& doc = window.document();
  if (ctx.settings.flag(platform::Setting::LoadLastOpened) && !doc.isUntitled() &&
      !doc.isNewFile())
    ctx.settings.set(platform::Setting::LastOpenedFile, doc.path());
  window.hooks().run(Hook::ExitMacro);
  if (!window.isMinimized()) StorePlacement(window, ctx.settings, "Main");
  return true;
}

}  // namespace shell
