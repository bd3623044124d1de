// Places in start-up and shutdown where features hook in. A feature registers its work from
// its own module; a hook nobody registered does nothing.
#pragma once

#include <functional>
#include <map>
#include <vector>

namespace shell {

enum class Hook {
  HighLightExtensions,  // the built-in extension table of the highlight schemes
  LanguageMenu,         // build the language menu and apply the stored language
  PluginMenu,
  SnippetsPanel,        // fill the snippet groups when the panel is shown
  CodeLibraryPanel,     // load the code library when the panel is shown
  LocalBookmarks,       // open the local-bookmarks window when marked
  TemplatesMenu,
  RecentMenu,
  SpecialTemplate,
  Programs,
  MacroMenu,
  StartMacro,
  Bookmarks,
  AutoChange,
  AutoComplete,
  SaveTimers,
  HighLight,            // load definitions and colours, select the stored scheme
  SnippetList,
  HotKeys,
  StartupDone,          // start-up has finished: show the editor's state
  ExitMacro,
  CutMacro,      // the event macros of the edit commands, run before the command
  CopyMacro,
  PasteMacro,
  DeleteMacro,
};

class Hooks {
 public:
  void add(Hook hook, std::function<void()> work) { m_work[hook].push_back(std::move(work)); }
  void run(Hook hook) const {
    const auto it = m_work.find(hook);
    if (it == m_work.end()) return;
    for (const auto& work : it->second) work();
  }

 private:
  std::map<Hook, std::vector<std::function<void()>>> m_work;
};

}  // namespace shell
