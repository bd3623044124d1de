#include "shell/features.h"

#include "automation/code_library_panel.h"
#include "automation/frm_batch.h"
#include "automation/macro_runner.h"
#include "automation/plugins.h"
#include "automation/programs.h"
#include "automation/snippets_panel.h"
#include "automation/stemplates.h"
#include "automation/templates.h"
#include "crypto/crypt_command.h"
#include "document/disk_check.h"
#include "document/file_commands.h"
#include "document/file_drop.h"
#include "document/open_file.h"
#include "document/recent_files.h"
#include "document/recovery.h"
#include "document/save_timers.h"
#include "editor/auto_change.h"
#include "editor/auto_complete.h"
#include "editor/column_selection.h"
#include "editor/editor_events.h"
#include "editor/key_dispatch.h"
#include "editor/selection_events.h"
#include "highlight/highlighter.h"
#include "hotkeys/hot_keys.h"
#include "html/html_list_commands.h"
#include "html/html_preview.h"
#include "html/html_tag_commands.h"
#include "html/html_text_commands.h"
#include "languages/languages.h"
#include "navigation/bookmarks.h"
#include "navigation/local_bookmarks.h"
#include "navigation/frm_multi_replace.h"
#include "navigation/search_commands.h"
#include "shell/edit_commands.h"
#include "shell/frm_about.h"
#include "shell/frm_main.h"
#include "shell/main_commands.h"
#include "shell/shutdown.h"
#include "shell/view_commands.h"
#include "text/calc_commands.h"
#include "text/case_commands.h"
#include "text/line_commands.h"
#include "text/code_page_commands.h"
#include "text/stat_commands.h"
#include "settings/frm_settings.h"

namespace shell {

void InstallFeatures(FrmMain& window) {
  window.setShutdown([&window] { return RunShutdown(window); });
  document::InstallRecentFiles(window);
  document::InstallFileCommands(window);
  document::InstallFileDrop(window, [&window](const QString& path) {
    document::LFile(window, path);
    window.focusEditor();
  });
  document::InstallDiskCheck(window);
  document::InstallSaveTimers(window);
  document::InstallRecovery(window);
  InstallViewCommands(window);
  InstallEditCommands(window);
  InstallAbout(window);
  InstallMainCommands(window);
  languages::InstallLanguages(window);
  InstallHelpCommands(window);
  editor::InstallEditorEvents(window);
  editor::InstallSelectionEvents(window);
  editor::InstallAutoComplete(window);
  editor::InstallAutoChange(window);
  editor::InstallKeyDispatch(window);
  editor::InstallColumnSelection(window);
  text::InstallCaseCommands(window);
  text::InstallCalcCommands(window);
  text::InstallLineCommands(window);
  text::InstallStatCommands(window);
  text::InstallCodePageCommands(window);
  navigation::InstallSearchCommands(window);
  navigation::InstallBookmarks(window);
  navigation::InstallLocalBookmarks(window);
  navigation::InstallMultiReplace(window);
  automation::InstallMacros(window);
  automation::InstallTemplates(window);
  automation::InstallSpecialTemplates(window);
  automation::InstallSnippets(window);
  automation::InstallCodeLibrary(window);
  automation::InstallPrograms(window);
  automation::InstallBatch(window);
  automation::InstallPlugins(window);
  highlight::InstallHighLight(window);
  hotkeys::InstallHotKeys(window);
  html::InstallHtmlTextCommands(window);
  html::InstallHtmlTagCommands(window);
  html::InstallHtmlListCommands(window);
  html::InstallHtmlPreview(window);
  crypto::InstallCryptCommand(window);
  settings::InstallSettings(window);
}

}  // namespace shell
