// The user's hot keys: the table read from "HotKeys.ini", the key texts shown after a Tab on
// the menu items they run, and the run of every binding a key press matches. The settings
// page lists, assigns and removes bindings through HotKeys.
#pragma once

#include <QList>
#include <QObject>
#include <optional>

#include "hotkeys/hot_key_entry.h"

class QAction;

namespace shell {
class FrmMain;
}

namespace hotkeys {

enum class HotKeyChange {
  Done,      // table, menu and file agree
  Refused,   // nothing changed: no modifier, a key no hot key takes, no such item, or the item
             // has a binding already (it must be removed first)
  NotSaved,  // table and menu changed, but "HotKeys.ini" could not be written
};

// A binding in force, for the settings page.
struct HotKeyRow {
  int entry;  // its index in the table, what remove() takes
  HotKeyBinding binding;
  QString text;  // "Ctrl+Alt+M"
};

class HotKeys : public QObject {
  Q_OBJECT
 public:
  // Watches the six menu arrays, so that a menu rebuilt at run time shows its keys again.
  explicit HotKeys(shell::FrmMain& window);

  // Appends the file's working entries to the table and marks the menus (start-up).
  void load();
  // Marks every bound item that shows no key yet; the first binding of an item is the one shown.
  void apply();
  // Rewrites the file from the table; false when it could not be written.
  bool save() const;

  // Runs the enabled item of every binding of this key and modifier state, in table order;
  // true when any ran, so the key is spent.
  bool dispatch(int key, int modifiers) const;

  // Every entry of the table, removed ones included (they keep their index until the next
  // start, as the menu items' marks refer to entries by index).
  QList<HotKeyEntry> entries() const;
  QList<HotKeyRow> rows() const;
  // The table index of the binding the item shows; nullopt when it shows none.
  static std::optional<int> entryOf(const QAction& item);

  HotKeyChange assign(HotKeyKind kind, int index, int modifiers, int key);
  HotKeyChange remove(int entry);

 private:
  struct Slot {
    HotKeyEntry entry;
    std::optional<HotKeyBinding> binding;
  };

  QAction* itemOf(HotKeyKind kind, int index) const;
  void mark(QAction& item, int entry) const;
  void markArray(HotKeyKind kind);
  HotKeyChange saved() const { return save() ? HotKeyChange::Done : HotKeyChange::NotSaved; }

  shell::FrmMain& m_window;
  QList<Slot> m_slots;
};

// The window's hot keys; nullptr before InstallHotKeys.
HotKeys* FindHotKeys(shell::FrmMain& window);

void InstallHotKeys(shell::FrmMain& window);

}  // namespace hotkeys
