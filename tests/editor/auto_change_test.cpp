// Replace-as-you-type: the table of "AutoChange.lst", the replacement rule, and typing with it
// on, which changes only the typed word and keeps the caret and undo.
#include "editor/auto_change.h"

#include <QAction>

#include "editor/typing_fixture.h"
#include "platform/edit_control.h"
#include "platform/list_file.h"

namespace editor {
namespace {

TEST(ParseAutoChange, FindBeforeTheFirstAndReplacementAfterTheLastMark) {
  struct Case {
    QString file;
    AutoChangeTable pairs;  // after the empty pair
  };
  const Case cases[] = {
      {"", {}},
      {"teh==the\r\n", {{"teh", "the"}}},
      {"a==b==c", {{"a", "c"}}},
      {"==x\r\ny==", {{"", "x"}, {"y", ""}}},
      // A comma splits the line; the second item is a pair only when it holds "==".
      {"teh==the,adn", {{"teh", "the"}}},
      {"teh==the,adn==and", {{"teh", "the"}, {"adn", "and"}}},
      {"plain\r\n\"a,b==c\"", {{"a,b", "c"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    AutoChangeTable expect{AutoChangePair{}};
    expect.insert(expect.end(), c.pairs.begin(), c.pairs.end());
    EXPECT_EQ(ParseAutoChange(platform::ListFile::parse(c.file)), expect);
  }
}

TEST(ApplyAutoChange, PairsInOrderInAnyLetterCase) {
  struct Case {
    QString text;
    AutoChangeTable table;
    QString expect;
  };
  const Case cases[] = {
      {"Teh cat, TEH dog", {{}, {"teh", "the"}}, "the cat, the dog"},
      {"ab", {{}, {"a", "b"}, {"b", "c"}}, "cc"},
      {"abc", {{}, {"", "x"}}, "abc"},
      {"Привет, пРИВЕТ", {{}, {"привет", "здравствуй"}}, "здравствуй, здравствуй"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(ApplyAutoChange(c.text, c.table), c.expect);
  }
}

// Only a pair the file gives back as itself may be stored: a refused pair would come back as
// another one, an accepted one comes back whole.
TEST(AutoChangePairProblem, RefusesExactlyThePairsTheFileWouldChange) {
  struct Case {
    AutoChangePair pair;
    bool storable;
  };
  const Case cases[] = {
      {{"teh", "the"}, true},
      {{"a=b", "c=d"}, true},
      {{"a, b", " c "}, true},  // a comma and spaces are quoted
      {{"=a", "b="}, true},
      {{"a==b", "c"}, false},
      {{"a", "b==c"}, false},
      {{"a=", "b"}, false},  // "a===b" reads back as a, b
      {{"a", "=b"}, false},
      {{"==", "x"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.pair.find + " -> " + c.pair.replacement).toStdString());
    EXPECT_EQ(!AutoChangePairProblem(c.pair).has_value(), c.storable);
    const AutoChangeTable table{{}, c.pair};
    const QString file = platform::ListFile::format(FormatAutoChange(table));
    const AutoChangeTable back = ParseAutoChange(platform::ListFile::parse(file));
    EXPECT_EQ(back == table, c.storable);
  }
  // The window asks for both sides; an empty one is refused before it reaches the file.
  EXPECT_TRUE(AutoChangePairProblem({"", "x"}).has_value());
  EXPECT_TRUE(AutoChangePairProblem({"x", ""}).has_value());
}

TEST(FormatAutoChange, KeepsEveryPairThatActsAndDropsThoseThatDoNot) {
  // A pair with an empty replacement deletes its text as the user types: it stays. One with an
  // empty find text replaces nothing, and the empty pair 0 is no line of the file.
  const AutoChangeTable table{{}, {"teh", "the"}, {"", "x"}, {"uh", ""}, {"a", "b"}};
  EXPECT_EQ(FormatAutoChange(table), QStringList({"teh==the", "uh==", "a==b"}));
  EXPECT_EQ(FormatAutoChange({{}}), QStringList());
}

TEST(MinimalEdit, KeepsTheCommonEndsAndCarriesOffsetsAcross) {
  struct Case {
    QString before;
    QString after;
    qsizetype at;
    qsizetype removed;
    QString inserted;
    qsizetype offset;  // an offset into `before`...
    qsizetype mapped;  // ...and where it lands
  };
  const Case cases[] = {
      {"teh ", "the ", 1, 2, "he", 3, 3}, {"mfg", "manufacturing", 1, 1, "anufacturin", 3, 13},
      {"xa", "xab", 2, 0, "b", 2, 3},    // grown at the caret: the caret moves on
      {"abcd", "aXd", 1, 2, "X", 2, 2},  // inside the replaced part: its end
      {"abcd", "aXd", 1, 2, "X", 1, 1},  // in front: stays
      {"same", "same", 4, 0, "", 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.before + " -> " + c.after).toStdString());
    const TextEdit edit = MinimalEdit(c.before, c.after);
    EXPECT_EQ(edit.at, c.at);
    EXPECT_EQ(edit.removed, c.removed);
    EXPECT_EQ(edit.inserted, c.inserted);
    EXPECT_EQ(MapThroughEdit(c.offset, edit), c.mapped);
  }
}

class AutoChangeTest : public testing_support::TypingTest {
 protected:
  void SetUp() override {
    writeFile("AutoChange.lst", "teh==the\r\nmfg==manufacturing\r\nспс==спасибо\r\n");
    m_settings->set(platform::Setting::AutoChange, "1");
  }
  platform::EditControl& editor() { return m_window->txtMain(); }
};

// Pins the fault of rewriting the whole text: the caret jumped when a replacement changed the
// length, and the line below was rewritten too.
TEST_F(AutoChangeTest, TheKeyAfterTheWordReplacesItAndTheCaretStaysByIt) {
  startTyping();
  editor().setText("tail\r\nsecond line");
  editor().setSelection({0, 0, 0, 0});
  type("mfg ");
  EXPECT_EQ(editor().text(), "manufacturing tail\r\nsecond line");
  EXPECT_EQ(editor().selection(), (platform::SelRange{0, 14, 0, 14}));
  type("x");
  EXPECT_EQ(editor().lineText(0), "manufacturing xtail");
}

TEST_F(AutoChangeTest, UndoTakesBackTheReplacementAloneAndKeepsWhatWasTyped) {
  startTyping();
  type("abc teh");
  type(" ");
  EXPECT_EQ(editor().text(), "abc the ");
  QAction* undo = m_window->commands().action("mnuUndo");
  QStringList seen;
  while (undo->isEnabled() && seen.size() < 10) {
    undo->trigger();
    seen << editor().text();
  }
  // One step gives back the word as typed; earlier steps go on to the empty text.
  EXPECT_TRUE(seen.contains("abc teh")) << seen.join(" | ").toStdString();
  ASSERT_FALSE(seen.isEmpty());
  EXPECT_EQ(seen.last(), "");
}

TEST_F(AutoChangeTest, AChangeMadeOtherwiseIsReplacedAtTheNextKeyLikeTheWholeText) {
  startTyping();
  type("a");
  // A command puts text in elsewhere; the next plain key replaces in all of it.
  editor().setSelection({0, 0, 0, 0});
  editor().setSelectedText("TEH one\r\nmfg two\r\nСПС\r\n");
  editor().setSelection({3, 1, 3, 1});
  QCoreApplication::processEvents();
  type("b");
  EXPECT_EQ(editor().text(), "the one\r\nmanufacturing two\r\nспасибо\r\nab");
  EXPECT_EQ(editor().selection(), (platform::SelRange{3, 2, 3, 2}));
}

// Changes made otherwise are found wherever they went, even when a later one moved their lines.
TEST_F(AutoChangeTest, ChangesMadeOtherwiseAreFollowedAsLaterOnesMoveThem) {
  startTyping();
  editor().setText("one\r\ntwo\r\nthree");
  editor().setSelection({2, 5, 2, 5});
  editor().setSelectedText(" mfg");
  editor().setSelection({0, 0, 0, 0});
  editor().setSelectedText("teh\r\nnew\r\nlines\r\n");
  editor().deleteLine(4);  // "two": the first change moves up again
  editor().setSelection({1, 0, 1, 0});
  QCoreApplication::processEvents();
  type("b");
  EXPECT_EQ(editor().text(), "the\r\nbnew\r\nlines\r\none\r\nthree manufacturing");
}

TEST_F(AutoChangeTest, SwitchedOffNothingIsReplaced) {
  m_settings->set(platform::Setting::AutoChange, "0");
  startTyping();
  type("teh ");
  EXPECT_EQ(editor().text(), "teh ");
  // Switched on, the first key replaces in the whole text.
  m_settings->set(platform::Setting::AutoChange, "1");
  type("x");
  EXPECT_EQ(editor().text(), "the x");
}

}  // namespace
}  // namespace editor
