// The auto-complete list: the word looked up before the caret, the list shown under it, Down
// into the list and Space taking the item.
#include "editor/auto_complete.h"

#include <QListWidget>

#include "editor/typing_fixture.h"
#include "platform/edit_control.h"

namespace editor {
namespace {

TEST(WordBeforeCaret, FindsTheWordTheRulesName) {
  struct Case {
    QString line;
    int caret;
    QString word;
    int start;
  };
  const Case cases[] = {
      {"", 0, "", 0},
      {"pri", 3, "pri", 0},
      {"int pri", 7, "pri", 4},
      {" pri", 4, "pri", 1},
      // After a word and some blanks at the end of a line: that word.
      {"printf ", 7, "printf", 0},
      {"printf   ", 9, "printf", 0},
      // Right after a parenthesis the parenthesis belongs to the word.
      {"printf(", 7, "printf(", 0},
      {"(", 1, "(", 0},
      {"a  b", 2, "a", 0},
      // Inside a line the character at the caret and the one after it are taken in.
      {"ab cd", 1, "ab", 0},
      {"x pri yz", 5, "pri y", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line.toStdString() + " @" + std::to_string(c.caret));
    const CaretWord found = WordBeforeCaret(c.line, c.caret);
    EXPECT_EQ(found.word, c.word);
    EXPECT_EQ(found.start, c.start);
  }
}

class AutoCompleteTest : public testing_support::TypingTest {
 protected:
  void SetUp() override {
    writeFile("Autocomplete.lst", "printf\r\nprintln\r\n");
    m_settings->set(platform::Setting::AutoComplete, "1");
  }
  QListWidget* list() { return m_window->findChild<QListWidget*>("lstKeyWords"); }
};

TEST_F(AutoCompleteTest, ShowsWhileAWordIsBegunAndHidesWhenItIsWhole) {
  startTyping();
  ASSERT_NE(list(), nullptr);
  EXPECT_TRUE(list()->isHidden());
  type("x pri");
  EXPECT_FALSE(list()->isHidden());
  EXPECT_EQ(list()->currentItem()->text(), "printf");
  // Under the caret's line, starting at the caret.
  platform::EditControl& e = m_window->txtMain();
  const QPoint caret = e.mapTo(m_window.get(), e.pointOfPosition(0, 5));
  EXPECT_EQ(list()->x(), caret.x());
  EXPECT_GT(list()->y(), caret.y());
  type("ntf");
  EXPECT_TRUE(list()->isHidden());
}

TEST_F(AutoCompleteTest, DownMovesIntoTheListAndSpaceTakesTheItem) {
  shell::FrmMain& w = startTyping();
  type("x pri");
  press(Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), list());
  // Leaving the list hides it; the next letter looks the word up again.
  w.focusEditor();
  QCoreApplication::processEvents();
  EXPECT_TRUE(list()->isHidden());
  type("n");
  press(Qt::Key_Down);
  EXPECT_EQ(list()->currentItem()->text(), "println");
  press(Qt::Key_Space);
  // The Space that accepts stands after the word: the next word used to be glued on.
  EXPECT_EQ(w.txtMain().text(), "x println ");
  EXPECT_EQ(w.txtMain().selection(), (platform::SelRange{0, 10, 0, 10}));
  EXPECT_TRUE(list()->isHidden());
  EXPECT_EQ(QApplication::focusWidget(), w.txtMain().focusWidget());
  type("x");
  EXPECT_EQ(w.txtMain().text(), "x println x");
}

TEST_F(AutoCompleteTest, AcceptingBeforeASpaceAddsNoSecondOne) {
  shell::FrmMain& w = startTyping();
  w.txtMain().setText(" end");
  w.txtMain().setSelection({0, 0, 0, 0});
  type("pri");
  press(Qt::Key_Down);
  press(Qt::Key_Space);
  EXPECT_EQ(w.txtMain().text(), list()->currentItem()->text() + " end");
  const int after = int(list()->currentItem()->text().size()) + 1;
  EXPECT_EQ(w.txtMain().selection(), (platform::SelRange{0, after, 0, after}));
}

TEST_F(AutoCompleteTest, StaysHiddenWhenSwitchedOff) {
  m_settings->set(platform::Setting::AutoComplete, "0");
  shell::FrmMain& w = startTyping();
  type("pri");
  EXPECT_TRUE(list()->isHidden());
  // Down then moves the caret as usual.
  press(Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), w.txtMain().focusWidget());
}

}  // namespace
}  // namespace editor
