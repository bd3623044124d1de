// Tab walks every dialog's fields in the order they read in: pressed for real in each window,
// offscreen, and followed by where the focus lands.
#include "platform/tab_order.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "platform/edit_control.h"
#include "platform/find_dialog.h"
#include "platform/replace_dialog.h"
#include "text/frm_convert.h"
#include "text/frm_format.h"
#include "text/frm_symbols.h"

namespace platform {
namespace {

// The name of the control holding the focus; a part of a named control (the editor of a combo
// box) answers for that control.
QString focusName() {
  for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
    if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_")) return w->objectName();
  return QStringLiteral("<none>");
}

// Tab enters a group of option buttons at its checked one.
QString checkedDirection(const QWidget& window) {
  const auto* down = window.findChild<QAbstractButton*>("optDown");
  return down && down->isChecked() ? QStringLiteral("optDown") : QStringLiteral("optUp");
}

// Where Tab goes from `first`, once round the window and back to it.
QStringList tabWalk(QWidget& window, QWidget* first, int steps) {
  window.show();
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  first->setFocus(Qt::TabFocusReason);
  QStringList names{focusName()};
  for (int i = 0; i < steps; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    names << focusName();
  }
  return names;
}

class TabOrderTest : public ::testing::Test {
 protected:
  EditControl edit;
};

TEST_F(TabOrderTest, FindAndReplaceWindows) {
  // Tab from "Найти:" used to skip "Заменить на:", which was made last.
  ASSERT_TRUE(edit.executeCommand(EditCommand::ReplaceDialog));
  auto* replace = edit.findChild<ReplaceDialog*>("frmReplace");
  ASSERT_NE(replace, nullptr);
  auto* find = replace->findChild<QLineEdit*>("txtFind");
  find->setText("x");
  EXPECT_EQ(tabWalk(*replace, find, 11),
            (QStringList{"txtFind", "txtReplace", "chkMatchCase", "chkWholeWord", "chkRegExp",
                         "chkWrap", checkedDirection(*replace), "cmdFind", "cmdReplace", "cmdReplaceAll", "cmdClose",
                         "txtFind"}));
  replace->close();

  ASSERT_TRUE(edit.executeCommand(EditCommand::FindDialog));
  auto* findWindow = edit.findChild<FindDialog*>("frmFind");
  ASSERT_NE(findWindow, nullptr);
  auto* what = findWindow->findChild<QLineEdit*>("txtFind");
  what->setText("x");
  EXPECT_EQ(tabWalk(*findWindow, what, 8),
            (QStringList{"txtFind", "chkMatchCase", "chkWholeWord", "chkRegExp", "chkWrap",
                         checkedDirection(*findWindow), "cmdFind", "cmdClose", "txtFind"}));
  findWindow->close();
}

TEST_F(TabOrderTest, TextToolWindows) {
  text::FrmConvert convert(1, [](int, int) {});
  EXPECT_EQ(tabWalk(convert, convert.findChild<QWidget*>("cmbSource"), 4),
            (QStringList{"cmbSource", "cmbDest", "cmdConvert", "cmdClose", "cmbSource"}));

  text::FrmFormat format({"2", "4", false});
  EXPECT_EQ(tabWalk(format, format.findChild<QWidget*>("txtRecSpace"), 5),
            (QStringList{"txtRecSpace", "PWidth", "chkFirstLB", "cmdOK", "cmdClose",
                         "txtRecSpace"}));

  text::FrmSymbols symbols([](const QString&) {}, [](const QString&) {});
  EXPECT_EQ(tabWalk(symbols, symbols.findChild<QWidget*>("lstSymbols"), 7),
            (QStringList{"lstSymbols", "cmbFont", "txtSe", "cmdInsert", "cmdASC", "cmdHEX",
                         "cmdClose", "lstSymbols"}));
}

}  // namespace
}  // namespace platform
