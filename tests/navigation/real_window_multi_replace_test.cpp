// The window "Мультизамена" under a real window manager (scripts/real-window-tests.sh; skipped
// offscreen): a run hands the keyboard to the editor while the window stays open, the command
// brings the open window back to the front, and closing it hands the keyboard back.
#include <QApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "navigation/frm_multi_replace.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace navigation {
namespace {

using testing_support::MainWindowTest;

void settle(int ms = 300) { QTest::qWait(ms); }

class RealWindowMultiReplaceTest : public MainWindowTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a window system with a window manager";
  }

  shell::FrmMain& showMain() {
    shell::FrmMain& w = start();
    w.show();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    settle();
    return w;
  }

  FrmMultiReplace* openDialog() {
    click("mnuMultiReplace");
    auto* dialog = m_window->findChild<FrmMultiReplace*>("frmMultiReplace");
    EXPECT_NE(dialog, nullptr);
    if (dialog) {
      EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    }
    settle();
    return dialog;
  }
};

TEST_F(RealWindowMultiReplaceTest, RunGivesTheEditorTheKeyboardAndTheWindowStays) {
  shell::FrmMain& w = showMain();
  w.txtMain().setText("мама мыла раму");
  FrmMultiReplace* dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  dialog->setListText("мама=папа");
  dialog->findChild<QPushButton*>("cmdRepl")->click();
  EXPECT_EQ(w.txtMain().text(), "папа мыла раму");
  EXPECT_TRUE(QTest::qWaitFor(
      [&w] { return QApplication::focusWidget() == w.txtMain().focusWidget(); }, 3000));
  EXPECT_EQ(QApplication::activeWindow(), &w);
  EXPECT_TRUE(dialog->isVisible());
  // Asked for again while open: the same window, active again.
  EXPECT_EQ(openDialog(), dialog);
  EXPECT_EQ(QApplication::activeWindow(), dialog);
}

// Where a tool window reopens is checked for all of them with the conversion window
// (RealWindowTest.ToolWindowKeepsItsPlaceAcrossOpenAndClose): the same placement code.
TEST_F(RealWindowMultiReplaceTest, CloseAndEscapeGiveTheEditorTheKeyboard) {
  shell::FrmMain& w = showMain();
  QPointer<FrmMultiReplace> dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  dialog->findChild<QPushButton*>("cmdClose")->click();
  settle(100);
  EXPECT_TRUE(dialog.isNull()) << "a closed window is gone";
  EXPECT_TRUE(QTest::qWaitFor(
      [&w] { return QApplication::focusWidget() == w.txtMain().focusWidget(); }, 3000));
  EXPECT_FALSE(setting("Multi_Top").startsWith('<'));

  dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  QTest::keyClick(dialog->findChild<QPlainTextEdit*>("txtMulti"), Qt::Key_Escape);
  settle(100);
  EXPECT_TRUE(dialog.isNull()) << "Escape closes the window";
  EXPECT_TRUE(QTest::qWaitFor(
      [&w] { return QApplication::focusWidget() == w.txtMain().focusWidget(); }, 3000));
  EXPECT_EQ(QApplication::activeWindow(), &w);
}

}  // namespace
}  // namespace navigation
