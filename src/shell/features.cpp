#include "shell/features.h"

#include "editor/editor_events.h"
#include "shell/edit_commands.h"
#include "shell/frm_about.h"
#include "shell/frm_main.h"
#include "shell/shutdown.h"
#include "shell/view_commands.h"
#include "text/calc_commands.h"
#include "text/case_commands.h"
#include "text/line_commands.h"
#include "text/stat_commands.h"

namespace shell {

void InstallFeatures(FrmMain& window) {
  window.setShutdown([&window] { return RunShutdown(window); });
  InstallViewCommands(window);
  InstallEditCommands(window);
  InstallAbout(window);
  editor::InstallEditorEvents(window);
  text::InstallCaseCommands(window);
  text::InstallCalcCommands(window);
  text::InstallLineCommands(window);
  text::InstallStatCommands(window);
}

}  // namespace shell
