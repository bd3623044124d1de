// HTML source to text and text to HTML on the texts that show each rule.
#include "html/html_text.h"

#include <gtest/gtest.h>

namespace html {
namespace {

TEST(HtmlToText, TagsEntitiesAndWhiteSpace) {
  const struct {
    const char* html;
    const char* text;
  } cases[] = {
      {"<html><head><title>T</title></head><body bgcolor=white>Hi</body></html>", "Hi"},
      {"a<p>b", "a\r\n\r\nb"},
      {"a<P>b", "a\r\n\r\nb"},
      {"a<p class=x>b", "ab"},
      {"a<br>b", "a\r\nb"},
      {"a<BR>b", "a\r\nb"},
      {"a<br/>b", "ab"},
      {"a<div>b</div>c", "ab\r\n\r\nc"},
      {"<td>1</td><td>2</td></tr>", "1|2|\r\n"},
      {"x &amp; y", "x & y"},
      {"a&copy;b c", "a©b c"},
      {"&foo; ", "&foo; "},
      {"AT&T rocks", "AT&T rocks"},
      {"&Agrave; caf&eacute; &uuml;", "À café ü"},
      {"&laquo;да&raquo; 5&deg;", "«да» 5°"},
      {"&#169;", "&#169;"},
      {"&nbsp;&nbsp;x", "  x"},
      {"x  y", "x y"},
      {"x\ty", "x\ty"},
      {"a\r\n  b", "a b"},
      {"a  \r\n  b", "a  b"},
      {"a\nb\rc", "a b c"},
      {"a < b", "a  b"},        // a "<" without ">" vanishes
      {"1 <b>2</b> 3", "1 2 3"},
      {"", ""},
      {"<body>unclosed", "unclosed"},
      {"<BODY><p>x</BODY>after", "\r\n\r\nx"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HtmlToText(QString::fromUtf8(c.html)), QString::fromUtf8(c.text)) << c.html;
}

TEST(HtmlToText, StaysLinearOnLongTextsWithoutClosers) {
  // Many "<" and "&" without a closer after them: each one must not rescan the rest.
  const QString text = QString(200000, u'<') + QString(200000, u'&');
  EXPECT_EQ(HtmlToText(text), QString(200000, u'&'));
}

TEST(TextToHtml, EachOptionAndTheirOrder) {
  TextToHtmlOptions none;
  EXPECT_EQ(TextToHtml("a <b>\r\nc", none), "a <b>\r\nc");
  TextToHtmlOptions o;
  o.replaceSpaces = o.specialSymbols = true;
  EXPECT_EQ(TextToHtml("a <b>", o), "a&nbsp;&lt;b&gt;");
  o = {};
  o.specialSymbols = true;
  EXPECT_EQ(TextToHtml("AT&T \"q\" «да»", o), "AT&T &quot;q&quot; &laquo;да&raquo;");
  o = {};
  o.paragraphs = true;
  EXPECT_EQ(TextToHtml("a\r\n\r\nb", o), "<P>a</P>\r\n<P></P>\r\n<P>b</P>");
  o.lineBreaks = true;
  EXPECT_EQ(TextToHtml("a\r\nb", o), "<P>a<BR>b</P>");
  o = {};
  o.pageFrame = true;
  EXPECT_EQ(TextToHtml("x", o),
            "<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\nx\r\n</BODY>\r\n</HTML>");
}

}  // namespace
}  // namespace html
