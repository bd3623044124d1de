// Keys by the system's virtual-key numbers, the codes hot-key bindings are stored with: a
// letter is the code of its upper-case Latin letter and a digit its own code, whatever the
// keyboard layout, so a binding made on one layout works on the other.
#pragma once

namespace platform {

// The virtual-key code of a Qt::Key: letters 65..90, digits 48..57, the named keys by their
// usual numbers (Up 38, Down 40, Space 32, F1 112, ...). A Cyrillic letter counts as the key
// it lies on in the Russian layout (Г is U) and a shifted sign as its unshifted key (! is 1).
// 0 for a key without a code.
int VirtualKey(int qtKey);

// The same for a key whose place on the keyboard is known (an XKB key code, 0 when unknown):
// the keys of the digit row are their digits whatever the layout and Shift make of them, as
// the system's own virtual keys are. Ctrl+Shift+3 on the Russian layout comes as "№", on the
// US one as "#"; both are 3.
int VirtualKey(int qtKey, unsigned xkbKeycode);

// The XKB key code of a key event's native scan code where the window system gives one (X11
// and Wayland number keys this way); 0 elsewhere.
unsigned XkbKeycode(unsigned nativeScanCode);

}  // namespace platform
