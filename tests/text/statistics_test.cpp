#include "text/statistics.h"

#include <gtest/gtest.h>

#include "support/qt_print.h"

namespace text {
namespace {

// Words used to be the number of spaces plus one: an empty text had one word, 'a  b' three.
TEST(CountStatistics, WordsAreRunsBetweenBlanks) {
  struct {
    const char* in;
    qsizetype words;
  } cases[] = {{"", 0},           {" ", 0},         {"a", 1},           {"a  b", 2},
               {"a\r\nb", 2},     {"a\tb", 2},      {"  слово  ", 1},   {"раз, два; три", 3},
               {"a\r\n\r\n", 1},  {"\t\r\n", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(CountStatistics(QString::fromUtf8(c.in), 1).words, c.words);
  }
}

TEST(CountStatistics, CharactersWithAndWithoutSpaces) {
  const Statistics s = CountStatistics("a b\t\r\nc ", 2);
  EXPECT_EQ(s.characters, 8);
  EXPECT_EQ(s.nonSpaceCharacters, 6) << "tabs and both characters of a line break count";
  EXPECT_EQ(s.paragraphs, 2);
  EXPECT_EQ(StatisticsLines(s),
            (QStringList{"Символов (с пробелами): 8", "Символов (без пробелов): 6", "Слов: 3",
                         "Абзацев: 2"}));
}

TEST(Codes, DecimalAndHexadecimal) {
  struct {
    const char* in;
    const char* dec;
    const char* hex;
  } cases[] = {{"", "", ""},
               {"AB", "65 66", "41 42"},
               {"Я", "223", "DF"},
               {"\r\n", "13 10", "D A"},
               {"ё№", "184 185", "B8 B9"},
               {"€", "136", "88"},
               {"漢", "63", "3F"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(DecimalCodes(QString::fromUtf8(c.in)), c.dec);
    EXPECT_EQ(HexCodes(QString::fromUtf8(c.in)), c.hex);
  }
}

}  // namespace
}  // namespace text
