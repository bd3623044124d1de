// Event macros run from a real "Macro.ini" at their places: before the program's own action.
#include "automation/event_macros.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>

#include "document/open_file.h"
#include "document/save_file.h"
#include "platform/edit_control.h"
#include "platform/text_file.h"
#include "support/main_window_fixture.h"

namespace automation {
namespace {

using testing_support::MainWindowTest;

class EventMacrosTest : public MainWindowTest {
 protected:
  // Binds the event to a script file holding `script`.
  void bind(MacroEvent event, const QByteArray& script, const QByteArray& enable = "1") {
    const QString file = writeFile("Macro/" + FileKey(event) + ".mac", script);
    m_ini += EnableKey(event).toUtf8() + "=" + enable + "\r\n" + FileKey(event).toUtf8() + "=" +
             file.toUtf8() + "\r\n";
    writeFile("Macro.ini", "[Main]\r\n" + m_ini);
  }
  QByteArray contents(const QString& relative) {
    QFile file(homePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  // A text file as the program reads it back, whichever encoding it chose for the writing.
  QString text(const QString& relative) {
    const auto read = platform::TextFile::read(homePath(relative));
    return read ? read->text : QStringLiteral("<missing>");
  }
  QByteArray m_ini;
};

TEST_F(EventMacrosTest, CopyTakesTheSelectionTheMacroMade) {
  bind(MacroEvent::Copy, "find $alltext,два;");
  shell::FrmMain& w = start();
  w.txtMain().setText("один два три");
  w.txtMain().setSelection({0, 0, 0, 4});
  click("mnuCopy");
  EXPECT_EQ(QApplication::clipboard()->text(), "два");
}

TEST_F(EventMacrosTest, PasteCutAndDeleteRunTheirScriptFirst) {
  bind(MacroEvent::Paste, "setclipboardtext из макроса;");
  bind(MacroEvent::Paste, "setclipboardtext из макроса;");
  bind(MacroEvent::Cut, "find $alltext,b;");
  bind(MacroEvent::Delete, "find $alltext,c;");
  shell::FrmMain& w = start();
  platform::EditControl& e = w.txtMain();
  e.setText("abc");
  e.setSelection({0, 0, 0, 1});
  click("mnuCut");
  EXPECT_EQ(e.text(), "ac");
  EXPECT_EQ(QApplication::clipboard()->text(), "b");
  // Delete is offered only for a selection; the macro moves it.
  e.setSelection({0, 0, 0, 1});
  click("mnuDelete");
  EXPECT_EQ(e.text(), "a");
  e.setSelection({0, 1, 0, 1});
  click("mnuPaste");
  EXPECT_EQ(e.text(), "aиз макроса");
}

TEST_F(EventMacrosTest, StartRunsBeforeTheFileOfTheCommandLineOpens) {
  // The script's path is lower-cased by the language; the file is still found and written in
  // the temporary folder, whatever the case of its name.
  bind(MacroEvent::Start, "writetofile " + homePath("Seen.txt").toUtf8() + ",$openedfile;");
  const QString doc = writeFile("Doc.txt", "текст");
  shell::FrmMain& w = start(doc);
  EXPECT_EQ(w.txtMain().text(), "текст");
  EXPECT_EQ(contents("seen.txt"), "\r\n");
}

TEST_F(EventMacrosTest, StartRunsOnceOnTheEmptyDocument) {
  bind(MacroEvent::Start, "setselectedtext [$alltext];");
  shell::FrmMain& w = start();
  EXPECT_EQ(w.txtMain().text(), "[$alltext]");
  EXPECT_FALSE(w.document().Dirty());
}

TEST_F(EventMacrosTest, OpenSeesThePreviousDocumentAndSaveChangesWhatIsWritten) {
  bind(MacroEvent::Open, "writetofile " + homePath("seen.txt").toUtf8() + ",$alltext;");
  bind(MacroEvent::Save, "replace $alltext,a,ab;");
  const QString doc = writeFile("new.txt", "aaa");
  shell::FrmMain& w = start();
  w.txtMain().setText("Старый");
  w.document().setDirty(false);
  ASSERT_TRUE(document::LFile(w, doc));
  EXPECT_EQ(text("seen.txt"), "Старый\r\n");
  ASSERT_TRUE(document::SaveToFile(w, doc));
  EXPECT_EQ(contents("new.txt"), "ababab");  // once, before the writing
}

TEST_F(EventMacrosTest, ExitRunsWhenTheWindowCloses) {
  bind(MacroEvent::Exit, "writetofile " + homePath("bye.txt").toUtf8() + ",пока;");
  start();
  ASSERT_TRUE(close());
  EXPECT_EQ(text("bye.txt"), "пока\r\n");
}

TEST_F(EventMacrosTest, DisabledBindingsRunNothing) {
  // Anything but "1" is off; an empty file name runs nothing even when on.
  bind(MacroEvent::Copy, "setclipboardtext macro;", "yes");
  writeFile("Macro.ini", m_ini + "OnCutEnable=1\r\nOnCutFile=\r\n");
  shell::FrmMain& w = start();
  w.txtMain().setText("abc");
  w.txtMain().setSelection({0, 0, 0, 1});
  click("mnuCopy");
  EXPECT_EQ(QApplication::clipboard()->text(), "a");
  click("mnuCut");
  EXPECT_EQ(w.txtMain().text(), "bc");
}

}  // namespace
}  // namespace automation
