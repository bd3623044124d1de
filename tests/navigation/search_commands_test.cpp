// The search menu through the real main window and the scripted user: go to line with the
// leading number of the answer, go to position on the window's selection range, and find
// next after a search made in the find window.
#include "navigation/search_commands.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/edit_control.h"
#include "platform/piece_reader.h"
#include "support/main_window_fixture.h"

namespace navigation {
namespace {

using platform::SelRange;
using testing_support::MainWindowTest;

class SearchCommandsTest : public MainWindowTest {
 protected:
  void click(const char* name) { m_window->commands().action(QString::fromUtf8(name))->trigger(); }
  platform::EditControl& editor() { return m_window->txtMain(); }
  QDialog* findWindow() { return editor().findChild<QDialog*>("frmFind"); }
};

TEST_F(SearchCommandsTest, GoToLineTakesTheLeadingNumber) {
  struct Case {
    std::optional<QString> answer;
    SelRange after;
  };
  const SelRange unmoved{5, 2, 5, 2};
  const Case cases[] = {
      {"12abc", {11, 0, 11, 0}}, {" 3", {2, 0, 2, 0}}, {"abc", {0, 0, 0, 0}},   {"0", {0, 0, 0, 0}},
      {"999", {19, 0, 19, 0}},   {"-4", unmoved},      {std::nullopt, unmoved}, {"", unmoved},
  };
  start();
  QStringList lines;
  for (int i = 1; i <= 20; ++i) lines << QString("строка %1").arg(i);
  editor().setText(lines.join("\r\n"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer.value_or("<cancel>").toStdString());
    editor().setSelection(unmoved);
    m_ui.answerInput(c.answer, "Введите номер строки");
    click("mnuGotoLine");
    EXPECT_EQ(editor().selection(), c.after);
    EXPECT_TRUE(m_ui.allAnswered());
  }
}

// The typed position, counted from 1 as the status bar shows it, becomes both columns of the
// window's selection range; its lines stay. Typed 5 used to land where the status bar said 6.
TEST_F(SearchCommandsTest, GoToPositionSetsTheColumnsOfTheSelectionRange) {
  struct Case {
    const char* name;
    SelRange before;
    std::optional<QString> answer;
    SelRange after;
  };
  const Case cases[] = {
      {"caret", {1, 6, 1, 6}, "3", {1, 2, 1, 2}},
      {"start of line", {1, 6, 1, 6}, "0", {1, 0, 1, 0}},
      {"1 is the start of the line too", {1, 6, 1, 6}, "1", {1, 0, 1, 0}},
      {"negative", {1, 6, 1, 6}, "-4", {1, 0, 1, 0}},
      {"selection on one line", {2, 1, 2, 5}, " 7 ", {2, 6, 2, 6}},
      {"selection over lines", {0, 1, 2, 5}, "2", {0, 1, 2, 1}},
      {"past the end of the line", {0, 0, 0, 0}, "50", {0, 6, 0, 6}},
      {"cancel", {1, 6, 1, 6}, std::nullopt, {1, 6, 1, 6}},
  };
  start();
  editor().setText("первая\r\nвторая строка\r\nтретья строка");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor().setSelection(c.before);
    ASSERT_EQ(m_window->selectionRange(), c.before);
    m_ui.answerInput(c.answer, "Введите позицию");
    click("mnuGoto");
    EXPECT_EQ(editor().selection(), c.after);
    EXPECT_EQ(m_window->selectionRange(), c.after);
    EXPECT_TRUE(m_ui.allAnswered());
  }

  // What the status bar shows is what was typed.
  editor().setSelection({1, 0, 1, 0});
  m_ui.answerInput("5", "Введите позицию");
  click("mnuGoto");
  EXPECT_TRUE(m_window->statusText().text().contains(" | 5 : 14 | "))
      << m_window->statusText().text().toStdString();

  editor().setSelection({1, 6, 1, 6});
  m_ui.answerInput("пять", "Введите позицию").answerMessage(platform::MsgAnswer::Ok, "целым");
  click("mnuGoto");
  EXPECT_EQ(editor().selection(), (SelRange{1, 6, 1, 6}));
  EXPECT_TRUE(m_ui.allAnswered());
}

// F3 with nothing searched for opens the find window (in place of the replace window); after
// a search there it finds the next occurrence with that window's options, and says so when
// there is none.
TEST_F(SearchCommandsTest, FindNextRepeatsTheSearchOfTheFindWindow) {
  start();
  editor().setText("Кот, кот и кот\r\nкот");
  editor().setSelection({0, 0, 0, 0});
  click("mnuReplace");
  auto* replaceWindow = editor().findChild<QDialog*>("frmReplace");
  ASSERT_NE(replaceWindow, nullptr);
  EXPECT_TRUE(replaceWindow->isVisible());
  click("mnuFindNext");
  ASSERT_NE(findWindow(), nullptr);
  EXPECT_TRUE(findWindow()->isVisible());
  EXPECT_FALSE(replaceWindow->isVisible());

  findWindow()->findChild<QLineEdit*>("txtFind")->setText("кот");
  findWindow()->findChild<QCheckBox*>("chkMatchCase")->setChecked(true);
  findWindow()->findChild<QCheckBox*>("chkWrap")->setChecked(false);
  findWindow()->findChild<QPushButton*>("cmdFind")->click();
  EXPECT_EQ(editor().selection(), (SelRange{0, 5, 0, 8}));

  click("mnuFindNext");
  EXPECT_EQ(editor().selection(), (SelRange{0, 11, 0, 14}));
  EXPECT_EQ(m_window->selectionRange(), (SelRange{0, 11, 0, 14}));
  click("mnuFindNext");
  EXPECT_EQ(editor().selection(), (SelRange{1, 0, 1, 3}));

  m_ui.answerMessage(platform::MsgAnswer::Ok, "не найден");
  click("mnuFindNext");
  EXPECT_EQ(editor().selection(), (SelRange{1, 0, 1, 3}));
  EXPECT_TRUE(m_ui.allAnswered());
}

// "Заменить все" over a big file made the text longer, yet the status bar kept the total it
// had counted while the file was read.
TEST_F(SearchCommandsTest, TheStatusBarCountsTheTextAfterReplacingAllInABigFile) {
  QByteArray bytes;
  for (int i = 0; bytes.size() <= platform::kPieceLoadThreshold; ++i)
    bytes += QString("строка %1: кот и ёж\r\n").arg(i).toUtf8();
  const QString path = writeFile("big.txt", bytes);
  start(path);
  ASSERT_EQ(editor().text().size(), QString::fromUtf8(bytes).size()) << "the file is open";
  const auto counted = [this] {
    QCoreApplication::processEvents();
    const QString status = m_window->statusText().text();
    return status.mid(status.lastIndexOf(u' ') + 1).toLongLong();
  };
  ASSERT_EQ(counted(), editor().text().size());

  click("mnuReplace");
  auto* replaceWindow = editor().findChild<QDialog*>("frmReplace");
  ASSERT_NE(replaceWindow, nullptr);
  replaceWindow->findChild<QLineEdit*>("txtFind")->setText("кот");
  replaceWindow->findChild<QLineEdit*>("txtReplace")->setText("котёнок");
  replaceWindow->findChild<QPushButton*>("cmdReplaceAll")->click();
  const qsizetype grown = editor().text().size();
  EXPECT_GT(grown, QString::fromUtf8(bytes).size());
  EXPECT_EQ(counted(), grown);
  click("mnuUndo");
  EXPECT_EQ(counted(), QString::fromUtf8(bytes).size());
  click("mnuRedo");
  EXPECT_EQ(counted(), grown);
  // Another whole change, one that shrinks the text, with a pattern.
  replaceWindow->findChild<QLineEdit*>("txtFind")->setText("ёж|\\d+");
  replaceWindow->findChild<QLineEdit*>("txtReplace")->setText("");
  replaceWindow->findChild<QCheckBox*>("chkRegExp")->setChecked(true);
  replaceWindow->findChild<QPushButton*>("cmdReplaceAll")->click();
  EXPECT_LT(editor().text().size(), grown);
  EXPECT_EQ(counted(), editor().text().size());
}

}  // namespace
}  // namespace navigation
