// The main window's commands, declared once: the menu bar, tool bar, context menu, language
// files, hot keys and tests all work from this table.
#pragma once

#include <span>

namespace shell {

enum CommandFlag : unsigned {
  kItem = 0,
  kMenu = 1u << 0,        // a top-level menu of the menu bar
  kSubmenu = 1u << 1,     // an item that opens a submenu
  kCheckable = 1u << 2,
  kHidden = 1u << 3,
  kArray = 1u << 4,       // a fixed element of a menu array; rows of one name are its elements
  kSeparator = 1u << 5,   // a separator line stands before this item
  kPopup = 1u << 6,       // a menu of its own, not on the menu bar
  kChecked = 1u << 7,     // checked at start
};

struct CommandDef {
  const char* name;      // objectName of the action or menu
  const char* parent;    // the menu it stands in; nullptr for the menu bar and pop-ups
  const char* caption;   // with '&' before the access letter
  const char* shortcut;  // a QKeySequence text, or nullptr
  unsigned flags;
};

// Every row in menu order: a parent always comes before its items.
std::span<const CommandDef> CommandTable();

// Tool-bar buttons and the menu item each one runs.
struct ToolButtonDef {
  const char* name;     // objectName of the button
  const char* command;  // the menu item it runs
  const char* icon;     // desktop icon-theme name
};
std::span<const ToolButtonDef> ToolButtonTable();

}  // namespace shell
