#include "text/transliteration.h"

#include <array>

#include "platform/cp1251.h"

namespace text {
namespace {

// The Latin spelling of every letter in Windows-1251 order, А..Я then а..я (codes C0..FF). Ю
// and Я start with a capital only, unlike Ч, Ш and Щ.
// clang-format off
constexpr std::array<const char16_t*, 64> kLatin = {
    u"A", u"B", u"V", u"G", u"D", u"E", u"J", u"Z", u"I", u"Y", u"K", u"L", u"M", u"N", u"O", u"P",
    u"R", u"S", u"T", u"U", u"F", u"H", u"C", u"CH", u"SH", u"SCH", u"`", u"Y", u"'", u"E", u"Yu", u"Ya",
    u"a", u"b", u"v", u"g", u"d", u"e", u"j", u"z", u"i", u"y", u"k", u"l", u"m", u"n", u"o", u"p",
    u"r", u"s", u"t", u"u", u"f", u"h", u"c", u"ch", u"sh", u"sch", u"`", u"y", u"'", u"e", u"yu", u"ya",
};
// clang-format on

constexpr int kFirstCyrillic = 0xC0;

constexpr std::array<qsizetype, 64> kLength = [] {
  std::array<qsizetype, 64> lengths{};
  for (std::size_t k = 0; k < kLatin.size(); ++k)
    while (kLatin[k][lengths[k]] != 0) ++lengths[k];
  return lengths;
}();

}  // namespace

QString Transliterate(const QString& text) {
  // Measured first, so that the result is written in place without growing.
  qsizetype size = 0;
  for (const QChar c : text) {
    const int code = cp1251::code(c);
    size += code >= kFirstCyrillic ? kLength[code - kFirstCyrillic] : 1;
  }
  QString result(size, Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(result.data());
  for (const QChar c : text) {
    const int code = cp1251::code(c);
    if (code < kFirstCyrillic) {
      *out++ = c.unicode();
      continue;
    }
    for (const char16_t* latin = kLatin[code - kFirstCyrillic]; *latin != 0; ++latin) *out++ = *latin;
  }
  return result;
}

}  // namespace text
