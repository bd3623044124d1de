// The plain text of RTF documents as word processors write them.
#include <gtest/gtest.h>

#include "text/rtf_text.h"

namespace text {
namespace {

struct Case {
  const char* name;
  const char16_t* rtf;
  const char16_t* text;
};

TEST(RtfToText, KeepsTheDocumentsTextAndNothingElse) {
  const Case cases[] = {
      {"formatting and tables go", uR"({\rtf1\ansi{\fonttbl{\f0 Arial;}}{\colortbl;\red255\green0\blue0;}\f0 Hello, \b world\b0 !\par})",
       u"Hello, world!\r\n"},
      {"source line breaks are not text", u"{\\rtf1 one\r\ntwo\\par\r\nthree}", u"onetwo\r\nthree"},
      {"escaped braces and backslash", uR"({\rtf1 a\{b\}c\\d})", u"a{b}c\\d"},
      {"starred groups are skipped", uR"({\rtf1{\*\generator Writer 1.0;}text})", u"text"},
      {"information group is skipped", uR"({\rtf1{\info{\title Secret}}body})", u"body"},
      {"\\tab and \\line", uR"({\rtf1 a\tab b\line c})", u"a\tb\r\nc"},
      {"Cyrillic bytes by \\ansicpg1251", uR"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})",
       u"Привет"},
      {"Cyrillic fonts without a code page", uR"({\rtf1{\fonttbl{\f0\fcharset204 Arial;}}\'df})", u"Я"},
      {"Western bytes by default", uR"({\rtf1\ansi caf\'e9 \'80})", u"café €"},
      {"\\uN with its fallback skipped", uR"({\rtf1\uc1\u1055?\u1088?\u1080?})", u"При"},
      {"\\uc0 has no fallback", uR"({\rtf1\uc0\u1071 x})", u"Яx"},
      {"a negative \\uN is a UTF-16 unit", uR"({\rtf1\u-4064?})", u"\uF020"},
      {"fallback given as an escaped byte", uR"({\rtf1\u1071\'3f!})", u"Я!"},
      {"group scope of \\uc", uR"({\rtf1{\uc2\u1071 ab}\u1071 ab})", u"ЯЯb"},
      {"not RTF at all", u"plain {text}", u"plain {text}"},
      {"unterminated document", uR"({\rtf1 half)", u"half"},
      {"picture data skipped", uR"({\rtf1 a{\pict\pngblip 89504e47}b})", u"ab"},
      {"\\bin data skipped", u"{\\rtf1 a{\\*\\x\\bin3 }}}b}b}", u"ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RtfToText(QString::fromUtf16(c.rtf)), QString::fromUtf16(c.text));
  }
}

TEST(RtfToText, DeepNestingAndGarbageEndSafely) {
  QString deep = "{\\rtf1 ";
  for (int i = 0; i < 100000; ++i) deep += "{";
  deep += "x";
  EXPECT_EQ(RtfToText(deep), "x");
  EXPECT_EQ(RtfToText(QStringLiteral("{\\rtf1 \\")), "");
  EXPECT_EQ(RtfToText(QStringLiteral("{\\rtf1 \\'4")), "");
  EXPECT_EQ(RtfToText(QStringLiteral("{\\rtf1 \\u99999999999 x}")), "x");
}

}  // namespace
}  // namespace text
