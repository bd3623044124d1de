// Runs of program edits: one undo step for all of them, one change and one selection event at
// the end instead of one per edit, the caret brought into view once, and runs inside runs.
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>

#include "platform/edit_control.h"
#include "support/qt_print.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

class EditControlRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit.resize(400, 200);
    edit.show();
    QCoreApplication::processEvents();
  }
  long firstVisibleLine() const {
    return edit.primaryView()->SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE);
  }

  EditControl edit;
};

TEST_F(EditControlRunTest, EditsOfARunUndoTogetherAndAreReportedOnceAtItsEnd) {
  edit.setText("one\r\ntwo");
  edit.setSelection({1, 3, 1, 3, false});
  QSignalSpy changed(&edit, &EditControl::changed);
  QSignalSpy moved(&edit, &EditControl::selectionChanged);
  edit.beginEditRun();
  EXPECT_TRUE(edit.inEditRun());
  for (int i = 0; i < 100; ++i) edit.setSelectedText(QStringLiteral("ж"));
  edit.setSelection({0, 0, 0, 3, false});
  edit.setSelectedText(QStringLiteral("ONE"));
  edit.setText(edit.text() + QStringLiteral("!"));
  // The events the component queued meanwhile find nothing to report while the run goes on.
  QCoreApplication::processEvents();
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(moved.count(), 0);
  edit.endEditRun();
  EXPECT_FALSE(edit.inEditRun());
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(moved.count(), 1);
  EXPECT_EQ(edit.text(), "ONE\r\ntwo" + QString(100, QChar(u'ж')) + "!");
  EXPECT_EQ(edit.textLength(), edit.text().size()) << "the counted length kept up";
  edit.undo();
  EXPECT_EQ(edit.text(), "one\r\ntwo");
  edit.redo();
  EXPECT_EQ(edit.text(), "ONE\r\ntwo" + QString(100, QChar(u'ж')) + "!");
}

TEST_F(EditControlRunTest, RunsNestAndOnlyTheOutermostEndReports) {
  edit.setText("a");
  QSignalSpy changed(&edit, &EditControl::changed);
  edit.beginEditRun();
  edit.beginEditRun();
  edit.setSelectedText("b");
  edit.endEditRun();
  EXPECT_TRUE(edit.inEditRun());
  EXPECT_EQ(changed.count(), 0);
  edit.setSelectedText("c");
  edit.endEditRun();
  EXPECT_EQ(changed.count(), 1);
  // An end without a beginning changes nothing.
  edit.endEditRun();
  EXPECT_FALSE(edit.inEditRun());
  edit.undo();
  EXPECT_EQ(edit.text(), "a");
  // Outside a run every edit is reported and undone by itself again.
  changed.clear();
  edit.setSelectedText("x");
  edit.setSelectedText("y");
  EXPECT_EQ(changed.count(), 2);
  edit.undo();
  EXPECT_EQ(edit.text(), "xa");
}

TEST_F(EditControlRunTest, RunThatChangesNothingLeavesNoStepAndNoEvent) {
  edit.setText("same");
  QSignalSpy changed(&edit, &EditControl::changed);
  QSignalSpy moved(&edit, &EditControl::selectionChanged);
  const bool couldUndo = edit.canUndo();
  edit.beginEditRun();
  edit.setSelection({0, 1, 0, 2, false});
  edit.setSelection({0, 0, 0, 0, false});
  edit.endEditRun();
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(moved.count(), 0) << "the selection ended where it was";
  EXPECT_EQ(edit.canUndo(), couldUndo);
}

TEST_F(EditControlRunTest, CaretIsBroughtIntoViewAtTheEnd) {
  QString text;
  for (int i = 0; i < 500; ++i) text += QStringLiteral("строка %1\r\n").arg(i);
  edit.setText(text);
  edit.setSelection({0, 0, 0, 0, false});
  ASSERT_EQ(firstVisibleLine(), 0);
  edit.beginEditRun();
  edit.setSelection({450, 0, 450, 0, false});
  edit.setSelectedText("x");
  EXPECT_EQ(firstVisibleLine(), 0) << "no scrolling inside the run";
  edit.endEditRun();
  EXPECT_GT(firstVisibleLine(), 400);
  EXPECT_EQ(edit.selection(), (SelRange{450, 1, 450, 1, false}));
}

}  // namespace
}  // namespace platform
