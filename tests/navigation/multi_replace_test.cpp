// The replacement list and its pairs applied to a text: the split at the last "=", lines that
// hold no pair, cascading, case in every alphabet, and the fast case-blind search agreeing with
// platform::CaseBlindFinder on texts made to catch it out.
#include "navigation/multi_replace.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/case_blind_find.h"

namespace navigation {
namespace {

QString apply(const QString& text, const QString& list, bool matchCase = false) {
  return ApplyReplacementList(text, list, matchCase);
}

TEST(MultiReplaceList, LinesSplitAtCrLfOrLf) {
  EXPECT_EQ(ReplacementListLines("a=b\r\nc=d"), (QStringList{"a=b", "c=d"}));
  EXPECT_EQ(ReplacementListLines("a=b\nc=d\r\n"), (QStringList{"a=b", "c=d", ""}));
  EXPECT_EQ(ReplacementListLines(""), (QStringList{""}));
  EXPECT_EQ(ReplacementListLines("a\rb=c"), (QStringList{"a\rb=c"})) << "a lone CR is no line end";
}

TEST(MultiReplaceList, PairsSplitAtTheLastEquals) {
  EXPECT_EQ(ParseReplacementLine("x=1=2"), (ReplacementPair{"x=1", "2"}));
  EXPECT_EQ(ParseReplacementLine("abc="), (ReplacementPair{"abc", ""}));
  EXPECT_EQ(ParseReplacementLine("=y"), (ReplacementPair{"", "y"}));
  EXPECT_EQ(ParseReplacementLine(" a = b "), (ReplacementPair{" a ", " b "})) << "spaces count";
  EXPECT_EQ(ParseReplacementLine("no pair"), std::nullopt);
  EXPECT_EQ(ParseReplacementLine(""), std::nullopt);
  const std::vector<ReplacementPair> expected{{"x=1", "2"}, {"abc", ""}, {"", "y"}};
  EXPECT_EQ(ParseReplacementList("x=1=2\r\nno pair\r\n\r\nabc=\r\n=y"), expected);
  EXPECT_EQ(ParseReplacementList("x=1=2\nno pair\n\nabc=\n=y\n"), expected);
}

TEST(MultiReplace, AppliesEachPairToTheWholeText) {
  struct Case {
    const char* name;
    QString text, list;
    bool matchCase;
    QString expect;
  };
  const Case cases[] = {
      {"split at the last =", "x=1 and x=1=2", "x=1=2", true, "2 and 2=2"},
      {"empty replacement deletes", "abcXabcYabc", "abc=", true, "XY"},
      {"lines without = are skipped", "one two", "one\r\n\r\ntwo=2", true, "one 2"},
      {"empty search text changes nothing", "abc", "=x\r\n=", true, "abc"},
      {"replacement holding its search text", "a-aa", "a=aa", true, "aa-aaaa"},
      {"non-overlapping, left to right", "aaaaa", "aa=b", true, "bba"},
      {"pairs cascade", "abc", "a=b\r\nb=c", true, "ccc"},
      {"in line order", "abc", "b=c\r\na=b", true, "bcc"},
      {"match case", "Abc ABC abc", "Abc=z", true, "z ABC abc"},
      {"any case", "Abc ABC abc", "Abc=z", false, "z z z"},
      {"cyrillic in any case", "Ёлка ЁЛКА ёлка елка", "ёлка=ель", false, "ель ель ель елка"},
      {"cyrillic match case", "Ёлка ЁЛКА ёлка", "ёлка=ель", true, "Ёлка ЁЛКА ель"},
      {"Ё is not Е", "ЕЖ ЁЖ еж", "Ёж=x", false, "ЕЖ x еж"},
      {"greek", "ΣΟΦΌΣ σοφός", "σοφός=sophos", false, "sophos sophos"},
      {"replacement keeps its own case", "MAMA", "mama=Папа", false, "Папа"},
      {"list ending in CR LF", "a b", "a=1\r\nb=2\r\n", false, "1 2"},
      {"list with LF only", "a b", "a=1\nb=2\n", false, "1 2"},
      {"over line ends", "a\r\nb", "b=c", false, "a\r\nc"},
      {"a longer and a shorter result", "ъ-ъ", "ъ=ЪЪЪ\r\n-=", false, "ЪЪЪЪЪЪ"},
      {"nothing to replace", "text", "zzz=y", false, "text"},
      {"empty text", "", "a=b", false, ""},
      {"non-breaking space", "a\u00A0b", "\u00A0= ", false, "a b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(apply(c.text, c.list, c.matchCase), c.expect);
  }
}

TEST(MultiReplace, ListEndingInCrLfRunsTheSamePairs) {
  const QString text = "Мама мыла раму";
  EXPECT_EQ(apply(text, "мама=папа\r\nраму=окно\r\n"), apply(text, "мама=папа\r\nраму=окно"));
  EXPECT_EQ(apply(text, "мама=папа\r\nраму=окно\r\n"), "папа мыла окно");
}

TEST(MultiReplace, CountsTheReplacements) {
  qsizetype count = -1;
  const std::vector<ReplacementPair> pairs{{"a", "b"}, {"b", "c"}, {"zz", "y"}, {"", "q"}};
  EXPECT_EQ(ApplyReplacements("ab ab", pairs, true, &count), "cc cc");
  EXPECT_EQ(count, 6);
  EXPECT_EQ(ApplyReplacements("xyz", pairs, false, &count), "xyz");
  EXPECT_EQ(count, 0);
  EXPECT_EQ(ApplyReplacements("xyz", {}, false, &count), "xyz");
  EXPECT_EQ(count, 0);
}

// Characters whose folded form has another length, and bytes that are no UTF-8, are matched as
// CaseBlindFinder matches them.
TEST(MultiReplace, OddCharactersAndBadBytesMatchAsTheControlsSearchDoes) {
  // U+212A KELVIN SIGN folds to "k", U+017F LONG S to "s".
  EXPECT_EQ(apply("K k K", "k=x"), "x x x");
  EXPECT_EQ(apply("ſun Sun", "SUN=moon"), "moon moon");
  EXPECT_EQ(apply("K k", "k=x", true), "K x") << "exact when matching case";
  EXPECT_EQ(apply("K Ab ab ſ", "AB=x\r\nS=y"), "K x x y") << "other pairs are not disturbed";
  // A replacement that brings such a character in: the pairs after it still find it.
  EXPECT_EQ(apply("a b", "a=K\r\nk=z"), "z b");
  EXPECT_EQ(ApplyReplacements("\xFF"
                              "abc ABC",
                              {{"abc", "z"}}, false),
            QByteArray("\xFF"
                       "z z"));
  EXPECT_EQ(ApplyReplacements("\xFF"
                              "abc ABC",
                              {{"abc", "z"}}, true),
            QByteArray("\xFF"
                       "z ABC"));
}

// The pairs applied one by one with the control's own case-blind search (or an exact byte
// search), the way the Part describes the run.
QByteArray reference(QByteArray text, const std::vector<ReplacementPair>& pairs, bool matchCase) {
  for (const ReplacementPair& pair : pairs) {
    if (pair.what.isEmpty()) continue;
    const platform::CaseBlindFinder finder(pair.what);
    const QByteArray what = pair.what.toUtf8();
    QByteArray out;
    qsizetype at = 0;
    for (;;) {
      qsizetype start, end;
      if (matchCase) {
        start = text.indexOf(what, at);
        end = start + what.size();
        if (start < 0) break;
      } else {
        const auto found = finder.first(text, at, text.size());
        if (!found) break;
        start = found->start;
        end = found->end;
      }
      out += text.mid(at, start - at) + pair.with.toUtf8();
      at = end;
    }
    text = out + text.mid(at);
  }
  return text;
}

TEST(MultiReplace, AgreesWithTheControlsSearchOnRandomTexts) {
  // Few characters, so that pairs find much; cases of three alphabets, "=", and now and then a
  // character that folds to another length or a bad byte.
  const QStringList alphabet = {"a", "A", "b", "B", "ё", "Ё",    "е", "Е", "ж",
                                "Ж", "σ", "Σ", "ς", " ", "\r\n", "k", "K", "s"};
  const QStringList rare = {"\u212A", "\u017F", "\u00DF", "\u1E9E"};
  std::mt19937 random(20240601);
  const auto pick = [&random](const QStringList& from) {
    return from[int(random() % unsigned(from.size()))];
  };
  const auto word = [&](int maxLength, bool withRare) {
    QString w;
    const int length = int(random() % unsigned(maxLength + 1));
    for (int i = 0; i < length; ++i)
      w += withRare && random() % 20 == 0 ? pick(rare) : pick(alphabet);
    return w;
  };
  for (int round = 0; round < 2000; ++round) {
    SCOPED_TRACE(round);
    const bool withRare = round % 3 == 0;
    QByteArray text = word(200, withRare).toUtf8();
    if (round % 7 == 0) text.insert(qsizetype(random() % unsigned(text.size() + 1)), "\xFF");
    std::vector<ReplacementPair> pairs;
    for (int i = int(random() % 6); i >= 0; --i)
      pairs.push_back({word(3, withRare), word(3, withRare)});
    for (const bool matchCase : {false, true}) {
      SCOPED_TRACE(matchCase);
      EXPECT_EQ(ApplyReplacements(text, pairs, matchCase), reference(text, pairs, matchCase));
    }
  }
}

}  // namespace
}  // namespace navigation
