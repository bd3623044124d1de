// The user's hot keys: the table read from "HotKeys.ini", the key texts shown after a Tab on
// the menu items they run, and the run of every binding a key press matches. The settings
// page lists, assigns and removes bindings through HotKeys.
#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <array>
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
  // Watches the six menu arrays. A binding belongs to its item, not to a position: when a menu
  // is rebuilt (a script, template or program added, removed or renamed), each binding goes
  // with its item to wherever the item now stands, the binding of an item that is gone is
  // removed, and the file is rewritten. This is settled once the rebuild is over: right after
  // the event that rebuilt the menu, or before any use of the table, whichever comes first.
  explicit HotKeys(shell::FrmMain& window);

  // Appends the file's working entries to the table and marks the menus (start-up).
  void load();
  // Marks every bound item that shows no key yet; the first binding of an item is the one shown.
  void apply();
  // Rewrites the file from the table; false when it could not be written.
  bool save() const;

  // Runs the enabled item of every binding of this key and modifier state, in table order;
  // true when any ran, so the key is spent.
  bool dispatch(int key, int modifiers);

  // Every entry of the table, removed ones included (they keep their index until the next
  // start, as the menu items' marks refer to entries by index).
  QList<HotKeyEntry> entries();
  QList<HotKeyRow> rows();
  // The item of the menu array a binding of this kind and index runs; nullptr when there is
  // none to run (no such index, a separator, the blank stand-in element).
  QAction* item(HotKeyKind kind, int index) const;
  // The table index of the binding the item shows; nullopt when it shows none.
  static std::optional<int> entryOf(const QAction& item);

  HotKeyChange assign(HotKeyKind kind, int index, int modifiers, int key);
  HotKeyChange remove(int entry);

 Q_SIGNALS:
  // A menu's items changed and the bindings were brought up to date with them.
  void itemsChanged();

 private:
  struct Slot {
    HotKeyEntry entry;
    std::optional<HotKeyBinding> binding;
  };

  void mark(QAction& item, int entry) const;
  void markArray(HotKeyKind kind);
  QList<HotKeyEntry> currentEntries() const;
  HotKeyChange saved() const { return save() ? HotKeyChange::Done : HotKeyChange::NotSaved; }

  // The captions of an array's elements, without their key texts.
  QStringList captionsOf(HotKeyKind kind) const;
  void menuChanged(HotKeyKind kind);
  // Brings every binding of a rebuilt menu to its item; see the constructor.
  void settle();
  // True when a binding moved or was removed.
  bool follow(HotKeyKind kind);

  shell::FrmMain& m_window;
  QList<Slot> m_slots;
  // Per kind: the captions the bindings' indices refer to, and whether the menu changed since.
  std::array<QStringList, std::size(kHotKeyKinds)> m_known;
  std::array<bool, std::size(kHotKeyKinds)> m_pending{};
  bool m_settleQueued = false;
};

// The window's hot keys; nullptr before InstallHotKeys.
HotKeys* FindHotKeys(shell::FrmMain& window);

void InstallHotKeys(shell::FrmMain& window);

}  // namespace hotkeys
