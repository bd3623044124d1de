// Letter case of a text: upper, lower, the first letter of every line or word, inverted and
// random. Every character is mapped on its own by the Unicode simple case mapping (Cyrillic
// with Ё/ё, Latin, and every other cased script), so a result has exactly as many characters as
// its input; characters without case stay as they are.
#pragma once

#include <QString>
#include <cstdint>

namespace text {

QString ToUpperCase(const QString& text);
QString ToLowerCase(const QString& text);

// Upper-cases the first character of every line (lines end at CR LF) and leaves the rest of
// the line as it is: "пРИВЕТ" becomes "ПРИВЕТ". An empty line stays empty.
QString CapitalizeLines(const QString& text);

// Upper-cases the first character of every word, a word being what lies between single
// spaces or line breaks; tabs and punctuation do not separate words, and two spaces in a row
// stay two spaces: "мама  мыла" becomes "Мама  Мыла".
QString CapitalizeWords(const QString& text);

// A character that equals its own lower-case form (a lower-case letter, or a character
// without case) is upper-cased; every other character is lower-cased: "Abc Где" becomes
// "aBC гДЕ".
QString InvertCase(const QString& text);

// Each character becomes upper- or lower-case by a fresh, even choice of a pseudo-random
// generator seeded with `seed`; the same seed gives the same result.
QString RandomCase(const QString& text, std::uint64_t seed);

}  // namespace text
