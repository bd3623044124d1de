// Detection of a text's code page: Russian text written in each code page (by the system's iconv)
// and shown as Windows-1251, as the editor shows a file it read.
#include <gtest/gtest.h>
#include <iconv.h>

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "platform/cp1251.h"
#include "text/code_page.h"

namespace text {
namespace {

const char* const kIconvNames[] = {"CP1251", "IBM866", "KOI8-R", "MAC-CYRILLIC", "ISO-8859-5"};

// `text` written in code page `code` and read back as Windows-1251, as the editor shows such a
// file. Every character must exist in that code page.
QString shownAsWindows(const QString& text, int code) {
  iconv_t cd = iconv_open(kIconvNames[code - 1], "UTF-8");
  QByteArray in = text.toUtf8();
  QByteArray out(in.size() + 4, '\0');
  char* inPtr = in.data();
  size_t inLeft = size_t(in.size());
  char* outPtr = out.data();
  size_t outLeft = size_t(out.size());
  const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  EXPECT_NE(done, size_t(-1)) << "not encodable in " << kIconvNames[code - 1];
  out.truncate(out.size() - qsizetype(outLeft));
  return cp1251::decode(out);
}

// Right when the answer converts the text to what the true code page converts it to.
void expectReadsRight(const QString& shown, int code) {
  const int detected = DetectCodePage(shown);
  ASSERT_GE(detected, 1);
  EXPECT_EQ(ConvertCodePage(shown, detected, 1), ConvertCodePage(shown, code, 1))
      << "detected " << detected << ", written in " << code;
}

TEST(DetectCodePage, OneLineOfProseInEachCodePage) {
  const QString lines[] = {
      u"Мороз и солнце; день чудесный!"_qs,
      u"Он долго смотрел в окно и молчал."_qs,
      u"ПРОВЕРКА СВЯЗИ: ВСЁ РАБОТАЕТ"_qs,
      u"Вчера в Москве шёл снег, а сегодня тепло."_qs,
      u"Съешь же ещё этих мягких французских булок, да выпей чаю."_qs,
      u"Файл не найден"_qs,
      u"Я пришёл"_qs,
      u"Привет, мир"_qs,
  };
  for (const QString& line : lines)
    for (int code = 1; code <= kCodePageCount; ++code) {
      SCOPED_TRACE(QString("%1 in %2").arg(line).arg(code).toStdString());
      expectReadsRight(shownAsWindows(line, code), code);
    }
}

TEST(DetectCodePage, WindowsTextNeedsNoConversion) {
  // The rule of taking the first code page that covers the text answered KOI8-R here and
  // scrambled correct text.
  const QString texts[] = {
      u"Привет"_qs,
      u"Привет, мир! Как дела?"_qs,
      u"«Ёлки-палки», — сказал он. №5"_qs,
      u"В 1990 г. было 5 %."_qs,
      u"Только заглавные: ОТЧЁТ ЗА ГОД"_qs,
  };
  for (const QString& text : texts) {
    SCOPED_TRACE(text.toStdString());
    EXPECT_EQ(DetectCodePage(text), kWindows1251);
  }
}

TEST(DetectCodePage, TextsWithoutRussianLetters) {
  struct {
    const char* name;
    QString text;
    int expect;
  } cases[] = {
      {"empty", u""_qs, 1},
      {"Latin only", u"Hello, world!\r\nint main() { return 0; }"_qs, 1},
      {"characters Windows-1251 lacks", u"日本語のテキスト 😀 ü"_qs, 1},
      {"one space", u" "_qs, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DetectCodePage(c.text), c.expect);
  }
}

TEST(DetectCodePage, SameReadingInTwoCodePagesAnswersWindows) {
  // Lower-case letters а..ю sit at the same bytes in Windows-1251 and Macintosh Cyrillic.
  const QString text = u"дом и сад"_qs;
  ASSERT_EQ(ConvertCodePage(text, 4, 1), text);
  EXPECT_EQ(DetectCodePage(text), kWindows1251);
  EXPECT_EQ(DetectCodePage(shownAsWindows(text, kMacCyrillic)), kWindows1251);
}

TEST(DetectCodePage, RandomBytesFitNoCodePage) {
  QByteArray bytes;
  std::uint32_t seed = 12345;
  for (int i = 0; i < 2000; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes.append(char(0x80 + (seed >> 16) % 128));
  }
  EXPECT_EQ(DetectCodePage(cp1251::decode(bytes)), 0);
}

TEST(DetectCodePage, LongTextsAreSampledAcrossTheirLength) {
  const QString sentence = u"Это длинный документ, в котором много строк русского текста.\r\n"_qs;
  QString russian;
  while (russian.size() < 200000) russian += sentence;
  QString latin;
  while (latin.size() < 100000) latin += u"for (int i = 0; i < n; ++i) sum += i;\r\n"_qs;
  struct {
    const char* name;
    QString text;
    int code;
  } cases[] = {
      {"Russian throughout", russian, kKoi8R},
      {"Russian only in the middle of code", latin + sentence + latin, kDos866},
      {"Russian only at the end", latin + latin + sentence, kIso8859_5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DetectCodePage(shownAsWindows(c.text, c.code)), c.code);
    EXPECT_EQ(DetectCodePage(c.text), kWindows1251);
  }
}

TEST(GuessCodePage, SureOnlyWhenOneReadingStandsOut) {
  QString longKoi;
  while (longKoi.size() < 3000) longKoi += u"Это длинный документ: много строк русского текста. "_qs;
  QByteArray noise;
  for (int i = 0; i < 600; ++i) noise.append(char(0x80 + (i * 37) % 128));
  struct {
    const char* name;
    QString text;
    int code;
    bool sure;
  } cases[] = {
      {"empty", u""_qs, kWindows1251, true},
      {"ASCII", u"Hello, world!"_qs, kWindows1251, true},
      {"a long KOI8-R text", shownAsWindows(longKoi, kKoi8R), kKoi8R, true},
      {"a sentence in DOS 866", shownAsWindows(u"Привет, мир! Как дела?"_qs, kDos866), kDos866,
       true},
      // Lower-case letters а..ю are the same bytes in Windows-1251 and Macintosh Cyrillic.
      {"lower case read alike by two", u"дом и сад"_qs, kWindows1251, false},
      {"the same in Macintosh Cyrillic", shownAsWindows(u"дом и сад"_qs, kMacCyrillic),
       kWindows1251, false},
      {"one short word in KOI8-R", shownAsWindows(u"Да"_qs, kKoi8R), kKoi8R, false},
      {"bytes that are no Russian text", cp1251::decode(noise), 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CodePageGuess guess = GuessCodePage(c.text);
    EXPECT_EQ(guess.codePage, c.code);
    EXPECT_EQ(guess.sure, c.sure) << "margin " << guess.margin;
    EXPECT_EQ(guess.codePage, DetectCodePage(c.text));
    if (c.code != 0) {
      EXPECT_EQ(guess.sure, IsSureCodePageMargin(guess.margin));
    }
  }
}

TEST(GuessCodePage, ASureGuessIsTheCodePageTheTextWasWrittenIn) {
  // A batch rewrites a file in the code page it was sure of: being sure and wrong would write
  // other letters into it.
  const QString lines[] = {
      u"Мороз и солнце; день чудесный! Ещё ты дремлешь, друг прелестный."_qs,
      u"Он долго смотрел в окно и молчал."_qs,
      u"ПРОВЕРКА СВЯЗИ: ВСЁ РАБОТАЕТ"_qs,
      u"Вчера в Москве шёл снег, а сегодня тепло."_qs,
      u"Файл не найден"_qs,
      u"Я пришёл"_qs,
      u"яблоко"_qs,
      u"Ёж"_qs,
      u"юла и ящик"_qs,
      u"ЭХО"_qs,
      u"Итого: 5 шт."_qs,
  };
  int sure = 0;
  for (const QString& line : lines)
    for (int code = 1; code <= kCodePageCount; ++code) {
      SCOPED_TRACE(QString("%1 in %2").arg(line).arg(code).toStdString());
      const CodePageGuess guess = GuessCodePage(shownAsWindows(line, code));
      if (!guess.sure) continue;
      ++sure;
      EXPECT_EQ(guess.codePage, code) << "margin " << guess.margin;
    }
  EXPECT_GT(sure, 30) << "most of these are plain enough to be sure of";
}

}  // namespace
}  // namespace text
