#include "shell/edit_commands.h"

#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace shell {
namespace {

// The command's event macro runs first and may change the selection the command then uses.
void bindWithMacro(FrmMain& window, const char* name, Hook macro,
                   void (platform::EditControl::*command)()) {
  window.commands().bind(QString::fromUtf8(name), [&window, macro, command] {
    window.hooks().run(macro);
    (window.txtMain().*command)();
    window.focusEditor();
  });
}

}  // namespace

void InstallEditCommands(FrmMain& window) {
  Commands& c = window.commands();
  platform::EditControl& editor = window.txtMain();
  c.bind("mnuUndo", [&editor] { editor.undo(); });
  c.bind("mnuRedo", [&editor] { editor.redo(); });
  bindWithMacro(window, "mnuCut", Hook::CutMacro, &platform::EditControl::cut);
  bindWithMacro(window, "mnuCopy", Hook::CopyMacro, &platform::EditControl::copy);
  bindWithMacro(window, "mnuPaste", Hook::PasteMacro, &platform::EditControl::paste);
  c.bind("mnuDelete", [&window, &editor] {
    window.hooks().run(Hook::DeleteMacro);
    editor.setSelectedText(QString());
    window.focusEditor();
  });
  c.bind("mnuSelectAll",
         [&editor] { editor.executeCommand(platform::EditCommand::SelectAll); });
}

}  // namespace shell
