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

}  // namespace platform
