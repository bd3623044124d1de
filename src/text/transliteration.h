// Russian text in Latin letters, letter by letter: "Щука" becomes "SCHuka", "Юля" becomes
// "Yulya". Only the 64 letters А..Я and а..я are rewritten; Ё, ё and every other character are
// copied.
#pragma once

#include <QString>

namespace text {

QString Transliterate(const QString& text);

}  // namespace text
