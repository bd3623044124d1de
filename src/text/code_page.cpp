// Conversion between the five code pages through their full byte tables, and the code pages'
// names. Every conversion is one lookup per UTF-16 unit in a table built once per pair of code
// pages.
#include "text/code_page.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/cp1251.h"

namespace text {
namespace {

// The bytes 0x80..0xFF of the four code pages besides Windows-1251 (which cp1251.cpp holds).
using HighHalf = std::array<char16_t, 128>;

// IBM code page 866, the Russian DOS code page.
constexpr HighHalf kDos = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 80
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 88
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 90
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 98
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // A0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // E0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // E8
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,  // F8
};

// KOI8-R as registered in RFC 1489.
constexpr HighHalf kKoi = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518, 0x251C, 0x2524,  // 80
    0x252C, 0x2534, 0x253C, 0x2580, 0x2584, 0x2588, 0x258C, 0x2590,  // 88
    0x2591, 0x2592, 0x2593, 0x2320, 0x25A0, 0x2219, 0x221A, 0x2248,  // 90
    0x2264, 0x2265, 0x00A0, 0x2321, 0x00B0, 0x00B2, 0x00B7, 0x00F7,  // 98
    0x2550, 0x2551, 0x2552, 0x0451, 0x2553, 0x2554, 0x2555, 0x2556,  // A0
    0x2557, 0x2558, 0x2559, 0x255A, 0x255B, 0x255C, 0x255D, 0x255E,  // A8
    0x255F, 0x2560, 0x2561, 0x0401, 0x2562, 0x2563, 0x2564, 0x2565,  // B0
    0x2566, 0x2567, 0x2568, 0x2569, 0x256A, 0x256B, 0x256C, 0x00A9,  // B8
    0x044E, 0x0430, 0x0431, 0x0446, 0x0434, 0x0435, 0x0444, 0x0433,  // C0
    0x0445, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E,  // C8
    0x043F, 0x044F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0436, 0x0432,  // D0
    0x044C, 0x044B, 0x0437, 0x0448, 0x044D, 0x0449, 0x0447, 0x044A,  // D8
    0x042E, 0x0410, 0x0411, 0x0426, 0x0414, 0x0415, 0x0424, 0x0413,  // E0
    0x0425, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E,  // E8
    0x041F, 0x042F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0416, 0x0412,  // F0
    0x042C, 0x042B, 0x0417, 0x0428, 0x042D, 0x0429, 0x0427, 0x042A,  // F8
};

// Macintosh Cyrillic as Apple maps it since Mac OS 9: Ґ at A2, ґ at B6 and the euro sign at FF,
// where older Macs had ¢, ∂ and ¤.
constexpr HighHalf kMac = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 80
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 88
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 90
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 98
    0x2020, 0x00B0, 0x0490, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x0406,  // A0
    0x00AE, 0x00A9, 0x2122, 0x0402, 0x0452, 0x2260, 0x0403, 0x0453,  // A8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x0456, 0x00B5, 0x0491, 0x0408,  // B0
    0x0404, 0x0454, 0x0407, 0x0457, 0x0409, 0x0459, 0x040A, 0x045A,  // B8
    0x0458, 0x0405, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,  // C0
    0x00BB, 0x2026, 0x00A0, 0x040B, 0x045B, 0x040C, 0x045C, 0x0455,  // C8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x201E,  // D0
    0x040E, 0x045E, 0x040F, 0x045F, 0x2116, 0x0401, 0x0451, 0x044F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x20AC,  // F8
};

// ISO/IEC 8859-5; its 80..9F are the C1 control characters.
constexpr HighHalf kIso = {
    0x0080, 0x0081, 0x0082, 0x0083, 0x0084, 0x0085, 0x0086, 0x0087,  // 80
    0x0088, 0x0089, 0x008A, 0x008B, 0x008C, 0x008D, 0x008E, 0x008F,  // 88
    0x0090, 0x0091, 0x0092, 0x0093, 0x0094, 0x0095, 0x0096, 0x0097,  // 90
    0x0098, 0x0099, 0x009A, 0x009B, 0x009C, 0x009D, 0x009E, 0x009F,  // 98
    0x00A0, 0x0401, 0x0402, 0x0403, 0x0404, 0x0405, 0x0406, 0x0407,  // A0
    0x0408, 0x0409, 0x040A, 0x040B, 0x040C, 0x00AD, 0x040E, 0x040F,  // A8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // B0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // B8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // C0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // C8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // D0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // D8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // E0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // E8
    0x2116, 0x0451, 0x0452, 0x0453, 0x0454, 0x0455, 0x0456, 0x0457,  // F0
    0x0458, 0x0459, 0x045A, 0x045B, 0x045C, 0x00A7, 0x045E, 0x045F,  // F8
};

constexpr std::array<const HighHalf*, 4> kHighHalves = {&kDos, &kKoi, &kMac, &kIso};

constexpr int kNothing = -1;

// The character byte `b` means in code page `code` (2..5), or kNothing: a number outside 1..5
// stands for a code page that defines ASCII alone.
int meaningOfByte(int code, int b) {
  if (b < 0x80) return b;
  if (code < 2 || code > kCodePageCount) return kNothing;
  return (*kHighHalves[code - 2])[b - 0x80];
}

// What one unit of a text in code page `from` means. Code page 1 is the editor's own text;
// in any other the unit is a byte of the file shown as Windows-1251, unless Windows-1251 has no
// code for it: then it was never a byte of the file (typed in, say) and means itself.
int meaningOfUnit(int from, char16_t unit) {
  if (from == kWindows1251) return unit;
  const int b = cp1251::code(QChar(unit));
  return b < 0 ? unit : meaningOfByte(from, b);
}

// What each UTF-16 unit becomes for one pair of code pages. Towards a code page other than 1
// surrogates keep a mark of their half, so that a pair of them can be made one "?" afterwards;
// towards 1 they stay as they are.
constexpr char16_t kHighHalf = 0xD800;
constexpr char16_t kLowHalf = 0xDC00;
using CharacterMap = std::array<char16_t, 65536>;

CharacterMap buildCharacterMap(int from, int to) {
  CharacterMap chars;
  if (to == kWindows1251) {
    for (int c = 0; c < 65536; ++c) {
      const int meaning = meaningOfUnit(from, char16_t(c));
      chars[c] = meaning == kNothing ? u'?' : char16_t(meaning);
    }
    return chars;
  }
  std::vector<char16_t> stored(65536, u'?');  // each character as code page `to` shows it
  for (int b = 0; b < 256; ++b)
    if (const int meaning = meaningOfByte(to, b); meaning != kNothing)
      stored[meaning] = cp1251::toUnicode(std::uint8_t(b)).unicode();
  for (int c = 0; c < 65536; ++c) {
    const int meaning = meaningOfUnit(from, char16_t(c));
    chars[c] = meaning == kNothing ? u'?' : stored[meaning];
  }
  for (int c = 0xD800; c <= 0xDFFF; ++c) chars[c] = c < 0xDC00 ? kHighHalf : kLowHalf;
  return chars;
}

// Codes outside 1..5 share slot 0 (ASCII alone).
const CharacterMap& characterMap(int from, int to) {
  static std::array<CharacterMap, 36> maps;
  static std::array<std::once_flag, 36> built;
  const auto slot = [](int code) { return code >= 1 && code <= kCodePageCount ? code : 0; };
  const int index = slot(from) * 6 + slot(to);
  std::call_once(built[index], [&] { maps[index] = buildCharacterMap(slot(from), slot(to)); });
  return maps[index];
}

// Converts `size` units from `in` to `out` (which may be `in`); true when surrogate marks were
// written and must be replaced.
bool convertUnits(const char16_t* in, char16_t* out, qsizetype size, int from, int to) {
  const CharacterMap& map = characterMap(from, to);
  char16_t halves = 0;
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = map[in[i]];
    out[i] = c;
    halves |= c & kHighHalf;  // towards 2..5 only the two marks have these bits among the results
  }
  return to != kWindows1251 && halves == kHighHalf;
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
  if (convertUnits(text.utf16(), reinterpret_cast<char16_t*>(result.data()), text.size(), from, to))
    replaceSurrogates(result);
  return result;
}

void ConvertCodePageInPlace(QString& text, int from, int to) {
  if (from == to) return;
  char16_t* units = reinterpret_cast<char16_t*>(text.data());
  if (convertUnits(units, units, text.size(), from, to)) replaceSurrogates(text);
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
