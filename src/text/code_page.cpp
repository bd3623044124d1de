// Conversion between the five code pages through their letter tables, and the code pages' names.
// Every conversion is one lookup per character in a table built once per pair of code pages.
#include "text/code_page.h"

#include <array>
#include <cstdint>
#include <mutex>

#include "platform/cp1251.h"

namespace text {
namespace {

using LetterTable = std::array<std::uint8_t, 64>;  // А..Я then а..я

constexpr LetterTable range(int capitals, int lowerFirst, int lowerSecond, int lowerSplit) {
  LetterTable t{};
  for (int i = 0; i < 32; ++i) t[i] = std::uint8_t(capitals + i);
  for (int i = 0; i < 32; ++i)
    t[32 + i] = std::uint8_t(i < lowerSplit ? lowerFirst + i : lowerSecond + i - lowerSplit);
  return t;
}

constexpr LetterTable kWindowsLetters = range(0xC0, 0xE0, 0, 32);
constexpr LetterTable kDosLetters = range(0x80, 0xA0, 0xE0, 16);
constexpr LetterTable kKoiLetters = {
    0xE1, 0xE2, 0xF7, 0xE7, 0xE4, 0xE5, 0xF6, 0xFA, 0xE9, 0xEA, 0xEB, 0xEC, 0xED,
    0xEE, 0xEF, 0xF0, 0xF2, 0xF3, 0xF4, 0xF5, 0xE6, 0xE8, 0xE3, 0xFE, 0xFB, 0xFD,
    0xFF, 0xF9, 0xF8, 0xFC, 0xE0, 0xF1, 0xC1, 0xC2, 0xD7, 0xC7, 0xC4, 0xC5, 0xD6,
    0xDA, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0, 0xD2, 0xD3, 0xD4, 0xD5,
    0xC6, 0xC8, 0xC3, 0xDE, 0xDB, 0xDD, 0xDF, 0xD9, 0xD8, 0xDC, 0xC0, 0xD1};
// Macintosh Cyrillic keeps я apart from the run of lower-case letters, at DF.
constexpr LetterTable kMacLetters = [] {
  LetterTable t = range(0x80, 0xE0, 0, 32);
  t[63] = 0xDF;
  return t;
}();
constexpr LetterTable kIsoLetters = range(0xB0, 0xD0, 0, 32);

constexpr std::array<const LetterTable*, kCodePageCount> kLetterTables = {
    &kWindowsLetters, &kDosLetters, &kKoiLetters, &kMacLetters, &kIsoLetters};

constexpr int kNoLetter = -1;

// For each byte, its letter's position in the code page's table (first match), or kNoLetter.
std::array<int, 256> letterPositions(int code) {
  std::array<int, 256> positions;
  positions.fill(kNoLetter);
  if (code < 1 || code > kCodePageCount) return positions;  // a code page without letters
  const LetterTable& table = *kLetterTables[code - 1];
  for (int k = 63; k >= 0; --k) positions[table[k]] = k;
  return positions;
}

using ByteMap = std::array<std::uint8_t, 256>;

ByteMap buildByteMap(int from, int to) {
  ByteMap map{};
  const std::array<int, 256> positions = letterPositions(from);
  const bool toListed = to >= 1 && to <= kCodePageCount;
  for (int b = 0; b < 256; ++b) {
    const int k = positions[b];
    if (b < 0x80)
      map[b] = std::uint8_t(b);
    else if (k != kNoLetter && toListed)
      map[b] = (*kLetterTables[to - 1])[k];
    else
      map[b] = '?';
  }
  return map;
}

// The byte map of a pair; codes outside 1..5 share slot 0 (no letters).
const ByteMap& byteMap(int from, int to) {
  static std::array<ByteMap, 36> maps;
  static std::array<std::once_flag, 36> built;
  const auto slot = [](int code) { return code >= 1 && code <= kCodePageCount ? code : 0; };
  const int index = slot(from) * 6 + slot(to);
  std::call_once(built[index], [&] { maps[index] = buildByteMap(slot(from), slot(to)); });
  return maps[index];
}

// What each UTF-16 unit becomes for one pair of code pages: one lookup per character. Surrogates
// keep a mark of their half, so that a pair of them can be made one "?" afterwards.
constexpr char16_t kHighHalf = 0xD800;
constexpr char16_t kLowHalf = 0xDC00;
using CharacterMap = std::array<char16_t, 65536>;

CharacterMap buildCharacterMap(int from, int to) {
  const ByteMap& map = byteMap(from, to);
  CharacterMap chars;
  chars.fill(u'?');  // characters Windows-1251 lacks
  for (int b = 0; b < 256; ++b)
    chars[cp1251::toUnicode(std::uint8_t(b)).unicode()] = cp1251::toUnicode(map[b]).unicode();
  for (int c = 0xD800; c <= 0xDFFF; ++c) chars[c] = c < 0xDC00 ? kHighHalf : kLowHalf;
  return chars;
}

const CharacterMap& characterMap(int from, int to) {
  static std::array<CharacterMap, 36> maps;
  static std::array<std::once_flag, 36> built;
  const auto slot = [](int code) { return code >= 1 && code <= kCodePageCount ? code : 0; };
  const int index = slot(from) * 6 + slot(to);
  std::call_once(built[index], [&] { maps[index] = buildCharacterMap(slot(from), slot(to)); });
  return maps[index];
}

// Converts `size` units from `in` to `out` (which may be `in`); true when surrogates were met.
bool convertUnits(const char16_t* in, char16_t* out, qsizetype size, const CharacterMap& map) {
  char16_t halves = 0;
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = map[in[i]];
    out[i] = c;
    halves |= c & kHighHalf;  // only the two marks have these bits among the results
  }
  return halves == kHighHalf;
}

// Makes the surrogate marks "?": a pair is one character, so one "?".
void replaceSurrogates(QString& text) {
  char16_t* units = reinterpret_cast<char16_t*>(text.data());
  qsizetype written = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = units[i];
    if (c != kHighHalf && c != kLowHalf) {
      units[written++] = c;
      continue;
    }
    units[written++] = u'?';
    if (c == kHighHalf && i + 1 < text.size() && units[i + 1] == kLowHalf) ++i;
  }
  text.truncate(written);
}

struct Names {
  const char* menu;
  const char* list;
  const char* status;
};

constexpr std::array<Names, kCodePageCount> kNames = {{
    {"Win-1251", "Win - 1251", "Win - 1251"},
    {"Dos - 866", "Dos - 866", "Dos - 866"},
    {"Koi - 8r", "Koi - 8r", "Koi - 8r"},
    {"Macintosh", "Macintosh", "Mac"},
    {"Iso - 8859", "Iso - 8859", "Iso - 5599"},
}};

constexpr std::array<int, kCodePageCount> kMenuOrder = {kWindows1251, kDos866, kKoi8R,
                                                        kIso8859_5, kMacCyrillic};

const Names* namesOf(int code) {
  return code >= 1 && code <= kCodePageCount ? &kNames[code - 1] : nullptr;
}

}  // namespace

QString ConvertCodePage(QStringView text, int from, int to) {
  if (from == to) return text.toString();
  QString result(text.size(), Qt::Uninitialized);
  if (convertUnits(text.utf16(), reinterpret_cast<char16_t*>(result.data()), text.size(),
                   characterMap(from, to)))
    replaceSurrogates(result);
  return result;
}

void ConvertCodePageInPlace(QString& text, int from, int to) {
  if (from == to) return;
  char16_t* units = reinterpret_cast<char16_t*>(text.data());
  if (convertUnits(units, units, text.size(), characterMap(from, to))) replaceSurrogates(text);
}

QByteArray ConvertCodePageBytes(QByteArrayView bytes, int from, int to) {
  QByteArray result = bytes.toByteArray();
  ConvertCodePageBytesInPlace(result, from, to);
  return result;
}

void ConvertCodePageBytesInPlace(QByteArray& bytes, int from, int to) {
  if (from == to) return;
  const ByteMap& map = byteMap(from, to);
  auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
  for (qsizetype i = 0; i < bytes.size(); ++i) data[i] = map[data[i]];
}

QString CodePageMenuCaption(int code) {
  const Names* names = namesOf(code);
  return names ? QString::fromUtf8(names->menu) : QString();
}

QString CodePageListName(int code) {
  const Names* names = namesOf(code);
  return names ? QString::fromUtf8(names->list) : QString();
}

QString CodePageStatusName(int code) {
  const Names* names = namesOf(code);
  return names ? QString::fromUtf8(names->status) : QString();
}

int CodePageOfMenuIndex(int index) {
  return index >= 0 && index < kCodePageCount ? kMenuOrder[index] : 0;
}

int MenuIndexOfCodePage(int code) {
  for (int i = 0; i < kCodePageCount; ++i)
    if (kMenuOrder[i] == code) return i;
  return -1;
}

}  // namespace text
