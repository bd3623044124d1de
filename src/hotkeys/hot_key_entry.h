// The entries of the hot-key table as "HotKeys.ini" holds them, one "target=binding" a line:
// target = kind "." index of the menu item, binding = modifier code "|" key code. A binding
// follows the item's position in its menu, not its name.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace hotkeys {

// The six dynamic command lists a hot key can run an item of.
enum class HotKeyKind { Program, Template, Macro, Bookmark, HighLight, Plugin };
inline constexpr HotKeyKind kHotKeyKinds[] = {HotKeyKind::Program,  HotKeyKind::Template,
                                              HotKeyKind::Macro,    HotKeyKind::Bookmark,
                                              HotKeyKind::HighLight, HotKeyKind::Plugin};

// "Macro" for the file, "mnuMacro" for the menu array.
QString KindName(HotKeyKind kind);
QString KindArray(HotKeyKind kind);

// Modifier codes: 1 Shift, 2 Ctrl, 4 Alt, added; a hot key needs at least one.
inline constexpr int kMinModifiers = 1;
inline constexpr int kMaxModifiers = 7;

// "Ctrl+Shift", "Shift+Alt", ...; empty for a code outside 1..7.
QString ModifierName(int modifiers);
// "Ctrl+Alt+M", "Shift+F5", "Ctrl+Num 5"; empty unless the modifiers are 1..7 and the key
// is one a hot key can be bound to.
QString HotKeyText(int modifiers, int key);

// One line of the file as texts. Empty target or binding: a removed entry, never written.
struct HotKeyEntry {
  QString target;
  QString binding;
  bool isRemoved() const { return target.isEmpty() || binding.isEmpty(); }
  bool operator==(const HotKeyEntry&) const = default;
};

// What an entry means once every number in it has been checked.
struct HotKeyBinding {
  HotKeyKind kind;
  int index;      // of the item in its menu array, from 0
  int modifiers;  // 1..7
  int key;        // a bindable virtual-key code
  bool operator==(const HotKeyBinding&) const = default;
};

HotKeyEntry MakeEntry(const HotKeyBinding& binding);
// nullopt for a removed entry, an unknown kind, an index that is not a number from 0, a
// modifier code outside 1..7 or a key no hot key is bound to: such an entry does nothing.
std::optional<HotKeyBinding> ParseEntry(const HotKeyEntry& entry);
// The display text of a binding text ("6|77" is "Ctrl+Alt+M"); empty when it does not parse.
QString HotKeyText(const QString& binding);

// The file's items as entries: target before the first "=", binding after the last one. An
// item without "=" has no binding and so is a removed entry; empty items are skipped.
QList<HotKeyEntry> ParseHotKeyItems(const QStringList& items);
// The items to write: "target=binding" for each entry that is not removed, in table order.
QStringList HotKeyItems(const QList<HotKeyEntry>& entries);

}  // namespace hotkeys
