// The user's hot keys in a running window: read at start-up, shown on the menu items, run by a
// real key press beside the fixed combinations, kept through menu rebuilds, and assigned and
// removed with the file kept up to date.
#include "hotkeys/hot_keys.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include "hotkeys/macro_keys_fixture.h"
#include "platform/edit_control.h"

namespace hotkeys {
namespace {

const auto kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;

class HotKeysTest : public testing_support::MacroKeysTest {
 protected:
  HotKeys& hotKeys() { return *FindHotKeys(*m_window); }
  platform::EditControl& editor() { return m_window->txtMain(); }
  // The file the program reads and writes, whichever way its name is spelt on disk.
  QByteArray fileBytes() {
    QFile file(m_paths->file(QStringLiteral("HotKeys.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }
};

TEST_F(HotKeysTest, BindingMarksItsItemAndRunsBesideTheFixedCommand) {
  writeMacros();
  writeFile("HotKeys.ini", "Macro.2=6|77\r\n");
  startTyping();
  ASSERT_EQ(macros().count(), 3);
  EXPECT_EQ(macroCaption(2), macroName(2) + "\tCtrl+Alt+M");
  EXPECT_EQ(HotKeys::entryOf(*macros().item(2)), 0);
  EXPECT_FALSE(macroCaption(1).contains(u'\t'));
  EXPECT_FALSE(HotKeys::entryOf(*macros().item(1)).has_value());

  QSignalSpy fixed(m_window->commands().action("mnuExtractEMails"), &QAction::triggered);
  editor().setText("");
  press(Qt::Key_M, kCtrlAlt);
  EXPECT_EQ(fixed.count(), 1);
  EXPECT_EQ(editor().text(), macroName(2));
}

TEST_F(HotKeysTest, EveryMatchingBindingFiresInFileOrder) {
  writeMacros();
  writeFile("HotKeys.ini", "Macro.2=2|116\r\nMacro.1=2|116\r\nMacro.1=2|101\r\n");
  startTyping();
  editor().setText("");
  press(Qt::Key_F5, Qt::ControlModifier);
  EXPECT_EQ(editor().text(), macroName(2) + macroName(1));
  // The modifiers must be the same, not merely include the binding's.
  press(Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(editor().text(), macroName(2) + macroName(1));
  // Ctrl+Num 5 is its own key: the pad's 5, not the digit row's. A key that ran a hot key is
  // spent and types nothing.
  editor().setText("");
  press(Qt::Key_5, Qt::ControlModifier);
  EXPECT_EQ(editor().text(), "");
  press(Qt::Key_5, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(editor().text(), macroName(1));
  // Unbound, the same key goes on to the text.
  press(Qt::Key_6, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(editor().text(), macroName(1) + "6");
  // Only the first binding of an item is shown on it.
  EXPECT_EQ(macroCaption(1), macroName(1) + "\tCtrl+F5");
}

TEST_F(HotKeysTest, MarksSurviveMenuRebuilds) {
  writeMacros();
  writeFile("HotKeys.ini", "Macro.2=3|65\r\nHighLight.1=4|112\r\n");
  shell::FrmMain& w = start();
  shell::MenuArray& highLights = *w.commands().array("mnuHighLight");
  EXPECT_EQ(highLights.item(1)->text(), "HTML\tAlt+F1");
  // Marking again (the settings page does it when it opens) never adds a second text.
  hotKeys().apply();
  w.hooks().run(shell::Hook::MacroMenu);
  QCoreApplication::processEvents();
  EXPECT_EQ(macroCaption(2), macroName(2) + "\tCtrl+Shift+A");
  EXPECT_EQ(macroCaption(2).count(u'\t'), 1);
  EXPECT_EQ(highLights.item(1)->text(), "HTML\tAlt+F1");
  EXPECT_EQ(fileBytes(), "Macro.2=3|65\r\nHighLight.1=4|112\r\n");
}

// Fixed fault: a binding used to stay with the position, so removing a script passed its key to
// the script that moved up into its place.
TEST_F(HotKeysTest, BindingsFollowTheirItemsThroughMenuRebuilds) {
  writeFile("Macro/one.mac", "setselectedtext one;");
  writeFile("Macro/two.mac", "setselectedtext two;");
  writeFile("Macro/three.mac", "setselectedtext three;");
  shell::FrmMain& w = start();
  ASSERT_EQ(macros().count(), 4);
  const QString gone = macroName(2);
  const QString kept = macroName(3);
  ASSERT_EQ(hotKeys().assign(HotKeyKind::Macro, 2, 3, 'A'), HotKeyChange::Done);
  ASSERT_EQ(hotKeys().assign(HotKeyKind::Macro, 3, 3, 'B'), HotKeyChange::Done);

  ASSERT_TRUE(QFile::remove(homePath("Macro/" + gone + ".mac")));
  w.hooks().run(shell::Hook::MacroMenu);
  // A key pressed before the window's events ran finds the bindings already settled.
  editor().setText("");
  EXPECT_FALSE(hotKeys().dispatch('A', 3));
  EXPECT_TRUE(hotKeys().dispatch('B', 3));
  EXPECT_EQ(editor().text(), kept);
  QCoreApplication::processEvents();

  ASSERT_EQ(macros().count(), 3);
  const int keptAt = macroName(1) == kept ? 1 : 2;
  EXPECT_EQ(macroCaption(keptAt), kept + "\tCtrl+Shift+B");
  EXPECT_FALSE(macroCaption(3 - keptAt).contains(u'\t'));
  EXPECT_EQ(fileBytes(), QStringLiteral("Macro.%1=3|66\r\n").arg(keptAt).toUtf8());
  const QList<HotKeyRow> rows = hotKeys().rows();
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0].binding.index, keptAt);

  // The script coming back is a new item: its old key is gone for good.
  writeFile("Macro/" + gone + ".mac", "setselectedtext back;");
  w.hooks().run(shell::Hook::MacroMenu);
  QCoreApplication::processEvents();
  ASSERT_EQ(macros().count(), 4);
  for (int i = 1; i < 4; ++i) {
    SCOPED_TRACE(macroName(i).toStdString());
    EXPECT_EQ(macroCaption(i).contains(u'\t'), macroName(i) == kept);
  }
  editor().setText("");
  EXPECT_FALSE(hotKeys().dispatch('A', 3));
  EXPECT_TRUE(hotKeys().dispatch('B', 3));
  EXPECT_EQ(editor().text(), kept);
}

TEST_F(HotKeysTest, ABindingWaitingForItsItemKeepsItsPosition) {
  writeMacros();
  // The file names a fourth script the folder does not have (yet).
  writeFile("HotKeys.ini", "Macro.3=3|65\r\n");
  shell::FrmMain& w = start();
  writeFile("Macro/third.mac", "setselectedtext third;");
  w.hooks().run(shell::Hook::MacroMenu);
  QCoreApplication::processEvents();
  ASSERT_EQ(macros().count(), 4);
  EXPECT_EQ(macroCaption(3), macroName(3) + "\tCtrl+Shift+A");
  EXPECT_EQ(fileBytes(), "Macro.3=3|65\r\n");
}

TEST_F(HotKeysTest, AssignAndRemoveKeepMenuAndFileUpToDate) {
  writeMacros();
  start();
  EXPECT_EQ(fileBytes(), "");
  struct {
    const char* what;
    int index, modifiers, key;
  } refused[] = {
      {"no modifier", 1, 0, 'K'},         {"no modifier code", 1, 8, 'K'},
      {"Ctrl alone", 1, 2, 17},           {"the blank element 0", 0, 2, 'K'},
      {"no such item", 3, 2, 'K'},        {"negative index", -1, 2, 'K'},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(hotKeys().assign(HotKeyKind::Macro, c.index, c.modifiers, c.key),
              HotKeyChange::Refused);
  }
  EXPECT_EQ(fileBytes(), "");
  EXPECT_FALSE(macroCaption(1).contains(u'\t'));

  EXPECT_EQ(hotKeys().assign(HotKeyKind::Macro, 1, 2, 'K'), HotKeyChange::Done);
  EXPECT_EQ(macroCaption(1), macroName(1) + "\tCtrl+K");
  EXPECT_EQ(fileBytes(), "Macro.1=2|75\r\n");
  // An item with a binding takes no second one until it is removed.
  EXPECT_EQ(hotKeys().assign(HotKeyKind::Macro, 1, 4, 'K'), HotKeyChange::Refused);
  EXPECT_EQ(hotKeys().assign(HotKeyKind::Macro, 2, 7, 46), HotKeyChange::Done);
  EXPECT_EQ(fileBytes(), "Macro.1=2|75\r\nMacro.2=7|46\r\n");
  const QList<HotKeyRow> rows = hotKeys().rows();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[1].entry, 1);
  EXPECT_EQ(rows[1].text, "Ctrl+Shift+Alt+Del");

  EXPECT_EQ(hotKeys().remove(0), HotKeyChange::Done);
  EXPECT_EQ(macroCaption(1), macroName(1));
  EXPECT_FALSE(HotKeys::entryOf(*macros().item(1)).has_value());
  EXPECT_EQ(fileBytes(), "Macro.2=7|46\r\n");
  EXPECT_EQ(hotKeys().remove(0), HotKeyChange::Refused);
  EXPECT_EQ(hotKeys().remove(7), HotKeyChange::Refused);
  // The removed entry keeps its place, so the marks' entry numbers stay right.
  EXPECT_EQ(hotKeys().entries().size(), 2);
  EXPECT_EQ(HotKeys::entryOf(*macros().item(2)), 1);
  editor().setText("");
  hotKeys().dispatch('K', 2);
  EXPECT_EQ(editor().text(), "");
  // The item is free for a new binding now.
  EXPECT_EQ(hotKeys().assign(HotKeyKind::Macro, 1, 4, 'K'), HotKeyChange::Done);
  EXPECT_EQ(fileBytes(), "Macro.2=7|46\r\nMacro.1=4|75\r\n");
}

TEST_F(HotKeysTest, BadLinesAreIgnoredAndDroppedOnTheNextSave) {
  writeMacros();
  // The program's own spelling of the file name; the same file.
  writeFile("Hotkeys.ini",
            "Foo.1=6|77\r\nMacro.1=0|77\r\nMacro.1=6|999\r\ngarbage\r\nMacro.x=6|77\r\n"
            "Macro.9=6|77\r\nMacro.1=6|66\r\n\r\n");
  start();
  EXPECT_EQ(macroCaption(1), macroName(1) + "\tCtrl+Alt+B");
  EXPECT_FALSE(macroCaption(2).contains(u'\t'));
  const QList<HotKeyEntry> expect = {{"Macro.9", "6|77"}, {"Macro.1", "6|66"}};
  EXPECT_EQ(hotKeys().entries(), expect);
  editor().setText("");
  hotKeys().dispatch('M', 6);
  EXPECT_EQ(editor().text(), "");
  ASSERT_EQ(hotKeys().assign(HotKeyKind::Macro, 2, 1, 112), HotKeyChange::Done);
  EXPECT_EQ(fileBytes(), "Macro.9=6|77\r\nMacro.1=6|66\r\nMacro.2=1|112\r\n");
  EXPECT_EQ(QDir(homePath()).entryList({"*.ini"}, QDir::Files).filter("hotkeys", Qt::CaseInsensitive),
            QStringList({"Hotkeys.ini"}));
}

}  // namespace
}  // namespace hotkeys
