// Local bookmarks set and reached with real key presses in the editor, and their window with
// the checkable item "Локальные закладки".
#include "navigation/local_bookmarks.h"

#include <QAction>
#include <QListWidget>

#include "editor/typing_fixture.h"
#include "navigation/frm_local_bookmarks.h"
#include "platform/edit_control.h"

namespace navigation {
namespace {

using platform::SelRange;

constexpr auto kSet = Qt::ControlModifier | Qt::ShiftModifier;
constexpr auto kGo = Qt::ControlModifier;
const QString kText = "first line\r\nthe second line is long\r\nthird\r\n\r\nfifth line";

class LocalBookmarksTest : public testing_support::TypingTest {
 protected:
  platform::EditControl& editor() { return m_window->txtMain(); }
  void caretAt(int line, int column) { editor().setSelection({line, column, line, column}); }
  FrmLocalBookmarks* frame() {
    return m_window->findChild<FrmLocalBookmarks*>("frmLocalBookmarks");
  }
  QListWidget* list() { return frame()->findChild<QListWidget*>("lstBoox"); }
  QStringList labels() {
    QStringList all;
    for (int row = 0; row < list()->count(); ++row) all << list()->item(row)->text();
    return all;
  }
  void popup(int row, const char* command) {
    list()->setCurrentRow(row);
    QAction* item = frame()->findChild<QAction*>(command);
    ASSERT_NE(item, nullptr) << command;
    item->trigger();
  }
};

// Shift turns the digit into a sign on the way (Ctrl+Shift+1 comes as "!" on a US keyboard):
// the bookmark is the digit's either way, and the key types nothing.
TEST_F(LocalBookmarksTest, KeysSetAndReachLineAndColumn) {
  struct Case {
    Qt::Key set;  // as the keyboard reports Ctrl+Shift+digit
    Qt::Key go;
    SelRange mark;
  };
  const Case cases[] = {
      {Qt::Key_3, Qt::Key_3, {1, 12, 1, 12}},
      {Qt::Key_NumberSign, Qt::Key_3, {2, 3, 2, 3}},
      {Qt::Key_Exclam, Qt::Key_1, {0, 5, 0, 5}},
      {Qt::Key_ParenLeft, Qt::Key_9, {4, 10, 4, 10}},
      {Qt::Key_Asterisk, Qt::Key_8, {3, 0, 3, 0}},
  };
  startTyping();
  editor().setText(kText);
  m_window->document().setDirty(false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    caretAt(c.mark.startLine, c.mark.startCol);
    press(c.set, kSet);
    caretAt(0, 0);
    press(Qt::Key_End);
    press(c.go, kGo);
    EXPECT_EQ(editor().selection(), c.mark);
    EXPECT_EQ(m_window->selectionRange(), c.mark);
  }
  EXPECT_EQ(editor().text(), kText) << "the keys type nothing";
  EXPECT_FALSE(m_window->document().Dirty());
  EXPECT_EQ(QApplication::focusWidget(), editor().focusWidget());
}

TEST_F(LocalBookmarksTest, SelectionStartIsStoredAndEveryBookmarkKeepsItsOwn) {
  startTyping();
  editor().setText(kText);
  editor().setSelection({1, 4, 2, 2});
  press(Qt::Key_2, kSet);
  caretAt(0, 3);
  press(Qt::Key_5, kSet);
  press(Qt::Key_End);
  press(Qt::Key_2, kGo);
  EXPECT_EQ(editor().selection(), (SelRange{1, 4, 1, 4}));
  press(Qt::Key_5, kGo);
  EXPECT_EQ(editor().selection(), (SelRange{0, 3, 0, 3}));
}

// Going to a bookmark never set goes to the start of the text, where every slot begins; a line
// or column the text no longer has is its last line or the line's end.
TEST_F(LocalBookmarksTest, UnsetAndVanishedPlacesStayInTheText) {
  startTyping();
  editor().setText(kText);
  caretAt(2, 4);
  press(Qt::Key_5, kGo);
  EXPECT_EQ(editor().selection(), (SelRange{0, 0, 0, 0}));

  caretAt(4, 9);
  press(Qt::Key_7, kSet);
  editor().setText("one\r\nab");
  caretAt(0, 0);
  press(Qt::Key_7, kGo);
  EXPECT_EQ(editor().selection(), (SelRange{1, 2, 1, 2}));
}

// Bookmarks live for the whole run, whatever file is opened.
TEST_F(LocalBookmarksTest, BookmarksOutliveTheDocument) {
  startTyping();
  editor().setText(kText);
  caretAt(1, 6);
  press(Qt::Key_4, kSet);
  m_ui.answerMessage(platform::MsgAnswer::No);
  click("mnuNew");
  ASSERT_TRUE(editor().text().isEmpty());
  editor().setText(kText);
  press(Qt::Key_4, kGo);
  EXPECT_EQ(editor().selection(), (SelRange{1, 6, 1, 6}));
}

TEST_F(LocalBookmarksTest, OtherCtrlDigitsAreLeftAlone) {
  shell::FrmMain& w = startTyping();
  std::vector<std::pair<int, int>> heard;
  w.hooks().add(shell::KeyHook::LocalBookmarks,
                [&heard](int key, int shift) {
                  heard.emplace_back(key, shift);
                  return true;
                });
  press(Qt::Key_0, kGo);
  press(Qt::Key_0, kSet);
  press(Qt::Key_3, Qt::AltModifier);
  press(Qt::Key_3, Qt::ShiftModifier | Qt::AltModifier);
  press(Qt::Key_3);
  EXPECT_TRUE(heard.empty());
  EXPECT_TRUE(editor().text().endsWith(u'3')) << "a plain digit is typed";
}

TEST_F(LocalBookmarksTest, WindowSetsRemovesAndGoes) {
  startTyping();
  editor().setText(kText);
  click("mnuLocalBookmarks");
  ASSERT_NE(frame(), nullptr);
  EXPECT_TRUE(frame()->isVisible());
  EXPECT_EQ(frame()->windowTitle(), "Закладки");
  EXPECT_TRUE(m_window->commands().action("mnuLocalBookmarks")->isChecked());
  EXPECT_EQ(setting("LocalBookMarks"), "True");
  EXPECT_EQ(labels(), QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));

  caretAt(1, 8);
  popup(5, "mnuSetLb");
  caretAt(0, 0);
  popup(5, "mnuGotoLb");
  EXPECT_EQ(editor().selection(), (SelRange{1, 8, 1, 8}));

  // Removing clears the place and marks the line; setting it again brings its number back.
  popup(5, "mnuRemoveLb");
  EXPECT_EQ(labels()[5], "0");
  caretAt(2, 2);
  press(Qt::Key_6, kGo);
  EXPECT_EQ(editor().selection(), (SelRange{0, 0, 0, 0}));
  caretAt(2, 2);
  press(Qt::Key_6, kSet);
  EXPECT_EQ(labels()[5], "6");

  // A double click goes, like "Перейти".
  caretAt(4, 1);
  list()->setCurrentRow(5);
  Q_EMIT list()->itemDoubleClicked(list()->item(5));
  EXPECT_EQ(editor().selection(), (SelRange{2, 2, 2, 2}));
}

TEST_F(LocalBookmarksTest, ClosingTheWindowUnchecksAndStaysClosedAtTheNextStart) {
  m_settings->set(platform::Setting::LocalBookMarks, "True");
  start();
  ASSERT_NE(frame(), nullptr);
  EXPECT_TRUE(frame()->isVisible()) << "shown at start";
  EXPECT_TRUE(m_window->commands().action("mnuLocalBookmarks")->isChecked());
  frame()->move(140, 70);
  frame()->close();
  EXPECT_FALSE(frame()->isVisible());
  EXPECT_FALSE(m_window->commands().action("mnuLocalBookmarks")->isChecked());
  EXPECT_EQ(setting("LocalBookMarks"), "False");
  EXPECT_NE(setting("LocalBookmarks_Left"), "<missing>");
  EXPECT_NE(setting("LocalBookmarks_Top"), "<missing>");

  m_window.reset();
  start();
  EXPECT_TRUE(frame() == nullptr || !frame()->isVisible());
  click("mnuLocalBookmarks");
  EXPECT_EQ(frame()->pos(), QPoint(140, 70));
  // The menu item hides it again.
  click("mnuLocalBookmarks");
  EXPECT_FALSE(frame()->isVisible());
  EXPECT_EQ(setting("LocalBookMarks"), "False");
}

}  // namespace
}  // namespace navigation
