#include "text/keyboard_layout.h"

#include <array>

#include "platform/cp1251.h"

namespace text {
namespace {

// The Latin key of every Russian letter, in Windows-1251 order: А..Я then а..я (codes C0..FF).
constexpr char16_t kKeys[] =
    u"F<DULT:PBQRKVYJGHCNEA{WXIO}SM\">Z"
    u"f,dult;pbqrkvyjghcnea[wxio]sm'.z";
constexpr int kFirstLetter = 0xC0;
constexpr int kLetterCount = 64;
static_assert(sizeof(kKeys) / sizeof(kKeys[0]) == kLetterCount + 1);

// The Russian letter on every ASCII key, 0 for keys that carry none.
const std::array<char16_t, 128>& lettersByKey() {
  static const auto table = [] {
    std::array<char16_t, 128> t{};
    for (int k = 0; k < kLetterCount; ++k)
      t[kKeys[k]] = cp1251::toUnicode(static_cast<unsigned char>(kFirstLetter + k)).unicode();
    return t;
  }();
  return table;
}

}  // namespace

QString LayoutToLatin(const QString& text) {
  QString result = text;
  for (QChar& c : result) {
    const int code = cp1251::code(c);
    if (code >= kFirstLetter) c = QChar(kKeys[code - kFirstLetter]);
  }
  return result;
}

QString LayoutToRussian(const QString& text) {
  const auto& letters = lettersByKey();
  QString result = text;
  for (QChar& c : result) {
    // Space, tab, line breaks and control characters are never keys of a letter.
    const char16_t u = c.unicode();
    if (u > 32 && u < 128 && letters[u] != 0) c = QChar(letters[u]);
  }
  return result;
}

}  // namespace text
