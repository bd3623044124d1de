#include "shell/startup.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <exception>

#include "document/open_file.h"
#include "platform/edit_control.h"
#include "platform/caption_marks.h"
#include "platform/list_files_setup.h"
#include "shell/command_line.h"
#include "shell/frm_main.h"
#include "shell/window_placement.h"

namespace shell {
namespace {

namespace Setting = platform::Setting;

// From the highlight step on, a failing step is skipped and start-up goes on.
template <typename Step>
void guarded(Step&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    qWarning("start-up step skipped: %s", e.what());
  } catch (...) {
    qWarning("start-up step skipped");
  }
}

void setChecked(FrmMain& window, const char* name, bool on) {
  if (QAction* item = window.commands().action(QString::fromUtf8(name))) item->setChecked(on);
}

void applyFont(FrmMain& window) {
  const auto& s = window.context().settings;
  window.txtMain().setEditorFont(s.get(Setting::DefaultFontName),
                                 s.number(Setting::DefaultFontSize, 10),
                                 platform::CharSetOfIndex(s.number(Setting::DefaultFontCharSet)));
}

void applyPanels(FrmMain& window) {
  const auto& s = window.context().settings;
  window.setToolBarShown(s.flag(Setting::ToolBar));
  setChecked(window, "mnuViewToolBar", s.flag(Setting::ToolBar));
  window.setStatusBarShown(s.flag(Setting::StatusBar));
  setChecked(window, "mnuViewStatusBar", s.flag(Setting::StatusBar));
}

void applyPluginsAndSidePanels(FrmMain& window) {
  const auto& s = window.context().settings;
  if (s.get(Setting::EnablePlugins) != "0") {
    window.hooks().run(Hook::PluginMenu);
  } else if (QMenu* plugins = window.commands().menu("mnuPlugins")) {
    plugins->menuAction()->setVisible(false);
  }
  const bool snippets = s.flag(Setting::HTMLTags);
  window.setSidePanelShown(Side::Right, snippets);
  setChecked(window, "mnuHTMLTags", snippets);
  if (snippets) window.hooks().run(Hook::SnippetsPanel);
  const bool codeLibrary = s.flag(Setting::CodeLibrary);
  window.setSidePanelShown(Side::Left, codeLibrary);
  setChecked(window, "mnuCodeLib", codeLibrary);
  if (codeLibrary) window.hooks().run(Hook::CodeLibraryPanel);
  const bool localBookmarks = s.truth(Setting::LocalBookMarks);
  setChecked(window, "mnuLocalBookmarks", localBookmarks);
  if (localBookmarks) window.hooks().run(Hook::LocalBookmarks);
}

void applyBrowserCaption(FrmMain& window) {
  if (QAction* other = window.commands().action("mnuOther")) {
    other->setText(window.context().settings.get(Setting::MyBrowserName));
    platform::MarkDataCaption(*other);
  }
}

void openLastAndCommandLine(FrmMain& window, const QString& commandLine) {
  const auto& s = window.context().settings;
  if (s.flag(Setting::LoadLastOpened)) guarded([&] {
      document::LFile(window, s.get(Setting::LastOpenedFile));
    });
  // Stored in the recent files and the bookmarks, a relative path would lead elsewhere from the
  // next working folder.
  if (!commandLine.isEmpty()) guarded([&] {
      document::OpenFromCommandLine(window, CommandLinePath(commandLine, QDir::currentPath()));
    });
}

}  // namespace

void ApplyEditorOptions(FrmMain& window) {
  const auto& s = window.context().settings;
  platform::EditControl& editor = window.txtMain();
  editor.setKeywordCaseCorrection(s.truth(Setting::SyntaxAutoCase));
  editor.setTabSize(s.number(Setting::TabSize, 4));
  editor.setLeftMarginVisible(s.truth(Setting::ShowGutter));
  editor.setLineNumbersVisible(s.truth(Setting::NumberStrings));
  editor.setWhiteSpaceVisible(s.truth(Setting::DisplayWhiteSpaces));
  const bool split = s.flag(Setting::Split);
  setChecked(window, "mnuSplit", split);
  editor.setSplitterAllowed(split);
  const bool column = s.truth(Setting::ColumnSelection);
  setChecked(window, "mnuColumnSel", column);
  editor.setColumnSelectionMode(column);
  editor.setWindowsLineEnds(!s.truth(Setting::TextMode));
}

void RunStartup(FrmMain& window, const QString& commandLine) {
  AppContext& ctx = window.context();
  const auto& s = ctx.settings;
  Hooks& hooks = window.hooks();
  // The default-extension table is a constant of the file dialogs.
  window.txtMain().releaseKeys(window.commands().shortcuts());
  hooks.run(Hook::HighLightExtensions);
  window.document().setCurCodir(1);
  // The window opens on a new document, whatever file comes in later.
  window.txtMain().setFileFormat(document::NewDocumentFormat(window));
  platform::EnsureListFiles(ctx.paths);
  if (s.flag(Setting::TopMost)) {
    window.setTopMost(true);
    setChecked(window, "mnuTopMost", true);
  }
  if (QAction* escape = window.findChild<QAction*>("cmdEscape"))
    escape->setEnabled(s.truth(Setting::ExitOnEscape));
  RestorePlacement(window, s, "Main");
  applyFont(window);
  hooks.run(Hook::LanguageMenu);
  applyPanels(window);
  applyPluginsAndSidePanels(window);
  hooks.run(Hook::TemplatesMenu);
  hooks.run(Hook::RecentMenu);
  hooks.run(Hook::SpecialTemplate);
  hooks.run(Hook::Programs);
  hooks.run(Hook::MacroMenu);
  hooks.run(Hook::StartMacro);
  hooks.run(Hook::Bookmarks);
  hooks.run(Hook::AutoChange);
  hooks.run(Hook::AutoComplete);
  hooks.run(Hook::SaveTimers);
  applyBrowserCaption(window);
  guarded([&] { hooks.run(Hook::HighLight); });
  guarded([&] { ApplyEditorOptions(window); });
  window.document().setDirty(false);
  openLastAndCommandLine(window, commandLine);
  guarded([&] { hooks.run(Hook::SnippetList); });
  guarded([&] {
    window.txtMain().setLineNumberBase(s.number(Setting::LineNumberingStyle, 10));
  });
  guarded([&] { hooks.run(Hook::HotKeys); });
  hooks.run(Hook::StartupDone);
}

}  // namespace shell
