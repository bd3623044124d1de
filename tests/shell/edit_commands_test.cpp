// The edit commands act on the real editor and run their event macro first.
#include "shell/edit_commands.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace shell {
namespace {

using testing_support::MainWindowTest;

class EditCommandsTest : public MainWindowTest {
 protected:
};

TEST_F(EditCommandsTest, CutTakesWhatTheMacroLeftSelected) {
  FrmMain& w = start();
  w.txtMain().setText("один два три");
  w.txtMain().setSelection({0, 0, 0, 4});
  // The macro moves the selection to the second word before the cut runs.
  w.hooks().add(Hook::CutMacro, [&w] { w.txtMain().setSelection({0, 5, 0, 8}); });
  click("mnuCut");
  EXPECT_EQ(w.txtMain().text(), "один  три");
  EXPECT_EQ(QApplication::clipboard()->text(), "два");
  click("mnuPaste");
  EXPECT_EQ(w.txtMain().text(), "один два три");
}

TEST_F(EditCommandsTest, DeleteUndoRedoSelectAll) {
  FrmMain& w = start();
  platform::EditControl& e = w.txtMain();
  e.setText("abc\r\ndef");
  e.setSelection({0, 1, 1, 1});
  click("mnuDelete");
  EXPECT_EQ(e.text(), "aef");
  click("mnuUndo");
  EXPECT_EQ(e.text(), "abc\r\ndef");
  click("mnuRedo");
  EXPECT_EQ(e.text(), "aef");
  click("mnuSelectAll");
  EXPECT_EQ(e.selectedText(), "aef");
  click("mnuCopy");
  EXPECT_EQ(QApplication::clipboard()->text(), "aef");
}

}  // namespace
}  // namespace shell

namespace shell {
namespace {

TEST_F(EditCommandsTest, RightButtonShowsTheEditMenuOnly) {
  FrmMain& w = start();
  w.show();
  QMenu* edit = w.commands().menu("mnuEdit");
  QWidget* view = qobject_cast<QAbstractScrollArea*>(w.txtMain().focusWidget())->viewport();
  const QPoint at(20, 10);
  QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(view, &press);
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
  QApplication::sendEvent(view, &menuEvent);
  EXPECT_TRUE(edit->isVisible());
  int popups = 0;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (qobject_cast<QMenu*>(top) && top->isVisible()) ++popups;
  EXPECT_EQ(popups, 1) << "the control's own context menu stays away";
  edit->hide();
}

}  // namespace
}  // namespace shell
