// The editing control's events and key bindings: keys reach the program's handlers first,
// released keys reach the window's shortcuts, focus and selection events come once per move.
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "platform/edit_control.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

// A window with the control and a line edit beside it, shown and active.
class EditControlEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    edit = new EditControl;
    other = new QLineEdit;
    layout->addWidget(edit);
    layout->addWidget(other);
    window.resize(640, 480);
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &window);
    edit->primaryView()->setFocus();
    QCoreApplication::processEvents();
  }

  QsciScintilla* lowerView() const {
    for (auto* view : edit->findChildren<QsciScintilla*>())
      if (view != edit->primaryView()) return view;
    return nullptr;
  }

  QWidget window;
  EditControl* edit = nullptr;
  QLineEdit* other = nullptr;
};

TEST_F(EditControlEventsTest, KeyDownComesFirstAndAHandledKeyIsSwallowed) {
  QList<KeyPress> seen;
  bool swallow = false;
  QObject::connect(edit, &EditControl::keyDown, edit, [&](KeyPress& press) {
    // The modifier keys come as presses of their own; the test looks at the keys they modify.
    if (press.key == Qt::Key_Shift || press.key == Qt::Key_Control || press.key == Qt::Key_Alt)
      return;
    seen << press;
    press.handled = swallow;
  });
  QTest::keyClick(edit->primaryView(), Qt::Key_A, Qt::NoModifier);
  EXPECT_EQ(edit->text(), "a");
  swallow = true;
  QTest::keyClick(edit->primaryView(), Qt::Key_B, Qt::NoModifier);
  EXPECT_EQ(edit->text(), "a");
  QTest::keyClick(edit->primaryView(), Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(edit->primaryView(), Qt::Key_F5, Qt::AltModifier);

  ASSERT_EQ(seen.size(), 4);
  struct Expect {
    int key;
    int shift;
  };
  const Expect expect[] = {{Qt::Key_A, 0}, {Qt::Key_B, 0}, {Qt::Key_Home, 3}, {Qt::Key_F5, 4}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(seen[i].key, expect[i].key);
    EXPECT_EQ(seen[i].shift, expect[i].shift);
  }
  // The swallowed Ctrl+Shift+Home selected nothing.
  EXPECT_EQ(edit->selection(), (SelRange{0, 1, 0, 1}));
}

TEST_F(EditControlEventsTest, ReleasedKeyReachesTheWindowShortcut) {
  auto* action = new QAction(&window);
  action->setShortcut(QKeySequence("Ctrl+D"));
  window.addAction(action);
  QSignalSpy fired(action, &QAction::triggered);
  edit->setText("строка");

  // Bound in the control, Ctrl+D duplicates the line and the window never hears of it.
  ASSERT_TRUE(edit->bindsKey(QKeySequence("Ctrl+D")));
  QTest::keyClick(edit->primaryView(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(fired.count(), 0);
  EXPECT_EQ(edit->text(), "строка\r\nстрока");

  edit->releaseKeys({QKeySequence("Ctrl+D"), QKeySequence("Ctrl+L")});
  EXPECT_FALSE(edit->bindsKey(QKeySequence("Ctrl+D")));
  EXPECT_FALSE(edit->bindsKey(QKeySequence("Ctrl+L")));
  EXPECT_TRUE(edit->bindsKey(QKeySequence("Ctrl+Z")));
  QTest::keyClick(edit->primaryView(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(fired.count(), 1);
  EXPECT_EQ(edit->text(), "строка\r\nстрока");

  // The lower view of the splitter lets go of it too.
  edit->setSplitterAllowed(true);
  lowerView()->setFocus();
  QTest::keyClick(lowerView(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(fired.count(), 2);
}

TEST_F(EditControlEventsTest, FocusEventsOnlyWhenTheWholeControlGainsOrLoses) {
  other->setFocus();
  QCoreApplication::processEvents();
  QSignalSpy got(edit, &EditControl::gotFocus);
  QSignalSpy lost(edit, &EditControl::lostFocus);
  edit->setSplitterAllowed(true);

  edit->primaryView()->setFocus();
  lowerView()->setFocus();
  edit->primaryView()->setFocus();
  EXPECT_EQ(got.count(), 1);
  EXPECT_EQ(lost.count(), 0);

  other->setFocus();
  EXPECT_EQ(got.count(), 1);
  EXPECT_EQ(lost.count(), 1);
}

TEST_F(EditControlEventsTest, ProgramWorksOnTheViewFocusedLast) {
  edit->setSplitterAllowed(true);
  edit->setText("первая\r\nвторая");
  edit->setSelection({0, 1, 0, 2});
  lowerView()->setFocus();
  lowerView()->SendScintilla(Sci::SCI_SETSEL, 0UL, 0L);
  EXPECT_EQ(edit->selection(), (SelRange{0, 0, 0, 0}));
  EXPECT_EQ(edit->focusWidget(), lowerView());
  edit->primaryView()->setFocus();
  EXPECT_EQ(edit->selection(), (SelRange{0, 1, 0, 2}));
}

TEST_F(EditControlEventsTest, MouseButtonsInControlCoordinates) {
  struct Seen {
    Qt::MouseButton button;
    int shift, x, y;
  };
  QList<Seen> downs, ups;
  QObject::connect(edit, &EditControl::mouseDown, edit,
                   [&](Qt::MouseButton b, int s, int x, int y) {
                     downs << Seen{b, s, x, y};
                   });
  QObject::connect(edit, &EditControl::mouseUp, edit, [&](Qt::MouseButton b, int s, int x, int y) {
    ups << Seen{b, s, x, y};
  });
  QWidget* viewport = edit->primaryView()->viewport();
  const QPoint inViewport(30, 20);
  const QPoint expected = viewport->mapTo(edit, inViewport);
  QTest::mousePress(viewport, Qt::LeftButton, Qt::ShiftModifier, inViewport);
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ShiftModifier, inViewport);
  QTest::mouseClick(viewport, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, inViewport);

  ASSERT_EQ(downs.size(), 2);
  ASSERT_EQ(ups.size(), 2);
  EXPECT_EQ(downs[0].button, Qt::LeftButton);
  EXPECT_EQ(downs[0].shift, 1);
  EXPECT_EQ(QPoint(downs[0].x, downs[0].y), expected);
  EXPECT_EQ(ups[0].button, Qt::LeftButton);
  EXPECT_EQ(downs[1].button, Qt::RightButton);
  EXPECT_EQ(downs[1].shift, 6);
  EXPECT_EQ(QPoint(ups[1].x, ups[1].y), expected);
}

TEST_F(EditControlEventsTest, SelectionChangesOncePerMove) {
  edit->setText("первая\r\nвторая");
  edit->setSelection({0, 0, 0, 0});
  QCoreApplication::processEvents();
  QSignalSpy moved(edit, &EditControl::selectionChanged);

  edit->setSelection({0, 0, 0, 0});
  EXPECT_EQ(moved.count(), 0) << "nothing moved";
  QTest::keyClick(edit->primaryView(), Qt::Key_Right);
  QCoreApplication::processEvents();
  EXPECT_EQ(moved.count(), 1) << "a caret move without a selection";
  QTest::keyClick(edit->primaryView(), Qt::Key_Right, Qt::ShiftModifier);
  QCoreApplication::processEvents();
  EXPECT_EQ(moved.count(), 2) << "a selection";
  QTest::keyClick(edit->primaryView(), Qt::Key_X);
  QCoreApplication::processEvents();
  EXPECT_EQ(moved.count(), 3) << "typing moves the caret";
  edit->setSelection({1, 0, 1, 2}, false);
  EXPECT_EQ(moved.count(), 4) << "a selection set by the program";
}

TEST_F(EditControlEventsTest, ChangedForEveryEditOfTheText) {
  QSignalSpy changed(edit, &EditControl::changed);
  QTest::keyClick(edit->primaryView(), Qt::Key_A);
  EXPECT_EQ(changed.count(), 1);
  edit->setSelectedText("б");
  EXPECT_EQ(changed.count(), 2);
  edit->undo();
  EXPECT_EQ(changed.count(), 3);
  edit->setSelection({0, 0, 0, 0});
  EXPECT_EQ(changed.count(), 3) << "moving the caret is no change";
  edit->setText("one\r\ntwo");
  EXPECT_EQ(changed.count(), 4) << "emptying and filling is one change";
  edit->setSplitterAllowed(true);
  QTest::keyClick(lowerView(), Qt::Key_Z);
  EXPECT_EQ(changed.count(), 5) << "typed in the other view of the document";
  edit->setSplitterAllowed(false);
  edit->setText("one\r\ntwo");
  EXPECT_EQ(changed.count(), 6);
  // A change the control's own calls did not make (a drop, an input method) is reported when
  // the event loop comes round, once.
  edit->primaryView()->SendScintilla(Sci::SCI_INSERTTEXT, 0UL, "x");
  edit->primaryView()->SendScintilla(Sci::SCI_INSERTTEXT, 0UL, "y");
  EXPECT_EQ(changed.count(), 6);
  QCoreApplication::processEvents();
  EXPECT_EQ(changed.count(), 7);
  EXPECT_EQ(edit->text(), "yxone\r\ntwo");
}

// The lines changed since the mark follow every later change, whoever makes it.
TEST_F(EditControlEventsTest, LinesChangedSinceTheMarkFollowTheText) {
  using Lines = std::vector<std::pair<int, int>>;
  edit->setText("a\r\nb\r\nc\r\nd\r\ne");
  edit->markChanges();
  EXPECT_EQ(edit->linesChangedSinceMark(), Lines());
  edit->setSelection({3, 1, 3, 1});
  edit->setSelectedText("x");
  EXPECT_EQ(edit->linesChangedSinceMark(), (Lines{{3, 3}}));
  edit->setSelection({0, 0, 0, 0});
  edit->setSelectedText("1\r\n2\r\n");  // two lines above: the first change is on line 5 now
  EXPECT_EQ(edit->linesChangedSinceMark(), (Lines{{0, 2}, {5, 5}}));
  edit->markChanges();
  edit->deleteLine(1);
  EXPECT_EQ(edit->linesChangedSinceMark(), (Lines{{1, 1}}));
  edit->markChanges();
  edit->undo();
  EXPECT_EQ(edit->linesChangedSinceMark(), (Lines{{1, 2}}));
  edit->markChanges();
  edit->setSelection({1, 0, 1, 0});
  QTest::keyClick(edit->primaryView(), Qt::Key_End);
  QTest::keyClick(edit->primaryView(), Qt::Key_Return);
  EXPECT_EQ(edit->linesChangedSinceMark(), (Lines{{1, 2}}));
  edit->markChanges();
  EXPECT_EQ(edit->replaceAll("x", "y", {}), 1);
  EXPECT_EQ(edit->linesChangedSinceMark(), (Lines{{0, edit->lineCount() - 1}}));
}

// Scintilla's own accessibility counts the characters before every change and caret move, so it
// is only kept while an assistive technology runs; one that starts later gets it back.
TEST_F(EditControlEventsTest, FullAccessibilityOnlyWhileAnAssistiveTechnologyRuns) {
  auto hasTextInterface = [](QWidget* view) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    return iface && iface->textInterface();
  };
  auto hearsInsertions = [](QsciScintilla* view) {
    return (view->SendScintilla(Sci::SCI_GETMODEVENTMASK) & Sci::SC_MOD_INSERTTEXT) != 0;
  };
  struct Inactive {
    ~Inactive() { QAccessible::setActive(false); }
  } restore;
  ASSERT_FALSE(QAccessible::isActive());
  edit->setSplitterAllowed(true);
  for (QsciScintilla* view : {edit->primaryView(), lowerView()}) {
    EXPECT_FALSE(hasTextInterface(view));
    EXPECT_FALSE(hearsInsertions(view));
  }
  QAccessible::setActive(true);
  for (QsciScintilla* view : {edit->primaryView(), lowerView()}) {
    EXPECT_TRUE(hasTextInterface(view));
    EXPECT_TRUE(hearsInsertions(view));
  }
  QSignalSpy changed(edit, &EditControl::changed);
  QTest::keyClick(edit->primaryView(), Qt::Key_A);
  edit->setText("abc");
  EXPECT_EQ(changed.count(), 2);
  QAccessible::setActive(false);
  EXPECT_FALSE(hasTextInterface(edit->primaryView()));
  EXPECT_FALSE(hearsInsertions(edit->primaryView()));
}

}  // namespace
}  // namespace platform
