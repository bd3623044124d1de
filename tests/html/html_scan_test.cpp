// The scans of the HTML lists: which tags count as links, where an address starts and ends,
// and that broken input ends the scan with an error line instead of running away.
#include "html/html_scan.h"

#include <gtest/gtest.h>

#include "support/qt_print.h"

namespace html {
namespace {

TEST(HyperLinks, ListsTargetsAndMarksBrokenTags) {
  struct {
    const char* name;
    QString text;
    QStringList entries;
    int count;
  } cases[] = {
      {"none", "<p>no links</p>", {}, 0},
      {"any case, tag without href", "<A HREF=\"a.htm\">x</A> <a name=top>",
       {"a.htm", " name=top - Ошибка!"}, 2},
      {"abbr and area count too", "<abbr title=\"x\">y</abbr><area href=\"m.htm\">",
       {"bbr title=\"x\" - Ошибка!", "m.htm"}, 2},
      {"empty target counted, not listed", "<a href=\"\">x</a><a href=\"b\">", {"b"}, 2},
      {"no > after the tag ends the scan", "<a href=\"x\">1</a> <a href=\"y\" <a href=\"z",
       {"x", " href=\"y\" <a href=\"z - Ошибка!"}, 2},
      {"no closing quote inside the tag", "<a href=\"x>y</a><a href=\"ok\">",
       {" href=\"x - Ошибка!", "ok"}, 2},
      {"the scan goes on after the tag's >", "<a x=\"<a\">", {" x=\"<a\" - Ошибка!"}, 1},
      {"href= needs the quote right after it", "<a href=x.htm>", {" href=x.htm - Ошибка!"}, 1},
      {"target ends at the first quote", "<a class=q href=\"a.htm\" title=\"t\">",
       {"a.htm"}, 1},
      {"lone <a at the very end", "text <a", {" - Ошибка!"}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const LinkList links = HyperLinks(c.text);
    EXPECT_EQ(links.entries, c.entries);
    EXPECT_EQ(links.count, c.count);
  }
}

TEST(EMailAddresses, TakesTheStretchAroundEachAt) {
  struct {
    const char* name;
    QString text;
    QStringList expect;
  } cases[] = {
      {"empty", "", {}},
      {"comma and final point", "Пишите на mail: a@b.ru, c@d.org.", {"a@b.ru", "c@d.org"}},
      {"no point is no address", "user@localhost and a@b.ru", {"a@b.ru"}},
      {"whole text is one address", "x@y.z", {"x@y.z"}},
      {"line breaks are spaces", "a@b.ru\r\nc@d.ru\r\n", {"a@b.ru", "c@d.ru"}},
      {"starts after > or :", "<b>a@b.ru</b> mailto:c@d.ru\"", {"a@b.ru", "c@d.ru"}},
      // The tag after an address in a page, and a sentence's point before it, are not part of it.
      {"ends before a tag", "<p>mail: petr@mail.example.org.</p>", {"petr@mail.example.org"}},
      {"a point inside is no end", "first.last@mail.example.ru. Next",
       {"first.last@mail.example.ru"}},
      {"a point before the @ is enough", "a.b@c x", {"a.b@c"}},
      {"two @ list the address twice", "a@b@c.d", {"a@b@c.d", "a@b@c.d"}},
      {"point at the end of the text", "a@b.", {}},
      {"a lone @", "@", {}},
      {"@ right after the separator", " @.ru ", {"@.ru"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EMailAddresses(c.text), c.expect);
  }
}

TEST(EMailAddresses, CallsBetweenAfterEachAddress) {
  int calls = 0;
  EMailAddresses(QStringLiteral("a@b.c d@e.f g@h"), [&calls] { ++calls; });
  EXPECT_EQ(calls, 2);
}

TEST(EMailAddresses, RunOfAtSignsGivesOneAddressPerAt) {
  // The case that made a rescan per "@": every "@" has the same start and end.
  const QString run = QString("a@").repeated(1000) + ".ru";
  const QStringList found = EMailAddresses(run);
  ASSERT_EQ(found.size(), 1000);
  EXPECT_EQ(found.first(), run);
  EXPECT_EQ(found.last(), run);
}

TEST(SourceNames, TakesExactLowerCaseSrcValues) {
  struct {
    const char* name;
    QString text;
    QStringList expect;
  } cases[] = {
      {"two pictures", "<img src=\"a.gif\"><img src=\"b/c.png\">", {"a.gif", "b/c.png"}},
      {"upper case is not it", "<IMG SRC=\"a.gif\">", {}},
      {"unquoted is not it", "<img src=a.gif>", {}},
      {"empty value", "<img src=\"\">", {""}},
      {"no closing quote ends the scan", "<img src=\"a.gif\"><img src=\"b.gif", {"a.gif"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SourceNames(c.text), c.expect);
  }
}

TEST(UrlFromLink, CutsTheMarkerAndTheLastTwoCharacters) {
  struct {
    QString selection;
    std::optional<QString> expect;
  } cases[] = {
      {"<a href=\"page.htm\">", "page.htm"},
      {"see <a href=\"x.htm\">", "x.htm"},
      {"<a href=\"\">", ""},
      {"<A HREF=\"page.htm\">", "\"page.htm"},  // no marker: from the ninth character
      {"123456789ab", "9"},
      {"12345678ab", ""},
      {"short", std::nullopt},  // too short: the selection stays
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selection.toStdString());
    EXPECT_EQ(UrlFromLink(c.selection), c.expect);
  }
}

}  // namespace
}  // namespace html
