// Conversion between the code pages, checked byte by byte against the system's iconv tables, and
// the code pages' names.
#include "text/code_page.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "platform/cp1251.h"

namespace text {
namespace {

// iconv's names of the code pages 1..5.
const char* const kIconvNames[] = {"CP1251", "IBM866", "KOI8-R", "MAC-CYRILLIC", "ISO-8859-5"};

// Converts with iconv; nullopt when a character has no place in the target.
std::optional<QByteArray> iconvConvert(const char* to, const char* from, const QByteArray& in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == iconv_t(-1)) return std::nullopt;
  QByteArray out(in.size() * 4 + 4, '\0');
  char* inPtr = const_cast<char*>(in.constData());
  size_t inLeft = size_t(in.size());
  char* outPtr = out.data();
  size_t outLeft = size_t(out.size());
  const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (done == size_t(-1)) return std::nullopt;
  out.truncate(out.size() - qsizetype(outLeft));
  return out;
}

// glibc's Macintosh Cyrillic has the currency sign at FF; the editor follows Apple's table since
// Mac OS 9, which has the euro sign there. Every other byte of every code page agrees.
constexpr unsigned char kMacEuroByte = 0xFF;
constexpr char16_t kEuro = u'€';
constexpr char16_t kGlibcMacFF = u'¤';

// The character byte `b` means in code page `code` (2..5), by iconv's table.
QString oracleMeaning(int code, int b) {
  if (code == kMacCyrillic && b == kMacEuroByte) return QString(QChar(kEuro));
  const auto utf8 = iconvConvert("UTF-8", kIconvNames[code - 1], QByteArray(1, char(b)));
  return utf8 ? QString::fromUtf8(*utf8) : QString();
}

// The byte code page `code` (2..5) stores `meaning` at, by iconv's table.
std::optional<unsigned char> oracleByte(int code, const QString& meaning) {
  if (code == kMacCyrillic && meaning == QChar(kEuro)) return kMacEuroByte;
  if (code == kMacCyrillic && meaning == QChar(kGlibcMacFF)) return std::nullopt;
  const auto encoded = iconvConvert(kIconvNames[code - 1], "UTF-8", meaning.toUtf8());
  if (!encoded || encoded->size() != 1) return std::nullopt;
  return static_cast<unsigned char>((*encoded)[0]);
}

// What the character of Windows-1251 byte `b` becomes from `from` to `to`, by the rule written
// out with iconv's tables.
QString oracleConvert(int from, int to, int b) {
  const QString meaning =
      from == kWindows1251 ? QString(cp1251::toUnicode(std::uint8_t(b))) : oracleMeaning(from, b);
  if (to == kWindows1251) return meaning;
  const auto stored = oracleByte(to, meaning);
  return stored ? QString(cp1251::toUnicode(*stored)) : QStringLiteral("?");
}

QString allCodes() {
  QByteArray bytes(256, '\0');
  for (int b = 0; b < 256; ++b) bytes[b] = char(b);
  return cp1251::decode(bytes);
}

QString inPlace(QString text, int from, int to) {
  ConvertCodePageInPlace(text, from, to);
  return text;
}

TEST(ConvertCodePage, EveryByteOfEveryPairMatchesIconv) {
  for (int from = 1; from <= kCodePageCount; ++from)
    for (int to = 1; to <= kCodePageCount; ++to) {
      if (from == to) continue;
      SCOPED_TRACE(
          QString("%1 -> %2").arg(kIconvNames[from - 1], kIconvNames[to - 1]).toStdString());
      const QString converted = ConvertCodePage(allCodes(), from, to);
      ASSERT_EQ(converted.size(), 256);
      EXPECT_EQ(inPlace(allCodes(), from, to), converted);
      for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const QString expect = oracleConvert(from, to, b);
        ASSERT_EQ(expect.size(), 1) << "iconv defines every byte";
        EXPECT_EQ(converted[b], expect[0]);
      }
    }
}

// The letter tables the conversion used to have: each code page's bytes of А..Я, then а..я.
using LetterTable = std::array<std::uint8_t, 64>;

constexpr LetterTable range(int capitals, int lowerFirst, int lowerSecond, int lowerSplit) {
  LetterTable t{};
  for (int i = 0; i < 32; ++i) t[i] = std::uint8_t(capitals + i);
  for (int i = 0; i < 32; ++i)
    t[32 + i] = std::uint8_t(i < lowerSplit ? lowerFirst + i : lowerSecond + i - lowerSplit);
  return t;
}

constexpr LetterTable kKoiLetters = {
    0xE1, 0xE2, 0xF7, 0xE7, 0xE4, 0xE5, 0xF6, 0xFA, 0xE9, 0xEA, 0xEB, 0xEC, 0xED,
    0xEE, 0xEF, 0xF0, 0xF2, 0xF3, 0xF4, 0xF5, 0xE6, 0xE8, 0xE3, 0xFE, 0xFB, 0xFD,
    0xFF, 0xF9, 0xF8, 0xFC, 0xE0, 0xF1, 0xC1, 0xC2, 0xD7, 0xC7, 0xC4, 0xC5, 0xD6,
    0xDA, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0, 0xD2, 0xD3, 0xD4, 0xD5,
    0xC6, 0xC8, 0xC3, 0xDE, 0xDB, 0xDD, 0xDF, 0xD9, 0xD8, 0xDC, 0xC0, 0xD1};
constexpr LetterTable kMacLetters = [] {
  LetterTable t = range(0x80, 0xE0, 0, 32);
  t[63] = 0xDF;
  return t;
}();
constexpr std::array<LetterTable, kCodePageCount> kLetters = {
    range(0xC0, 0xE0, 0, 32), range(0x80, 0xA0, 0xE0, 16), kKoiLetters, kMacLetters,
    range(0xB0, 0xD0, 0, 32)};

TEST(ConvertCodePage, LettersKeepTheirPlaces) {
  for (int from = 1; from <= kCodePageCount; ++from)
    for (int to = 1; to <= kCodePageCount; ++to) {
      SCOPED_TRACE(QString("%1 -> %2").arg(from).arg(to).toStdString());
      for (int i = 0; i < 64; ++i) {
        const QChar letter = cp1251::toUnicode(kLetters[from - 1][i]);
        EXPECT_EQ(ConvertCodePage(QString(letter), from, to),
                  QString(cp1251::toUnicode(kLetters[to - 1][i])))
            << "letter " << i;
      }
    }
}

TEST(ConvertCodePage, EveryByteSurvivesTheWayToUnicodeAndBack) {
  for (int code = 2; code <= kCodePageCount; ++code) {
    SCOPED_TRACE(kIconvNames[code - 1]);
    const QString unicode = ConvertCodePage(allCodes(), code, kWindows1251);
    EXPECT_EQ(ConvertCodePage(unicode, kWindows1251, code), allCodes());
    EXPECT_EQ(inPlace(inPlace(allCodes(), code, kWindows1251), kWindows1251, code), allCodes());
  }
}

TEST(ConvertCodePage, StraightEqualsThroughUnicode) {
  // Typed characters Windows-1251 lacks ride along: box drawing, an emoji, a lone surrogate half.
  const QString text = allCodes() + u"─╬😀€Ω"_qs + QString::fromUtf16(u"\xD800");
  for (int from = 0; from <= kCodePageCount + 1; ++from)
    for (int to = 0; to <= kCodePageCount + 1; ++to) {
      if (from == to) continue;
      SCOPED_TRACE(QString("%1 -> %2").arg(from).arg(to).toStdString());
      EXPECT_EQ(ConvertCodePage(text, from, to),
                ConvertCodePage(ConvertCodePage(text, from, kWindows1251), kWindows1251, to));
    }
}

TEST(ConvertCodePage, TypographySurvivesWhereTheCodePageHoldsIt) {
  struct {
    const char* name;
    QString text;
    QString back[4];  // after 1 -> k -> 1 for DOS 866, KOI8-R, Macintosh, ISO 8859-5
  } cases[] = {
      {"ё and Ё", u"ещё Ёлка"_qs, {u"ещё Ёлка"_qs, u"ещё Ёлка"_qs, u"ещё Ёлка"_qs, u"ещё Ёлка"_qs}},
      {"numero", u"№5"_qs, {u"№5"_qs, u"?5"_qs, u"№5"_qs, u"№5"_qs}},
      {"quotes", u"«ёж»"_qs, {u"?ёж?"_qs, u"?ёж?"_qs, u"«ёж»"_qs, u"?ёж?"_qs}},
      {"dash", u"а — б"_qs, {u"а ? б"_qs, u"а ? б"_qs, u"а — б"_qs, u"а ? б"_qs}},
      {"box drawing", u"┌─┐│╚═╝"_qs, {u"┌─┐│╚═╝"_qs, u"┌─┐│╚═╝"_qs, u"???????"_qs, u"???????"_qs}},
  };
  for (const auto& c : cases)
    for (int code = 2; code <= kCodePageCount; ++code) {
      SCOPED_TRACE(QString("%1 in %2").arg(c.name, kIconvNames[code - 1]).toStdString());
      const QString there = ConvertCodePage(c.text, kWindows1251, code);
      EXPECT_EQ(ConvertCodePage(there, code, kWindows1251), c.back[code - 2]);
    }
}

TEST(ConvertCodePage, Cases) {
  struct {
    const char* name;
    QString text;
    int from, to;
    QString expect;
  } cases[] = {
      {"same code page keeps everything", u"Ёлка — №1 😀"_qs, 3, 3, u"Ёлка — №1 😀"_qs},
      {"same unlisted code page keeps everything", u"Ёж"_qs, 9, 9, u"Ёж"_qs},
      {"empty", u""_qs, 1, 2, u""_qs},
      {"one character", u"я"_qs, 1, 2, cp1251::decode("\xEF")},
      {"the example of the contract", u"Привет, ещё «ёж»"_qs, 1, 3, u"рТЙЧЕФ, ЕЭЈ ?ЈЦ?"_qs},
      {"KOI8-R to Windows", u"рТЙЧЕФ"_qs, 3, 1, u"Привет"_qs},
      // Reading a KOI8-R file, choosing its code page and saving used to turn ё into "?".
      {"ё of a KOI8-R file", cp1251::decode("\xC5\xDD\xA3"), 3, 1, u"ещё"_qs},
      {"ё back to KOI8-R", u"ещё"_qs, 1, 3, cp1251::decode("\xC5\xDD\xA3")},
      {"Ё and typography in DOS 866", u"Ё«№»—…"_qs, 1, 2, cp1251::decode("\xF0?\xFC???")},
      {"pseudographics of DOS 866", cp1251::decode("\xB0\xC4\xF0"), 2, 1, u"░─Ё"_qs},
      {"DOS 866 to KOI8-R keeps what both hold", cp1251::decode("\xC4\xF0\xFC"), 2, 3,
       cp1251::decode("\x80\xB3?")},
      {"ISO 8859-5 80..9F are control characters", cp1251::decode("\x85\x98"), 5, 1,
       QString::fromUtf16(u"\x0085\x0098")},
      {"a character Windows-1251 lacks is one ?", u"a😀b€"_qs, 1, 5, u"a?b?"_qs},
      {"towards 1 nothing is lost", u"a😀─"_qs, 3, 1, u"a😀─"_qs},
      {"a typed character means itself", u"─"_qs, 3, 2, cp1251::decode("\xC4")},
      {"lone surrogate halves are one ? each", QString::fromUtf16(u"\xDC00x\xD800"), 1, 2,
       u"?x?"_qs},
      {"lone surrogate halves kept towards 1", QString::fromUtf16(u"\xDC00x\xD800"), 2, 1,
       QString::fromUtf16(u"\xDC00x\xD800")},
      {"surrogate pairs side by side", u"😀😀z"_qs, 1, 3, u"??z"_qs},
      {"line ends and ASCII are kept", u"A\r\nz~\t"_qs, 1, 3, u"A\r\nz~\t"_qs},
      {"unlisted source holds ASCII alone", u"Яz😀"_qs, 0, 1, u"?z😀"_qs},
      {"unlisted target holds ASCII alone", u"Яz😀"_qs, 1, 6, u"?z?"_qs},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ConvertCodePage(c.text, c.from, c.to), c.expect);
    EXPECT_EQ(inPlace(c.text, c.from, c.to), c.expect);
  }
}

TEST(ConvertCodePage, LongTextRoundTrips) {
  QString text;
  for (int i = 0; i < 100000; ++i) text += u"Съешь же ещё этих мягких французских булок — №1.\r\n";
  const QString dos = ConvertCodePage(text, 1, 2);
  ASSERT_EQ(dos.size(), text.size());
  QString expect = text;
  expect.replace(u'—', u'?');
  EXPECT_EQ(ConvertCodePage(dos, 2, 1), expect);
  EXPECT_EQ(inPlace(dos, 2, 1), expect);
}

TEST(CodePageNames, AsMenusDialogAndStatusBarShowThem) {
  struct {
    int code;
    const char* menu;
    const char* list;
    const char* status;
    int menuIndex;
  } cases[] = {
      {1, "Win-1251", "Win - 1251", "Win - 1251", 0}, {2, "Dos - 866", "Dos - 866", "Dos - 866", 1},
      {3, "Koi - 8r", "Koi - 8r", "Koi - 8r", 2},     {4, "Macintosh", "Macintosh", "Mac", 4},
      {5, "Iso - 8859", "Iso - 8859", "Iso - 5599", 3}, {0, "", "", "", -1},
      {6, "", "", "", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(CodePageMenuCaption(c.code), QString::fromUtf8(c.menu));
    EXPECT_EQ(CodePageListName(c.code), QString::fromUtf8(c.list));
    EXPECT_EQ(CodePageStatusName(c.code), QString::fromUtf8(c.status));
    EXPECT_EQ(MenuIndexOfCodePage(c.code), c.menuIndex);
    if (c.menuIndex >= 0) {
      EXPECT_EQ(CodePageOfMenuIndex(c.menuIndex), c.code);
    }
  }
  EXPECT_EQ(CodePageOfMenuIndex(-1), 0);
  EXPECT_EQ(CodePageOfMenuIndex(5), 0);
}

}  // namespace
}  // namespace text
