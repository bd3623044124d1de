// Letter case, transliteration and the keyboard-layout swaps, from the cases users meet.
#include <gtest/gtest.h>

#include "support/qt_print.h"
#include "text/keyboard_layout.h"
#include "text/letter_case.h"
#include "text/transliteration.h"

namespace text {
namespace {

struct Row {
  const char* name;
  QString (*operation)(const QString&);
  QString in;
  QString expect;
};

TEST(LetterCase, EachOperationOnItsCases) {
  const Row rows[] = {
      {"upper", ToUpperCase, "Ёжик в тумане, ß & x1", "ЁЖИК В ТУМАНЕ, ß & X1"},
      {"lower", ToLowerCase, "ЁЖИК Hello", "ёжик hello"},
      {"lines: rest kept", CapitalizeLines, "пРИВЕТ", "ПРИВЕТ"},
      {"lines: every line", CapitalizeLines, "первая\r\nвторая", "Первая\r\nВторая"},
      {"lines: empty lines kept", CapitalizeLines, "а\r\n\r\nб\r\n", "А\r\n\r\nБ\r\n"},
      {"lines: lone LF is not a break", CapitalizeLines, "а\nб", "А\nб"},
      {"lines: leading space", CapitalizeLines, " а", " а"},
      {"words: double space kept", CapitalizeWords, "мама  мыла раму", "Мама  Мыла Раму"},
      {"words: tab and dash join", CapitalizeWords, "a\tb c-d", "A\tb C-d"},
      {"words: across lines", CapitalizeWords, "ab cd\r\nef  ", "Ab Cd\r\nEf  "},
      {"words: rest kept", CapitalizeWords, "hELLO", "HELLO"},
      {"invert", InvertCase, "Abc Где 123", "aBC гДЕ 123"},
      {"invert: Ё", InvertCase, "Ёё", "ёЁ"},
      {"invert: outside the plane", InvertCase, QString::fromUcs4(U"\U00010400\U00010428"),
       QString::fromUcs4(U"\U00010428\U00010400")},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.operation(r.in), r.expect);
  }
  for (const auto op : {ToUpperCase, ToLowerCase, CapitalizeLines, CapitalizeWords, InvertCase})
    EXPECT_EQ(op(QString()), QString());
}

// Every character outside the surrogates maps as Qt's own simple case mapping has it.
TEST(LetterCase, SingleCharactersFollowUnicode) {
  for (char32_t u = 0; u < 0x10000; ++u) {
    if (QChar::isSurrogate(u)) continue;
    const QString c{QChar(char16_t(u))};
    ASSERT_EQ(ToUpperCase(c), QString(QChar(char16_t(QChar::toUpper(u))))) << int(u);
    ASSERT_EQ(ToLowerCase(c), QString(QChar(char16_t(QChar::toLower(u))))) << int(u);
    const bool lower = QChar::toLower(u) == u;
    ASSERT_EQ(InvertCase(c), lower ? ToUpperCase(c) : ToLowerCase(c)) << int(u);
  }
}

// Each character is an independent fair choice: a pinned seed repeats itself, and neither
// choice comes in long runs (a generator reseeded per character from a clock would).
TEST(LetterCase, RandomCaseIsAFreshFairChoicePerCharacter) {
  const QString text(20000, u'ж');
  const QString once = RandomCase(text, 42);
  EXPECT_EQ(once, RandomCase(text, 42));
  EXPECT_NE(once, RandomCase(text, 43));
  int upper = 0, changes = 0;
  for (qsizetype i = 0; i < once.size(); ++i) {
    ASSERT_TRUE(once[i] == u'ж' || once[i] == u'Ж');
    upper += once[i] == u'Ж';
    if (i > 0 && once[i] != once[i - 1]) ++changes;
  }
  EXPECT_NEAR(upper, 10000, 400);
  EXPECT_NEAR(changes, 10000, 400);
  EXPECT_EQ(RandomCase("12 ,.", 7), "12 ,.");
}

TEST(Transliteration, TableAndItsMixedCase) {
  const Row rows[] = {
      {"щ", Transliterate, "Щука", "SCHuka"},
      {"ю я", Transliterate, "Юля", "Yulya"},
      {"ъ", Transliterate, "Съезд", "S`ezd"},
      {"capitals", Transliterate, "ЧАЙ", "CHAY"},
      {"ю я capital", Transliterate, "ЮЯ", "YuYa"},
      {"ь э ы", Transliterate, "Мыльная Эль", "Myl'naya El'"},
      {"alphabet", Transliterate, "абвгдежзийклмнопрстуфхцчшщъыьэюя",
       "abvgdejziyklmnoprstufhcchshsch`y'eyuya"},
      {"Ё and others copied", Transliterate, "Ёё №1 €", "Ёё №1 €"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.operation(r.in), r.expect);
  }
}

TEST(KeyboardLayout, SwapsAndWhatItLeaves) {
  const Row rows[] = {
      {"to Latin", LayoutToLatin, "Привет", "Ghbdtn"},
      {"to Russian", LayoutToRussian, "Ghbdtn", "Привет"},
      {"lower b", LayoutToRussian, "b", "и"},
      {"upper B", LayoutToRussian, "B", "И"},
      {"punctuation keys", LayoutToRussian, "<>,.;:'\"[]{}", "БЮбюжЖэЭхъХЪ"},
      {"digits and others kept", LayoutToRussian, "123 !\t\r\n", "123 !\t\r\n"},
      {"beyond ASCII kept", LayoutToRussian, "ж€", "ж€"},
      {"Ё and № kept", LayoutToLatin, "Ё№ ё", "Ё№ ё"},
      {"Latin kept", LayoutToLatin, "abc", "abc"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.operation(r.in), r.expect);
  }
}

// All 64 letters go to 64 distinct keys and come back.
TEST(KeyboardLayout, RoundTripOverAllLetters) {
  QString letters;
  for (char16_t c = u'А'; c <= u'я'; ++c) letters += QChar(c);
  ASSERT_EQ(letters.size(), 64);
  const QString keys = LayoutToLatin(letters);
  for (const QChar k : keys) {
    SCOPED_TRACE(QString(k).toStdString());
    EXPECT_TRUE(k.unicode() > 32 && k.unicode() < 128);
    EXPECT_EQ(keys.count(k), 1);
  }
  EXPECT_EQ(LayoutToRussian(keys), letters);
  EXPECT_EQ(LayoutToLatin(LayoutToRussian(keys)), keys);
}

}  // namespace
}  // namespace text
