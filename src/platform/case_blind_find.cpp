#include "platform/case_blind_find.h"

#include <QChar>
#include <QList>
#include <array>

namespace platform {
namespace {

using u8 = unsigned char;

// Case folding of the Basic Multilingual Plane, looked up once per character of the text.
const std::array<char16_t, 0x10000>& bmpFolding() {
  static const auto table = [] {
    std::array<char16_t, 0x10000> t{};
    for (char32_t c = 0; c < 0x10000; ++c) {
      // Surrogates are no characters; they fold to themselves.
      const char32_t folded = QChar::isSurrogate(c) ? c : QChar::toCaseFolded(c);
      t[c] = folded < 0x10000 ? char16_t(folded) : char16_t(c);
    }
    return t;
  }();
  return table;
}

char32_t fold(char32_t c) { return c < 0x10000 ? bmpFolding()[c] : QChar::toCaseFolded(c); }

// The character at s[0..n) and its length in bytes; a byte that starts no character is U+FFFD
// of one byte, so bad bytes are passed over one by one and never match a letter.
char32_t decodeAt(const u8* s, qsizetype n, int& len) {
  const u8 c = s[0];
  if (c < 0x80) {
    len = 1;
    return c;
  }
  int need = 0;
  char32_t cp = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    need = 1;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    need = 2;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    need = 3;
    cp = c & 0x07;
  }
  if (need == 0 || n <= need) {
    len = 1;
    return 0xFFFD;
  }
  for (int k = 1; k <= need; ++k) {
    if ((s[k] & 0xC0) != 0x80) {
      len = 1;
      return 0xFFFD;
    }
    cp = cp << 6 | (s[k] & 0x3F);
  }
  len = need + 1;
  return cp;
}

}  // namespace

char32_t CaseFold(char32_t c) { return fold(c); }

CaseBlindFinder::CaseBlindFinder(const QString& what) {
  for (const char32_t c : what.toUcs4()) m_folded.push_back(fold(c));
}

qsizetype CaseBlindFinder::matchAt(QByteArrayView text, qsizetype at, qsizetype to) const {
  const auto* s = reinterpret_cast<const u8*>(text.data());
  qsizetype i = at;
  for (const char32_t want : m_folded) {
    if (i >= to) return 0;
    int len;
    if (fold(decodeAt(s + i, to - i, len)) != want) return 0;
    i += len;
  }
  return i - at;
}

std::optional<CaseBlindFinder::Found> CaseBlindFinder::first(QByteArrayView text, qsizetype from,
                                                             qsizetype to) const {
  if (m_folded.empty()) return std::nullopt;
  const auto* s = reinterpret_cast<const u8*>(text.data());
  const char32_t head = m_folded.front();
  for (qsizetype i = from; i < to;) {
    int len;
    const char32_t c = decodeAt(s + i, to - i, len);
    if (fold(c) == head) {
      if (const qsizetype length = matchAt(text, i, to)) return Found{i, i + length};
    }
    i += len;
  }
  return std::nullopt;
}

std::optional<CaseBlindFinder::Found> CaseBlindFinder::last(QByteArrayView text, qsizetype from,
                                                            qsizetype to) const {
  if (m_folded.empty()) return std::nullopt;
  // Backwards from the end, one character at a time, so that a search upwards costs the
  // distance to the nearest occurrence and not the length of everything above it.
  const auto* s = reinterpret_cast<const u8*>(text.data());
  for (qsizetype at = to; at > from;) {
    --at;
    while (at > from && (s[at] & 0xC0) == 0x80) --at;
    if (const qsizetype length = matchAt(text, at, to)) return Found{at, at + length};
  }
  return std::nullopt;
}

}  // namespace platform
