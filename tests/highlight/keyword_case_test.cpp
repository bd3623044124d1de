// Keyword case: a keyword typed in another case takes its definition's spelling when it is ended.
#include "highlight/keyword_case.h"

#include "editor/typing_fixture.h"
#include "highlight/highlighter.h"
#include "platform/edit_control.h"

namespace highlight {
namespace {

TEST(KeywordCase, CorrectsOnlyWholeKeywordsInAnotherCase) {
  const auto spellings = KeywordSpellings({"begin", "End", "WriteLn"}, false);
  int start = -1;
  EXPECT_EQ(KeywordCorrection("x := BEGIN", 10, spellings, &start), "begin");
  EXPECT_EQ(start, 5);
  EXPECT_EQ(KeywordCorrection("end", 3, spellings, &start), "End");
  EXPECT_EQ(KeywordCorrection("writeln", 7, spellings, &start), "WriteLn");
  EXPECT_EQ(KeywordCorrection("begin", 5, spellings, &start), "");    // already right
  EXPECT_EQ(KeywordCorrection("BEGINNER", 8, spellings, &start), "");  // no keyword
  EXPECT_EQ(KeywordCorrection("BEGIN ", 6, spellings, &start), "");   // no word before
  EXPECT_EQ(KeywordCorrection("BEGIN", 9, spellings, &start), "");    // past the line
  // A scheme that tells case apart has nothing to correct.
  EXPECT_TRUE(KeywordSpellings({"begin"}, true).isEmpty());
}

class KeywordCaseTyping : public testing_support::TypingTest {};

TEST_F(KeywordCaseTyping, TypedKeywordTakesItsSpellingWhenEnded) {
  m_settings->set(platform::Setting::SyntaxAutoCase, "1");
  m_settings->set(platform::Setting::HighLight, " 3");  // Pascal
  shell::FrmMain& w = startTyping();
  type("BEGIN X END;");
  EXPECT_EQ(w.txtMain().text(), "begin X end;");
  w.txtMain().setKeywordCaseCorrection(false);
  type(" BEGIN ");
  EXPECT_EQ(w.txtMain().text(), "begin X end; BEGIN ");
}

}  // namespace
}  // namespace highlight
