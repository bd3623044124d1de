// Numbers in words: the agreement of 1 and 2 with the gender of thousands, the three plural
// forms of the scale words, teens, empty groups, and the 21-digit limit.
#include "text/number_words.h"

#include <gtest/gtest.h>

#include "support/qt_print.h"

namespace text {
namespace {

struct WordsCase {
  QString digits;
  QString expect;
};

TEST(NumberWords, AgreementAndGroups) {
  const WordsCase cases[] = {
      {"0", "ноль"},
      {"", "ноль"},
      {"7", "семь"},
      {"1", "один"},
      {"2", "два"},
      {"10", "десять"},
      {"11", "одиннадцать"},
      {"19", "девятнадцать"},
      {"21", "двадцать один"},
      {"42", "сорок два"},
      {"100", "сто"},
      {"1000", "одна тысяча"},
      {"2000", "две тысячи"},
      {"5000", "пять тысяч"},
      {"11000", "одиннадцать тысяч"},
      {"12000", "двенадцать тысяч"},
      {"20000", "двадцать тысяч"},
      {"21000", "двадцать одна тысяча"},
      {"22000", "двадцать две тысячи"},
      {"111000", "сто одиннадцать тысяч"},
      {"1000000", "один миллион"},
      {"2000000", "два миллиона"},
      {"5000000", "пять миллионов"},
      {"12000000", "двенадцать миллионов"},
      {"30000000", "тридцать миллионов"},
      {"1001", "одна тысяча один"},
      {"1000001", "один миллион один"},
      {"1002002", "один миллион две тысячи два"},
      {"2001000000", "два миллиарда один миллион"},
      {"14000000000", "четырнадцать миллиардов"},
      {"3000000000000", "три триллиона"},
      {"1000000000000000", "один квадриллион"},
      {"007", "семь"},
      {"00", ""},
      {"000000", ""},
  };
  for (const WordsCase& c : cases) {
    SCOPED_TRACE(c.digits.toStdString());
    EXPECT_EQ(NumberToWords(c.digits), c.expect);
  }
}

TEST(NumberWords, TwentyOneDigitsAndBeyond) {
  EXPECT_EQ(NumberToWords("123456789012345678901"),
            "сто двадцать три квинтиллиона четыреста пятьдесят шесть квадриллионов семьсот "
            "восемьдесят девять триллионов двенадцать миллиардов триста сорок пять миллионов "
            "шестьсот семьдесят восемь тысяч девятьсот один");
  EXPECT_EQ(NumberToWords("1" + QString(20, u'0')), "сто квинтиллионов");
  EXPECT_EQ(NumberToWords("1" + QString(21, u'0')), "Value is too large");
  EXPECT_EQ(NumberToWords(QString(22, u'0')), "Value is too large");
}

TEST(NumberWords, TextThatIsNotAllDigitsStaysAsItIs) {
  for (const QString& s : {QString("-5"), QString("1 000"), QString("12,5"), QString("abc"),
                           QString("٣"), QString(" 7")}) {
    SCOPED_TRACE(s.toStdString());
    EXPECT_EQ(NumberToWords(s), s);
  }
}

}  // namespace
}  // namespace text
