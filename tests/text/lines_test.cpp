// The line and character operations on the texts where they are easiest to get wrong: empty
// and one-character targets, a missing or trailing line break, very long targets.
#include "text/lines.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cstdint>
#include <functional>
#include <iterator>

#include "support/qt_print.h"

namespace text {
namespace {

struct LinesRow {
  const char* what;
  std::function<QString(const QString&)> operation;
  QString in;
  QString expect;
};

void check(const LinesRow& row) {
  SCOPED_TRACE(row.what);
  EXPECT_EQ(row.operation(row.in), row.expect);
}

TEST(LineOperations, EdgeCases) {
  const auto brackets = [](const QString& t) { return AddTemplate(t, "[", "]"); };
  const auto cut32 = [](const QString& t) { return CutLineEnds(t, 3, 2); };
  const auto pad4 = [](const QString& t) { return PadLines(t, 4, 0); };
  const LinesRow rows[] = {
      {"template on each line", brackets, "a\r\nb", "[a]\r\n[b]"},
      {"template on the empty last line", brackets, "a\r\n", "[a]\r\n[]"},
      {"template on empty", brackets, "", "[]"},
      {"numbers unaligned", NumberLines, "a\r\nb\r\n", "1. a\r\n2. b\r\n3. "},
      {"cut left then right", cut32, "123abc45\r\n12345678", "abc\r\n456"},
      {"cut a short line to nothing", cut32, "abcd\r\nabcdef", "\r\nd"},
      {"cut one char", cut32, "x", ""},
      {"pad the empty last line too", pad4, "a\r\n", "    a\r\n    "},
      {"remove empty lines", RemoveEmptyLines, "a\r\n\r\nb\r\n", "a\r\nb"},
      {"a line of spaces stays", RemoveEmptyLines, "\r\n \r\n", " "},
      {"join", JoinLines, "a\r\n\r\nb", "ab"},
      {"join without break", JoinLines, "ab", "ab"},
      {"join of breaks alone unchanged", JoinLines, "\r\n\r\n", "\r\n\r\n"},
      {"join keeps a lone CR and what follows", JoinLines, "a\rb\r\nc", "a\rbc"},
      {"no spaces", RemoveAllSpaces, "a  b c\t", "abc\t"},
      {"spaces alone unchanged", RemoveAllSpaces, "   ", "   "},
      {"squeeze", SqueezeSpaces, "  a   b  ", "a b"},
      {"squeeze across a break", SqueezeSpaces, "a  \r\n  b", "a \r\n b"},
      {"squeeze spaces alone", SqueezeSpaces, "   ", ""},
      {"squeeze empty", SqueezeSpaces, "", ""},
      {"squeeze one char", SqueezeSpaces, "x", "x"},
      {"tabs to six spaces", TabsToSpaces, "\ta\t", "      a      "},
      {"seven spaces", SpacesToTabs, "       x", "\t x"},
      {"twelve spaces and five", SpacesToTabs, QString(12, ' ') + "a" + QString(5, ' '),
       "\t\ta     "},
      {"strip tags", StripTags, "x<b>y</b>z", "xyz"},
      {"unclosed tag stays", StripTags, "a<b>c<d", "ac<d"},
  };
  for (const LinesRow& row : rows) check(row);
}

// The rule written out plainly, as the oracle: record the spans as the scan finds them, then
// delete every occurrence of each, one after the other.
QString removeSpansByTheRule(const QString& text, const QString& prefix, const QString& suffix) {
  if (prefix.isEmpty() || suffix.isEmpty()) return text;
  QStringList spans;
  for (qsizetype from = 0;;) {
    const qsizetype start = text.indexOf(prefix, from);
    if (start < 0) break;
    qsizetype end = text.indexOf(suffix, start);
    const bool again = end == start;
    if (again) end = text.indexOf(suffix, start + prefix.size());
    if (end < 0) break;
    spans += text.mid(start, end + suffix.size() - start);
    from = again ? end + suffix.size() : end;
  }
  QString result = text;
  for (const QString& span : spans) result.remove(span);
  return result;
}

TEST(RemoveSpans, Cases) {
  struct Case {
    const char* what;
    QString text, prefix, suffix, expect;
  } cases[] = {
      {"tags", "x<b>y</b>z", "<", ">", "xyz"},
      {"brackets", "a[1]b[2]c", "[", "]", "abc"},
      {"longer prefix and suffix", "a<!--1-->b<!--2-->c", "<!--", "-->", "abc"},
      {"suffix equal to prefix deletes quoted parts", "a\"x\"b\"y\"c", "\"", "\"", "abc"},
      {"suffix at the prefix's place is sought after it", "xabyabz", "a", "ab", "xz"},
      {"one character", "<", "<", ">", "<"},
      {"prefix without suffix", "a[1b", "[", "]", "a[1b"},
      {"empty prefix", "a]b", "", "]", "a]b"},
      {"empty suffix", "a[b", "[", "", "a[b"},
      {"empty text", "", "[", "]", ""},
      // Deleting only where the scan stopped left these wrong.
      {"a span deleted inside a later one", "[1][[1]", "[", "]", "["},
      {"a span deleted where the scan looked past it", "<b>x<a<b>y", "<", ">", "x<ay"},
      {"an earlier deletion breaks a later span", "axbayba!", "a", "ba", "yba!"},
      {"a deletion joins a later span", "<x><a<x>b><ab>", "<", ">", ""},
      {"a deletion joins an earlier span, which stays", "<x><<x>x>", "<", ">", "<x>"},
      {"a suffix inside the prefix makes every span the same", "<<b>b>x<b>", "<b>", ">", "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RemoveSpans(c.text, c.prefix, c.suffix), c.expect);
    EXPECT_EQ(removeSpansByTheRule(c.text, c.prefix, c.suffix), c.expect) << "the oracle";
  }
}

// Short texts over few characters make spans nest, overlap and join in every way.
TEST(RemoveSpans, FollowsTheRuleOnRandomTexts) {
  struct Marks {
    const char* prefix;
    const char* suffix;
    const char* alphabet;
  } marks[] = {{"<", ">", "<>x"},   {"\"", "\"", "\"x"}, {"a", "ba", "abx"},  {"ab", "b", "abx"},
               {"<<", ">>", "<>x"}, {"aa", "a", "ax"},   {"a", "aa", "ax"},   {"<a", "a>", "<a>"},
               {"ab", "ba", "ab"},  {"baa", "a", "abx"}, {"<b>", ">", "<b>x"}};
  std::uint32_t seed = 1;
  const auto random = [&seed](std::uint32_t below) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % below;
  };
  for (const Marks& m : marks) {
    SCOPED_TRACE(QString("%1 %2").arg(m.prefix, m.suffix).toStdString());
    const QString alphabet = m.alphabet;
    for (int round = 0; round < 4000; ++round) {
      QString text;
      for (std::uint32_t length = random(28); length > 0; --length)
        text += alphabet[random(std::uint32_t(alphabet.size()))];
      const QString expect = removeSpansByTheRule(text, m.prefix, m.suffix);
      const QString got = RemoveSpans(text, m.prefix, m.suffix);
      if (got != expect) {
        ADD_FAILURE() << text.toStdString() << " gives " << got.toStdString() << ", not "
                      << expect.toStdString();
        break;
      }
    }
  }
}

// Pieces of HTML in random order: tags, some repeated, and a "<" of no tag that takes the tags
// after it into its span until the deletions take its end away.
TEST(RemoveSpans, FollowsTheRuleOnPiecesOfHtml) {
  const QString pieces[] = {"<p>",         "</p>",        "<b>",  "</b>", "text ", "a < b ",
                            "<i x=\"1\">", "<i x=\"2\">", "</i>", ">",    "<<b>>", "<br>"};
  std::uint32_t seed = 5;
  for (int round = 0; round < 300; ++round) {
    QString text;
    for (int i = 0; i < 200; ++i) {
      seed = seed * 1103515245u + 12345u;
      text += pieces[(seed >> 16) % std::size(pieces)];
    }
    ASSERT_EQ(StripTags(text), removeSpansByTheRule(text, "<", ">")) << text.toStdString();
  }
}

TEST(Templates, PartsAndNumbers) {
  const auto parts = SplitTemplate("<b>$text$-$text$</b>");
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->prefix, "<b>");
  EXPECT_EQ(parts->suffix, "</b>");
  EXPECT_FALSE(SplitTemplate("no marker"));
  struct Case {
    QString text;
    int expect;
  } numbers[] = {{"3", 3},
                 {" \t4x", 4},
                 {"2.5", 3},
                 {"-2", -2},
                 {"x1", 0},
                 {"", 0},
                 {"99999999999", 1000000000},
                 {"٣", 0}};
  for (const Case& c : numbers) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(LeadingNumber(c.text), c.expect);
  }
  // A padding that would not fit in memory leaves the text alone instead of failing.
  EXPECT_EQ(PadLines("a\r\nb", 1000000000, 1000000000), "a\r\nb");
}

TEST(GetField, CountsAndPieces) {
  EXPECT_EQ(GetField(0, "", " "), "0");
  EXPECT_EQ(GetField(0, "a  b", " "), "3");
  EXPECT_EQ(GetField(2, "a  b", " "), "");
  EXPECT_EQ(GetField(3, "a  b", " "), "b");
  EXPECT_EQ(GetField(4, "a  b", " "), "");
  EXPECT_EQ(GetField(2, "a--b--c", "--"), "b");
  EXPECT_EQ(FieldCount("aaa", "aa"), 2);  // occurrences do not overlap
}

TEST(LineOperations, VeryLongTargets) {
  // Beyond 32 767 characters and fields, where 16-bit counts would have wrapped.
  const QString spaced = QString("ab   ").repeated(50000);
  QString tagged;
  for (int i = 0; i < 50000; ++i) tagged += QStringLiteral("<i%1>x").arg(i);
  EXPECT_EQ(SqueezeSpaces(spaced), QString("ab ").repeated(50000).chopped(1));
  EXPECT_EQ(StripTags(tagged), QString(50000, 'x'));
  // A "<" of no tag takes each tag after it into its span as the deletions go on.
  EXPECT_EQ(StripTags("<i0>a < b " + tagged), "a < b " + QString(50000, 'x'));
  EXPECT_EQ(RemoveEvery(spaced, "b "), QString(spaced).remove("b "));
  const QString numbered = NumberLines(QString(40000, '\n').replace("\n", "x\r\n"));
  EXPECT_TRUE(numbered.endsWith("40000. x\r\n40001. "));
}

}  // namespace
}  // namespace text
