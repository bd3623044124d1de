// Keys by the system's virtual-key numbers, the codes hot-key bindings are stored with: a
// letter is the code of its upper-case Latin letter and a digit its own code, whatever the
// keyboard layout, so a binding made on one layout works on the other.
#pragma once

#include <QString>
#include <optional>
#include <span>

namespace platform {

// The virtual-key code of a Qt::Key: letters 65..90, digits 48..57, the named keys by their
// usual numbers (Up 38, Down 40, Space 32, F1 112, ...). A Cyrillic letter counts as the key
// it lies on in the Russian layout (Г is U) and a shifted sign as its unshifted key (! is 1).
// 0 for a key without a code.
int VirtualKey(int qtKey);

// The same for a key whose place on the keyboard is known (an XKB key code, 0 when unknown):
// the keys of the digit row are their digits whatever the layout and Shift make of them, as
// the system's own virtual keys are. Ctrl+Shift+3 on the Russian layout comes as "№", on the
// US one as "#"; both are 3. A key of the numeric pad has codes of its own: its digits are
// 96..105 ("Num 0".."Num 9") and its signs 106..111; the pad's Enter and, with Num Lock off,
// its arrows and Home/End are the same keys as the main ones.
int VirtualKey(int qtKey, unsigned xkbKeycode, bool keypad = false);

// One key a hot key can be bound to: its code, the Qt key that sends it, whether that key lies
// on the numeric pad, and the name shown for it ("F5", "Del", "Num 5", "A").
struct BindableKey {
  int code;
  int qtKey;
  bool keypad;
  QString name;
};

// Every key a hot key can be bound to, in code order. Modifier and lock keys are not among
// them: they are never the key of a combination.
std::span<const BindableKey> BindableKeys();
// The key of that code; nullopt when no hot key can be bound to it.
std::optional<BindableKey> BindableKeyOf(int code);

// The XKB key code of a key event's native scan code where the window system gives one (X11
// and Wayland number keys this way); 0 elsewhere.
unsigned XkbKeycode(unsigned nativeScanCode);

}  // namespace platform
