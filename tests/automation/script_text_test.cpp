// The whole text a script keeps between statements must replace exactly as QString::replace does,
// whatever piece boundaries and filters it keeps: occurrences across pieces, occurrences that
// overlap, replacements that empty or grow pieces, and filters that must never say "no" wrongly.
#include "automation/script_text.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "support/qt_print.h"

namespace automation {
namespace {

struct Step {
  QString what;
  QString with;
};

// Occurrences counted the way a left-to-right replacement meets them.
qsizetype occurrences(const QString& text, const QString& what) {
  qsizetype count = 0;
  for (qsizetype at = text.indexOf(what); at >= 0; at = text.indexOf(what, at + what.size()))
    ++count;
  return count;
}

// Runs the steps on a ScriptText and on a QString side by side; every count and text must agree.
void expectSameAsQString(const QString& start, const std::vector<Step>& steps, qsizetype pieceSize,
                         int replacesBeforeFilters) {
  ScriptText kept(start, pieceSize, replacesBeforeFilters);
  QString oracle = start;
  for (const Step& step : steps) {
    SCOPED_TRACE(
        ("replace '" + step.what + "' by '" + step.with + "' in '" + oracle + "'").toStdString());
    const qsizetype expected = step.what.isEmpty() ? 0 : occurrences(oracle, step.what);
    if (!step.what.isEmpty()) oracle.replace(step.what, step.with, Qt::CaseSensitive);
    EXPECT_EQ(kept.replaceAll(step.what, step.with), expected);
    ASSERT_EQ(kept.toString(), oracle);
    ASSERT_EQ(kept.size(), oracle.size());
  }
}

TEST(MacroScriptText, ReplacesLikeQStringAcrossPieceBoundaries) {
  struct Case {
    const char* name;
    QString text;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"empty text", "", {{"a", "b"}}},
      {"one character", "a", {{"a", "bb"}, {"bb", ""}}},
      {"occurrence across every boundary", "abcabcabcabc", {{"bca", "X"}, {"cX", "--"}}},
      {"overlapping occurrences, left first", "aaaaaaa", {{"aa", "b"}, {"ab", "c"}}},
      {"no rescan of inserted text", "abab", {{"ab", "aab"}, {"aab", "ab"}}},
      {"occurrence longer than a piece", "xyzxyzxyz", {{"zxyzx", "Q"}, {"xyQ", "!"}}},
      {"pieces emptied and refilled", "abcdefgh", {{"bcdefg", ""}, {"ah", "abcdefghijklmn"}}},
      {"grown piece split", "a.a.a.", {{"a", "0123456789"}, {"90", "|"}, {"9.0", "#"}}},
      {"line ends", "a\r\nb\r\nc", {{"\r\n", "\n"}, {"\nb\n", "\r\n\r\n"}}},
      {"surrogate pairs", "x😀y😀z", {{"😀", "é"}, {"yé", "😀😀"}}},
      {"empty what changes nothing", "abc", {{"", "x"}}},
      {"not found", "abc", {{"abd", "x"}, {"cab", "x"}}},
  };
  for (const Case& c : cases) {
    for (const qsizetype pieceSize : {1, 2, 3, 5, 1000}) {
      for (const int before : {0, 1000}) {
        SCOPED_TRACE(std::string(c.name) + ", pieces of " + std::to_string(pieceSize) +
                     (before == 0 ? ", filtered" : ", unfiltered"));
        expectSameAsQString(c.text, c.steps, pieceSize, before);
      }
    }
  }
}

// Random texts over a small alphabet make overlaps, boundary crossings and stale filter entries
// common; a fixed seed keeps a failure reproducible.
TEST(MacroScriptText, RandomReplacementsAgreeWithQString) {
  QRandomGenerator random(20261207);
  const QString alphabet = QStringLiteral("abcд\r\n");
  const auto randomText = [&](int maxLength) {
    QString text;
    for (int n = int(random.bounded(maxLength + 1)); n > 0; --n)
      text += alphabet[int(random.bounded(int(alphabet.size())))];
    return text;
  };
  for (int round = 0; round < 300; ++round) {
    const QString start = randomText(60);
    std::vector<Step> steps;
    for (int i = 0; i < 25; ++i) {
      QString what = randomText(5);
      if (what.isEmpty()) what = QStringLiteral("a");
      steps.push_back({what, randomText(6)});
    }
    const qsizetype pieceSize = 1 + random.bounded(round % 2 ? 8 : 30);
    SCOPED_TRACE("round " + std::to_string(round));
    expectSameAsQString(start, steps, pieceSize, int(random.bounded(3)));
    if (HasFatalFailure()) return;
  }
}

TEST(MacroScriptText, LargeTextKeepsFindingAfterManyChanges) {
  // Pieces of the default size, filters on: a word changed back and forth many times must still
  // be found everywhere, and a word never there must never be found.
  QString text;
  for (int i = 0; i < 20000; ++i) text += QStringLiteral("слово%1 текст ").arg(i % 97);
  ScriptText kept(text);
  QString oracle = text;
  for (int i = 0; i < 40; ++i) {
    const QString what = i % 2 ? QStringLiteral("ТЕКСТ") : QStringLiteral("текст");
    const QString with = i % 2 ? QStringLiteral("текст") : QStringLiteral("ТЕКСТ");
    EXPECT_EQ(kept.replaceAll(what, with), 20000) << i;
    EXPECT_EQ(kept.replaceAll(QStringLiteral("нет такого"), QStringLiteral("x")), 0);
    EXPECT_EQ(kept.replaceAll(QStringLiteral("слово5 "), QStringLiteral("слово5 ")), 207);
  }
  oracle.replace(QStringLiteral("текст"), QStringLiteral("текст"));
  EXPECT_EQ(kept.toString(), oracle);
}

TEST(MacroScriptText, ManyOccurrencesReplaceLikeQStringAndKeepFinding) {
  // Past the occurrences a replacement keeps one by one, the text is replaced whole; the pieces
  // and filters made afresh must go on finding what is there, and reading the text between the
  // steps must never give an old copy.
  QString text;
  while (text.size() < qsizetype(ScriptText::kMostHitsKept) * 6) text += "ab ab [x] ";
  for (int replacesBeforeFilters : {0, 100}) {
    SCOPED_TRACE(replacesBeforeFilters);
    ScriptText kept(text, ScriptText::kPieceSize, replacesBeforeFilters);
    QString oracle = text;
    const Step steps[] = {{"b", "bc"}, {"[x]", "[y]"}, {"a", ""}, {"[y] ", "[x]"}, {"bc", "b"}};
    for (const Step& step : steps) {
      SCOPED_TRACE(step.what.toStdString());
      const qsizetype expected = occurrences(oracle, step.what);
      oracle.replace(step.what, step.with);
      EXPECT_EQ(kept.replaceAll(step.what, step.with), expected);
      ASSERT_EQ(kept.toString(), oracle);
      EXPECT_EQ(kept.size(), oracle.size());
    }
  }
}

TEST(MacroScriptText, ReplacedTextIsQStringsReplacementInOnePass) {
  struct Case {
    QString text;
    Step step;
  };
  const Case cases[] = {
      {"", {"a", "b"}},
      {"abc", {"", "x"}},
      {"a", {"a", ""}},
      {"aaaa", {"aa", "a"}},
      {"aaa", {"aa", "b"}},
      {"abab", {"ab", "abab"}},
      {"no match", {"z", "y"}},
      {"Case case", {"case", "X"}},
      {QString(5000, u'a') + "b", {"a", "aa"}},
      {"строка\r\nстрока", {"\r\n", "\n"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.left(20).toStdString() + " / " + c.step.what.toStdString());
    QString oracle = c.text;
    if (!c.step.what.isEmpty()) oracle.replace(c.step.what, c.step.with, Qt::CaseSensitive);
    EXPECT_EQ(ReplacedText(c.text, c.step.what, c.step.with), oracle);
    EXPECT_EQ(CountOccurrences(c.text, c.step.what),
              c.step.what.isEmpty() ? 0 : occurrences(c.text, c.step.what));
  }
}

TEST(MacroScriptText, GrowingPastTheLimitChangesNothing) {
  struct Case {
    const char* name;
    QString text;
    Step step;
    qsizetype limit;
    qsizetype expect;  // count, or kPastLimit
  };
  const QString many(qsizetype(ScriptText::kMostHitsKept) + 5, u'a');
  const Case cases[] = {
      {"doubling past the limit", "aaaa", {"a", "aa"}, 7, ScriptText::kPastLimit},
      {"doubling up to the limit", "aaaa", {"a", "aa"}, 8, 4},
      {"growing where nothing is found", "aaaa", {"b", "bbbbbbbbbbbb"}, 4, 0},
      {"shrinking above the limit", "aaaaaaaa", {"aa", "a"}, 2, 4},
      {"many occurrences past the limit", many, {"a", "aa"}, many.size() + 4,
       ScriptText::kPastLimit},
      {"many occurrences within the limit", many, {"a", "b"}, many.size(), many.size()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptText kept(c.text, c.text.size() > 100 ? ScriptText::kPieceSize : 3, 0);
    const QString before = kept.toString();
    EXPECT_EQ(kept.replaceAll(c.step.what, c.step.with, c.limit), c.expect);
    QString oracle = c.text;
    if (c.expect != ScriptText::kPastLimit) oracle.replace(c.step.what, c.step.with);
    EXPECT_EQ(kept.toString(), oracle);
    // What was read before the replacement is a copy of its own.
    EXPECT_EQ(before, c.text);
  }
}

}  // namespace
}  // namespace automation
