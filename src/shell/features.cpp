#include "shell/features.h"

#include "editor/editor_events.h"
#include "shell/edit_commands.h"
#include "shell/frm_about.h"
#include "shell/frm_main.h"
#include "shell/shutdown.h"
#include "shell/view_commands.h"

namespace shell {

void InstallFeatures(FrmMain& window) {
  window.setShutdown([&window] { return RunShutdown(window); });
  InstallViewCommands(window);
  InstallEditCommands(window);
  InstallAbout(window);
  editor::InstallEditorEvents(window);
}

}  // namespace shell
