// The search put to Scintilla: which searches keep Scintilla's own case folding and how the
// others spell out letter case in an expression.
#include "platform/search_pattern.h"

#include <Qsci/qsciscintillabase.h>
#include <gtest/gtest.h>

#include "support/qt_print.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

TEST(CaseBlindPattern, SpellsOutLettersAndLeavesEscapes) {
  struct Case {
    QString pattern;
    QString expect;
  };
  const Case cases[] = {
      {"", ""},
      {"ж", "(?:ж|Ж)"},
      {"Ёж1", "(?:Ё|ё)(?:ж|Ж)1"},
      {"a.b*", "(?:a|A).(?:b|B)*"},
      {"[а-я]+", "[а-яА-Я]+"},
      {"[^Ab-c]", "[^Aab-cB-C]"},
      {"[а-z]", "[а-z]"},  // no capitals run from А to Z
      {"[[:alpha:]x]", "[[:alpha:]xX]"},
      {R"(\d\w\bк)", R"(\d\w\b(?:к|К))"},
      {R"(\x4a\u0430\cM\])", R"(\x4a\u0430\cM\])"},
      {R"([\]я])", R"([\]яЯ])"},
      {R"((к)\1)", R"(((?:к|К))\1)"},
      {"x \\", "(?:x|X) \\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern.toStdString());
    EXPECT_EQ(CaseBlindPattern(c.pattern), c.expect);
  }
}

TEST(ToScintillaSearch, KeepsScintillaFoldingWhereItWorks) {
  constexpr int kExpr = Sci::SCFIND_REGEXP | Sci::SCFIND_CXX11REGEX;
  constexpr int kCase = Sci::SCFIND_MATCHCASE;
  constexpr int kWord = Sci::SCFIND_WHOLEWORD;
  struct Case {
    const char* name;
    QString what;
    FindOptions options;
    ScintillaSearch expect;
  };
  const Case cases[] = {
      {"ascii, any case", "cat", {}, {"cat", 0, false}},
      {"ascii, whole word", "cat", {false, true}, {"cat", kWord, false}},
      {"cyrillic, match case", "кот", {true, true}, {"кот", kCase | kWord, false}},
      {"cyrillic, any case", "ж?", {}, {"ж?", 0, false, true}},
      {"cyrillic, whole word", "ж.", {false, true}, {"ж.", 0, true, true}},
      {"cyrillic with a line break", "к\r\nт", {}, {"к\r\nт", 0, false, true}},
      {"expression, match case", "к+", {true, true, true}, {"к+", kExpr | kCase, false}},
      {"expression, any case", "к+", {false, true, true}, {"(?:к|К)+", kExpr | kCase, false}},
      {"no letters", "1+1", {}, {"1+1", 0, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScintillaSearch search = ToScintillaSearch(c.what, c.options);
    EXPECT_EQ(QString::fromUtf8(search.pattern), QString::fromUtf8(c.expect.pattern));
    EXPECT_EQ(search.flags, c.expect.flags);
    EXPECT_EQ(search.checkWholeWord, c.expect.checkWholeWord);
    EXPECT_EQ(search.foldCaseHere, c.expect.foldCaseHere);
  }
}

}  // namespace
}  // namespace platform
