// Colour codes and the gradient: digits in the right order, exact rounding, one tag per
// character and per line end.
#include "html/html_colour.h"

#include <gtest/gtest.h>

#include "support/qt_print.h"

namespace html {
namespace {

TEST(ColorToHtml, ReversesTheBytePairsOfTheWindowsValue) {
  struct {
    int colour;
    QString expect;
  } cases[] = {
      {0, "000000"},
      {255, "FF0000"},          // pure red in the low byte
      {0x123456, "563412"},
      {0xFF0000, "0000FF"},     // blue
      {0x00AB00, "00AB00"},
      {0xFFFFFF, "FFFFFF"},
      {0x1000000 + 0x0A0B0C, "0C0B0A"},  // bits above the colour do not leak into it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.colour);
    EXPECT_EQ(ColorToHtml(c.colour), c.expect);
  }
}

QString tag(const QString& colour, const QString& c) {
  return "<FONT COLOR=" + colour + ">" + c + "</FONT>";
}

TEST(TextGradient, StepsEvenlyAndEndsOnTheEndColour) {
  struct {
    const char* name;
    QString text;
    int from, to;
    QString expect;
  } cases[] = {
      {"empty", "", 0, 0xFFFFFF, ""},
      {"tie 127.5 rounds to even 128", "ab", 0, 0xFFFFFF,
       tag("808080", "a") + tag("FFFFFF", "b")},
      {"one character takes the end colour", "x", 0x0000FF, 0xFF0000, tag("0000FF", "x")},
      {"equal colours", "abc", 0x123456, 0x123456,
       tag("563412", "a") + tag("563412", "b") + tag("563412", "c")},
      {"downwards", "ab", 0xFFFFFF, 0, tag("808080", "a") + tag("000000", "b")},
      {"a space gets its tag", "a b", 0, 0,
       tag("000000", "a") + tag("000000", " ") + tag("000000", "b")},
      // A line end is one step of the gradient, written as it was. CR and LF in tags of their
      // own each became a whole line break in the editor: every line break doubled.
      {"CR LF is one character", "a\r\nb", 0, 0xFFFFFF,
       tag("555555", "a") + tag("AAAAAA", "\r\n") + tag("FFFFFF", "b")},
      {"a lone LF", "a\nb", 0, 0xFFFFFF,
       tag("555555", "a") + tag("AAAAAA", "\n") + tag("FFFFFF", "b")},
      {"a lone CR", "a\rb", 0, 0xFFFFFF,
       tag("555555", "a") + tag("AAAAAA", "\r") + tag("FFFFFF", "b")},
      {"LF then CR are two line ends", "\n\r", 0, 0xFFFFFF,
       tag("808080", "\n") + tag("FFFFFF", "\r")},
      {"empty lines", "\r\n\r\n", 0, 0, tag("000000", "\r\n") + tag("000000", "\r\n")},
      // 1/6 * 3 is exactly 0.5 in double (ties to even: 0) but a little more with the step in
      // single precision (1): only the blue goes up.
      {"blue step in single precision", "abcdef", 0, 0x010101,
       tag("000000", "a") + tag("000000", "b") + tag("000001", "c") + tag("010101", "d") +
           tag("010101", "e") + tag("010101", "f")},
      {"a surrogate pair stays one character", QString::fromUtf8("a\xF0\x9F\x98\x80"), 0,
       0xFFFFFF, tag("808080", "a") + tag("FFFFFF", QString::fromUtf8("\xF0\x9F\x98\x80"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextGradient(c.text, c.from, c.to), c.expect);
  }
}

}  // namespace
}  // namespace html
