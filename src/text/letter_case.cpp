#include "text/letter_case.h"

#include <random>

namespace text {
namespace {

enum class Mapping { Upper, Lower };

char32_t mapped(char32_t c, Mapping mapping) {
  // ASCII and the basic Cyrillic block are nearly all of a Russian text; they need no table.
  // Cyrillic capitals U+0400..U+042F pair with U+0450..U+045F and U+0430..U+044F.
  const bool upper = mapping == Mapping::Upper;
  if (c < 0x80) {
    if (upper) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  }
  if (c >= 0x0400 && c < 0x0460) {
    const char32_t offset = c < 0x0410 ? 0x50 : 0x20;
    const bool isUpper = c < 0x0430;
    if (upper) return isUpper ? c : c - (c >= 0x0450 ? 0x50 : 0x20);
    return isUpper ? c + offset : c;
  }
  return upper ? QChar::toUpper(c) : QChar::toLower(c);
}

// Maps the character (one code point, maybe a surrogate pair) that starts at `at` in place.
// Returns how many UTF-16 units it took; the text keeps its length (a pair whose mapping would
// leave its plane stays as it is).
qsizetype mapAt(QChar* data, qsizetype size, qsizetype at, Mapping mapping) {
  const QChar c = data[at];
  if (c.isHighSurrogate() && at + 1 < size && data[at + 1].isLowSurrogate()) {
    const char32_t to = mapped(QChar::surrogateToUcs4(c, data[at + 1]), mapping);
    if (QChar::requiresSurrogates(to)) {
      data[at] = QChar(QChar::highSurrogate(to));
      data[at + 1] = QChar(QChar::lowSurrogate(to));
    }
    return 2;
  }
  data[at] = QChar(char16_t(mapped(c.unicode(), mapping)));
  return 1;
}

QString mapAll(const QString& text, Mapping mapping) {
  QString result = text;
  QChar* data = result.data();
  for (qsizetype i = 0; i < result.size();) i += mapAt(data, result.size(), i, mapping);
  return result;
}

bool followsLineBreak(const QChar* data, qsizetype at) {
  return at >= 2 && data[at - 2] == u'\r' && data[at - 1] == u'\n';
}

// Upper-cases the character at every position `startsPart` accepts, nothing else.
template <typename StartsPart>
QString capitalizeWhere(const QString& text, StartsPart startsPart) {
  QString result = text;
  QChar* data = result.data();
  for (qsizetype i = 0; i < result.size(); ++i)
    if (i == 0 || startsPart(data, i)) i += mapAt(data, result.size(), i, Mapping::Upper) - 1;
  return result;
}

}  // namespace

QString ToUpperCase(const QString& text) { return mapAll(text, Mapping::Upper); }

QString ToLowerCase(const QString& text) { return mapAll(text, Mapping::Lower); }

QString CapitalizeLines(const QString& text) { return capitalizeWhere(text, followsLineBreak); }

QString CapitalizeWords(const QString& text) {
  return capitalizeWhere(text, [](const QChar* data, qsizetype at) {
    return data[at - 1] == u' ' || followsLineBreak(data, at);
  });
}

QString InvertCase(const QString& text) {
  QString result = text;
  QChar* data = result.data();
  for (qsizetype i = 0; i < result.size();) {
    const QChar c = data[i];
    char32_t code = c.unicode();
    if (c.isHighSurrogate() && i + 1 < result.size() && data[i + 1].isLowSurrogate())
      code = QChar::surrogateToUcs4(c, data[i + 1]);
    const bool isLower = mapped(code, Mapping::Lower) == code;
    i += mapAt(data, result.size(), i, isLower ? Mapping::Upper : Mapping::Lower);
  }
  return result;
}

QString RandomCase(const QString& text, std::uint64_t seed) {
  std::mt19937_64 generator(seed);
  std::uint64_t bits = 0;
  int bitsLeft = 0;
  QString result = text;
  QChar* data = result.data();
  for (qsizetype i = 0; i < result.size();) {
    // One draw of the generator gives the choices of 64 characters.
    if (bitsLeft == 0) {
      bits = generator();
      bitsLeft = 64;
    }
    const bool upper = bits & 1;
    bits >>= 1;
    --bitsLeft;
    if (data[i].isSurrogate()) {
      i += mapAt(data, result.size(), i, upper ? Mapping::Upper : Mapping::Lower);
      continue;
    }
    // Both forms, then a pick: a coin toss is no branch to predict.
    const char32_t c = data[i].unicode();
    const char32_t up = mapped(c, Mapping::Upper);
    const char32_t low = mapped(c, Mapping::Lower);
    data[i++] = QChar(char16_t(upper ? up : low));
  }
  return result;
}

}  // namespace text
