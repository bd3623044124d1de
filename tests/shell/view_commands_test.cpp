// The view toggles store their state at once and act on the window; the about window is modal.
#include "shell/view_commands.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QStatusBar>

#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace shell {
namespace {

using testing_support::MainWindowTest;

class ViewCommandsTest : public MainWindowTest {
 protected:
};

TEST_F(ViewCommandsTest, TogglesFlipAndStore) {
  struct {
    const char* item;
    const char* value;
    const char* off;
    const char* on;
  } cases[] = {{"mnuViewToolBar", "ToolBar", "0", "1"},
               {"mnuViewStatusBar", "StatusBar", "0", "1"},
               {"mnuSplit", "Split", "1", "0"},
               {"mnuColumnSel", "ColumnSelection", "True", "False"},
               {"mnuTopMost", "TopMost", "1", "0"},
               {"mnuWordWrap", "WordWrap", "1", "0"}};
  start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    click(c.item);
    EXPECT_EQ(setting(c.value), c.off);
    click(c.item);
    EXPECT_EQ(setting(c.value), c.on);
  }
}

TEST_F(ViewCommandsTest, BarsAndEditorFollowTheToggles) {
  FrmMain& w = start();
  w.show();
  click("mnuViewStatusBar");
  EXPECT_FALSE(w.StatusB());
  EXPECT_FALSE(w.statusBar()->isVisible());
  EXPECT_TRUE(w.toolBarShown()) << "the other bar stays";
  click("mnuViewStatusBar");
  EXPECT_TRUE(w.statusBar()->isVisible());

  click("mnuSplit");
  EXPECT_TRUE(w.txtMain().splitterAllowed());
  EXPECT_NEAR(w.txtMain().splitterPosition(), w.txtMain().height() / 2, 8);
  click("mnuColumnSel");
  EXPECT_TRUE(w.txtMain().columnSelectionMode());
  click("mnuTopMost");
  EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(w.isVisible());
  const int wrap = w.txtMain().wrap();
  click("mnuWordWrap");
  EXPECT_EQ(w.txtMain().wrap(), wrap) << "the hidden item writes the wrapping back unchanged";
}

TEST_F(ViewCommandsTest, AboutShowsTheVersionModally) {
  start();
  QString version;
  m_ui.answerModal([&version](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "О программе");
    EXPECT_TRUE(dialog.isModal());
    version = dialog.findChild<QLabel*>("lblVersion")->text();
    // No made-up address until the program has a real one.
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
      EXPECT_FALSE(label->text().contains("href")) << label->text().toStdString();
      EXPECT_FALSE(label->text().contains("example")) << label->text().toStdString();
    }
    return int(QDialog::Accepted);
  });
  click("mnuAbout");
  EXPECT_EQ(m_ui.modalWindows, QStringList{"frmAbout"});
  EXPECT_TRUE(version.contains("2.3.6 build 23"));
}

TEST_F(ViewCommandsTest, ExitRunsTheSameProcedure) {
  FrmMain& w = start();
  w.show();
  w.txtMain().setText("x");
  m_ui.answerMessage(platform::MsgAnswer::Cancel, "Сохранить несохраненный документ?");
  click("mnuExit");
  EXPECT_TRUE(w.isVisible());
}

}  // namespace
}  // namespace shell
