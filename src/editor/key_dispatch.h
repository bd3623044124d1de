// The editor's key presses after the typing rules: the fixed key combinations of the text and
// HTML commands, the key sound, and the hand-over of every key to the user's hot keys.
#pragma once

#include <span>

namespace shell {
class Commands;
class FrmMain;
}  // namespace shell

namespace editor {

struct FixedKey {
  int shift;            // 1 Shift, 2 Ctrl, 4 Alt, added
  int key;              // virtual-key code
  const char* command;  // the menu item it runs
  const char* caption;  // shown after a tab in the item's caption; nullptr: not shown
};

// Every fixed combination, in the order the captions are marked.
std::span<const FixedKey> FixedKeys();
// Ctrl+1..9 and Ctrl+Shift+1..9: the local bookmarks' keys.
bool IsLocalBookmarkKey(int shift, int key);

// Appends a tab and the key text to each captioned item, unless the first of them
// ("Гиперссылка") already has one; language files call it again after renaming the items.
void ShowFixedKeys(shell::Commands& commands);

void InstallKeyDispatch(shell::FrmMain& window);

}  // namespace editor
