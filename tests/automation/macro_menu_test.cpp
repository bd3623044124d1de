// The menu "Macro - скрипт": scripts of the Macro folder, the document as a script, and the menu
// shown only while a script file is open.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>

#include "automation/macro_runner.h"
#include "document/open_file.h"
#include "document/save_file.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace automation {
namespace {

using testing_support::MainWindowTest;

class MacroMenuTest : public MainWindowTest {
 protected:
  bool menuShown() {
    return m_window->commands().menu("mnuMacroScript")->menuAction()->isVisible();
  }
  QStringList macroItems() {
    QStringList captions;
    for (QAction* item : m_window->commands().array("mnuMacro")->items()) captions << item->text();
    return captions;
  }
};

TEST_F(MacroMenuTest, ScriptsOfTheFolderRunFromTheMenu) {
  writeFile("Macro/upper.mac", "setselectedtext Hello;");
  writeFile("Macro/clip.mac", "setclipboardtext из меню;");
  writeFile("Macro/notes.txt", "не скрипт");
  shell::FrmMain& w = start();
  QStringList items = macroItems();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items.takeFirst(), "");  // the separator
  items.sort();
  EXPECT_EQ(items, QStringList({"clip", "upper"}));
  shell::MenuArray* menu = w.commands().array("mnuMacro");
  const int upper = macroItems().indexOf("upper");
  // A hot key's name after a Tab is not part of the script's name.
  menu->item(upper)->setText("upper\tCtrl+1");
  menu->item(upper)->trigger();
  EXPECT_EQ(w.txtMain().text(), "hello");  // literals reach the command lower-cased
  menu->item(macroItems().indexOf("clip"))->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "из меню");
}

TEST_F(MacroMenuTest, RunsTheDocumentAsAScript) {
  shell::FrmMain& w = start();
  w.txtMain().setText("replace $alltext,a,b;\r\nsetclipboardtext готово;");
  click("mnuExecuteScript");
  EXPECT_EQ(w.txtMain().text(), "replbce $blltext,b,b;\r\nsetclipbobrdtext готово;");
  EXPECT_EQ(QApplication::clipboard()->text(), "готово");
}

TEST_F(MacroMenuTest, ShownOnlyWhileAScriptFileIsOpen) {
  const QString script = writeFile("tools/Fix.MAC", "setselectedtext x;");
  const QString text = writeFile("tools/notes.txt", "abc");
  shell::FrmMain& w = start();
  EXPECT_FALSE(menuShown());
  ASSERT_TRUE(document::LFile(w, script));
  EXPECT_TRUE(menuShown());
  ASSERT_TRUE(document::LFile(w, text));
  EXPECT_FALSE(menuShown());
  // Saving follows the same rule as opening.
  ASSERT_TRUE(document::SaveToFile(w, homePath("tools/copy.mac1")));
  EXPECT_TRUE(menuShown());
  click("mnuNew");
  EXPECT_FALSE(menuShown());
  // A changed document is asked about first; the menu still follows the file then opened.
  w.txtMain().setText("изменён");
  m_ui.answerMessage(platform::MsgAnswer::No);
  ASSERT_TRUE(document::LFile(w, script));
  EXPECT_TRUE(menuShown());
}

TEST_F(MacroMenuTest, ShownForAScriptNamedOnTheCommandLine) {
  start(writeFile("start.mac", "setselectedtext x;"));
  EXPECT_TRUE(menuShown());
}

TEST_F(MacroMenuTest, ShownForEveryFileWhenNotKeptForScripts) {
  m_settings->set(platform::Setting::MacroOnlyForOPS, "0");
  const QString text = writeFile("notes.txt", "abc");
  shell::FrmMain& w = start();
  EXPECT_TRUE(menuShown());
  ASSERT_TRUE(document::LFile(w, text));
  EXPECT_TRUE(menuShown());
}

TEST_F(MacroMenuTest, OpeningAScriptRunsItWhenWanted) {
  m_settings->set(platform::Setting::AutoMacroExecute, "1");
  const QString script = writeFile("RUN.MAC", "setclipboardtext запущен;");
  const QString text = writeFile("plain.txt", "setclipboardtext не запущен;");
  QApplication::clipboard()->setText("пусто");
  shell::FrmMain& w = start();
  ASSERT_TRUE(document::LFile(w, text));
  EXPECT_EQ(QApplication::clipboard()->text(), "пусто");
  ASSERT_TRUE(document::LFile(w, script));
  EXPECT_EQ(QApplication::clipboard()->text(), "запущен");
  EXPECT_EQ(w.txtMain().text(), "setclipboardtext запущен;");
}

TEST(MacroScriptFile, ByTheExtensionOfTheName) {
  EXPECT_TRUE(IsScriptFile("a.mac"));
  EXPECT_TRUE(IsScriptFile("/x/A.MAC"));
  EXPECT_TRUE(IsScriptFile("a.mac1"));
  EXPECT_TRUE(IsScriptFile("a.Macx"));
  EXPECT_FALSE(IsScriptFile("a.macro"));
  EXPECT_FALSE(IsScriptFile("a.ma"));
  EXPECT_FALSE(IsScriptFile("/x.mac/notes"));
  EXPECT_FALSE(IsScriptFile(""));
}

}  // namespace
}  // namespace automation
