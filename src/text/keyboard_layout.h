// Repairs text typed with the wrong keyboard layout active: each of the 64 Russian letters
// А..Я, а..я pairs with the character on the same key of the Latin QWERTY layout (capitals with
// the shifted key). "Привет" typed on Latin keys reads "Ghbdtn", and back. Ё and ё have no pair.
#pragma once

#include <QString>

namespace text {

// Russian letters become their Latin keys; every other character is copied.
QString LayoutToLatin(const QString& text);

// Printable ASCII characters that are a key of a Russian letter become that letter (exactly,
// with case: "b" is "и", "B" is "И"); digits, the other punctuation, spaces, line breaks and
// everything beyond ASCII are copied.
QString LayoutToRussian(const QString& text);

}  // namespace text
