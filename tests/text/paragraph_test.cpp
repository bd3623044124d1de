// Which lines start a paragraph, and what happens to them.
#include "text/paragraph.h"

#include <gtest/gtest.h>

#include "support/qt_print.h"

namespace text {
namespace {

TEST(FormatParagraphs, RecognisesAndReindents) {
  struct Case {
    const char* what;
    QString in;
    QString recSpace, indent;
    bool capitalise;
    QString expect;
  } cases[] = {
      {"only the first line starts", "первый\r\nвторой", "3", "3", false, "   первый\r\nвторой"},
      {"after an empty line", "а\r\n\r\nб", "3", "3", false, "   а\r\n\r\n   б"},
      {"tab and long runs to three", "x\r\n\tb\r\nx\r\n     c", "3", "3", false,
       "   x\r\n   b\r\nx\r\n   c"},
      {"two spaces after text stay", "x\r\n  y", "3", "3", false, "   x\r\n  y"},
      {"capital on", "   абв", "3", "3", true, "   Абв"},
      {"capital after the blanks only", "x\r\nвторая", "0", "2", true, "  X\r\n  Вторая"},
      {"every line with n = 0", "a\r\nb\r\n\r\n", "0", "1", false, " a\r\n b\r\n\r\n"},
      {"blanks alone become the indent", "x\r\n\t  \t", "3", "4", false, "    x\r\n    "},
      {"indent that is no number", "  x", "3", "abc", false, "x"},
      {"empty text", "", "3", "3", true, ""},
      {"one character", "ж", "3", "3", true, "   Ж"},
      {"short line is no start", "x\r\n  ", "3", "3", false, "   x\r\n  "},
      {"very long, empty last line stays", QString("\tабзац\r\nстрока\r\n").repeated(20000), "3",
       "2", false, QString("  абзац\r\nстрока\r\n").repeated(20000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FormatParagraphs(c.in, c.recSpace, c.indent, c.capitalise), c.expect);
  }
}

}  // namespace
}  // namespace text
