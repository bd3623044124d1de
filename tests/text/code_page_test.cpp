// Conversion between the code pages, checked byte by byte against the system's iconv tables, and
// the code pages' names.
#include "text/code_page.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <QByteArray>
#include <QString>
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

QString allCodes() {
  QByteArray bytes(256, '\0');
  for (int b = 0; b < 256; ++b) bytes[b] = char(b);
  return cp1251::decode(bytes);
}

QByteArray allBytes() { return cp1251::encode(allCodes()); }

bool isRussianLetterWithoutYo(const QString& s) {
  if (s.size() != 1) return false;
  const char16_t c = s[0].unicode();
  return c >= u'А' && c <= u'я';
}

// What byte `b` of code page `code` becomes in Windows-1251, by iconv's table of that code page.
char oracleToWindows(int code, int b) {
  if (b < 0x80) return char(b);
  const auto utf8 = iconvConvert("UTF-8", kIconvNames[code - 1], QByteArray(1, char(b)));
  if (!utf8) return '?';
  const QString letter = QString::fromUtf8(*utf8);
  return isRussianLetterWithoutYo(letter) ? char(cp1251::code(letter[0])) : '?';
}

// What Windows-1251 byte `b` becomes in code page `code`, by iconv.
char oracleFromWindows(int code, int b) {
  if (b < 0x80) return char(b);
  if (b < 0xC0) return '?';  // not one of the 64 letters
  const QByteArray letter = QString(cp1251::toUnicode(std::uint8_t(b))).toUtf8();
  const auto encoded = iconvConvert(kIconvNames[code - 1], "UTF-8", letter);
  return encoded && encoded->size() == 1 ? (*encoded)[0] : '!';
}

TEST(ConvertCodePage, EveryByteToWindowsMatchesIconv) {
  for (int code = 1; code <= kCodePageCount; ++code) {
    SCOPED_TRACE(kIconvNames[code - 1]);
    const QByteArray converted = ConvertCodePageBytes(allBytes(), code, kWindows1251);
    const QString convertedText = ConvertCodePage(allCodes(), code, kWindows1251);
    ASSERT_EQ(converted.size(), 256);
    for (int b = 0; b < 256; ++b) {
      SCOPED_TRACE(b);
      const char expected = code == kWindows1251 ? char(b) : oracleToWindows(code, b);
      EXPECT_EQ(converted[b], expected);
      EXPECT_EQ(convertedText[b], cp1251::toUnicode(std::uint8_t(expected)));
    }
  }
}

TEST(ConvertCodePage, EveryByteFromWindowsMatchesIconv) {
  for (int code = 2; code <= kCodePageCount; ++code) {
    SCOPED_TRACE(kIconvNames[code - 1]);
    const QByteArray converted = ConvertCodePageBytes(allBytes(), kWindows1251, code);
    const QString convertedText = ConvertCodePage(allCodes(), kWindows1251, code);
    for (int b = 0; b < 256; ++b) {
      SCOPED_TRACE(b);
      EXPECT_EQ(converted[b], oracleFromWindows(code, b));
      EXPECT_EQ(convertedText[b], cp1251::toUnicode(std::uint8_t(converted[b])));
    }
  }
}

TEST(ConvertCodePage, BetweenTwoOtherCodePagesGoesThroughTheLetters) {
  // DOS 866 to KOI8-R straight equals DOS 866 to Windows-1251 to KOI8-R.
  for (int from = 2; from <= kCodePageCount; ++from)
    for (int to = 2; to <= kCodePageCount; ++to) {
      if (from == to) continue;
      SCOPED_TRACE(QString("%1 -> %2").arg(from).arg(to).toStdString());
      const QByteArray viaWindows =
          ConvertCodePageBytes(ConvertCodePageBytes(allBytes(), from, 1), 1, to);
      EXPECT_EQ(ConvertCodePageBytes(allBytes(), from, to), viaWindows);
    }
}

TEST(ConvertCodePage, RoundTripRestoresEveryRussianLetter) {
  QString letters;
  for (char16_t c = u'А'; c <= u'я'; ++c) letters += QChar(c);
  const QString ascii = QString::fromLatin1(allBytes().left(128));
  for (int code = 2; code <= kCodePageCount; ++code) {
    SCOPED_TRACE(code);
    const QString there = ConvertCodePage(letters + u"Ёё"_qs + ascii, 1, code);
    EXPECT_NE(there.left(64), letters);
    EXPECT_EQ(ConvertCodePage(there, code, 1), letters + u"??"_qs + ascii);
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
      {"Windows to KOI8-R", u"Привет"_qs, 1, 3, u"рТЙЧЕФ"_qs},
      {"KOI8-R to Windows", u"рТЙЧЕФ"_qs, 3, 1, u"Привет"_qs},
      {"А in Macintosh Cyrillic is 80", u"А"_qs, 1, 4, cp1251::decode("\x80")},
      {"я in Macintosh Cyrillic is DF", u"я"_qs, 1, 4, cp1251::decode("\xDF")},
      {"А in ISO 8859-5 is B0", u"А"_qs, 1, 5, cp1251::decode("\xB0")},
      {"Ё and typography become ?", u"Ё«№»—…"_qs, 1, 2, u"??????"_qs},
      {"non-letters of another code page become ?", cp1251::decode("\xB0\xF0"), 2, 1, u"??"_qs},
      {"a character Windows-1251 lacks is one ?", u"a😀b€"_qs, 1, 5, u"a?b?"_qs},
      {"lone surrogate halves are one ? each", QString::fromUtf16(u"\xDC00x\xD800"), 2, 1, u"?x?"_qs},
      {"surrogate pairs side by side", u"😀😀z"_qs, 3, 1, u"??z"_qs},
      {"line ends and ASCII are kept", u"A\r\nz~\t"_qs, 1, 3, u"A\r\nz~\t"_qs},
      {"unlisted source has no letters", u"Яz"_qs, 0, 1, u"?z"_qs},
      {"unlisted target has no letters", u"Яz"_qs, 1, 6, u"?z"_qs},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ConvertCodePage(c.text, c.from, c.to), c.expect);
    QString inPlace = c.text;
    ConvertCodePageInPlace(inPlace, c.from, c.to);
    EXPECT_EQ(inPlace, c.expect);
  }
}

TEST(ConvertCodePage, LongTextRoundTrips) {
  QString text;
  for (int i = 0; i < 100000; ++i) text += u"Съешь же ещё этих мягких французских булок.\r\n";
  const QString dos = ConvertCodePage(text, 1, 2);
  ASSERT_EQ(dos.size(), text.size());
  QString expect = text;
  expect.replace(u'ё', u'?');
  EXPECT_EQ(ConvertCodePage(dos, 2, 1), expect);
  EXPECT_EQ(ConvertCodePageBytes(cp1251::encode(dos), 2, 1), cp1251::encode(expect));
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
