// Places in start-up and shutdown where features hook in. A feature registers its work from
// its own module; a hook nobody registered does nothing.
#pragma once

#include <QString>
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
  OpenMacro,     // the open event macro, run before a new file is loaded
  SaveMacro,     // the save event macro, run before the text is written
};

// Places that need the path of the file at hand.
enum class PathHook {
  // A file was opened or a new document begun: the macro menu follows it, and the result of a
  // program still running no longer has its document.
  MacroMenuOnOpen,
  MacroMenuOnSave,  // the same rule for the path a document is saved under
  AutoMacro,        // run an opened script file at once when the user wants that
  HighLightForPath, // choose the highlight scheme from the extension
  ColoursForLoad,   // a big file is about to come in: tell the editor whether it will be coloured
};

// Places that hear every key press of the editor: the key's virtual-key code (letters by their
// upper-case Latin code) and the modifier state (1 Shift, 2 Ctrl, 4 Alt, added). A work returns
// true when it took the key, which then types nothing.
enum class KeyHook {
  LocalBookmarks,  // Ctrl+1..9 and Ctrl+Shift+1..9, after the fixed key combinations
  DispatchHotKey,  // the user's hot keys, after the fixed key combinations
};

class Hooks {
 public:
  void add(Hook hook, std::function<void()> work) { m_work[hook].push_back(std::move(work)); }
  void run(Hook hook) const {
    const auto it = m_work.find(hook);
    if (it == m_work.end()) return;
    for (const auto& work : it->second) work();
  }
  void add(PathHook hook, std::function<void(const QString&)> work) {
    m_pathWork[hook].push_back(std::move(work));
  }
  void run(PathHook hook, const QString& path) const {
    const auto it = m_pathWork.find(hook);
    if (it == m_pathWork.end()) return;
    for (const auto& work : it->second) work(path);
  }
  void add(KeyHook hook, std::function<bool(int key, int shift)> work) {
    m_keyWork[hook].push_back(std::move(work));
  }
  // Every work hears the key; true when any of them took it.
  bool run(KeyHook hook, int key, int shift) const {
    const auto it = m_keyWork.find(hook);
    if (it == m_keyWork.end()) return false;
    bool taken = false;
    for (const auto& work : it->second) taken = work(key, shift) || taken;
    return taken;
  }

 private:
  std::map<Hook, std::vector<std::function<void()>>> m_work;
  std::map<PathHook, std::vector<std::function<void(const QString&)>>> m_pathWork;
  std::map<KeyHook, std::vector<std::function<bool(int, int)>>> m_keyWork;
};

}  // namespace shell
