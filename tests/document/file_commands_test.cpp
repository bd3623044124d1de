// The File menu's commands against real files, answered by the scripted user.
#include "document/file_commands.h"

#include <QAction>
#include <QLabel>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QClipboard>
#include <QUrl>

#include "document/backup.h"
#include "document/open_file.h"
#include "platform/cp1251.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"
#include "support/url_catcher.h"
#include "text/code_page.h"

namespace document {
namespace {

using platform::MsgAnswer;
using test_files::bytesOf;
using testing_support::MainWindowTest;
namespace Setting = platform::Setting;

class FileCommandsTest : public MainWindowTest {
 protected:
  shell::FrmMain& startWith(const QString& name, const QByteArray& bytes) {
    return start(writeFile(name, bytes));
  }
};

TEST_F(FileCommandsTest, NewAsksFirstWhenModified) {
  shell::FrmMain& w = startWith("a.txt", "old");
  w.txtMain().setText("changed");
  m_ui.answerMessage(MsgAnswer::Cancel, "Сохранить документ перед созданием нового");
  click("mnuNew");
  EXPECT_EQ(w.txtMain().text(), "changed");
  EXPECT_EQ(m_ui.messages[0].title, "Ostrel XP");
  m_ui.answerMessage(MsgAnswer::Yes);
  click("mnuNew");
  EXPECT_EQ(bytesOf(homePath("a.txt")), "changed");
  EXPECT_EQ(w.txtMain().text(), "");
  EXPECT_TRUE(w.document().isUntitled());
  EXPECT_FALSE(w.document().Dirty());
  EXPECT_EQ(w.windowTitle(), "Безымянный - Ostrel XP 2.3.6 build 23");
}

TEST_F(FileCommandsTest, OpenAsksToSaveAndCancelKeepsEverything) {
  const QString other = writeFile("b.txt", "BBB");
  shell::FrmMain& w = startWith("a.txt", "AAA");
  w.txtMain().setText("edited");
  m_ui.answerOpenFile(other).answerMessage(MsgAnswer::Cancel, "Сохранить предыдущий документ");
  click("mnuOpen");
  EXPECT_EQ(w.txtMain().text(), "edited");
  EXPECT_EQ(m_ui.fileRequests[0].title, "Открытие документа");
  m_ui.answerOpenFile(other).answerMessage(MsgAnswer::No);
  click("mnuOpen");
  EXPECT_EQ(w.txtMain().text(), "BBB");
  EXPECT_EQ(bytesOf(homePath("a.txt")), "AAA");
  EXPECT_EQ(setting("Last Dir"), homePath());
  EXPECT_EQ(w.windowTitle(), "b.txt - Ostrel XP 2.3.6 build 23");
}

TEST_F(FileCommandsTest, SaveWritesOnlyWhenModifiedSaveAsAlways) {
  const QString path = writeFile("a.txt", "AAA");
  start(path);
  test_files::put(path, "changed behind our back");
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), "changed behind our back") << "an unchanged document writes nothing";
  const QString copy = homePath("copy.txt");
  m_ui.answerSaveFile(copy);
  click("mnuSaveAs");
  EXPECT_EQ(bytesOf(copy), "AAA");
  EXPECT_EQ(m_ui.fileRequests[0].title, "Сохранение файла");
  EXPECT_EQ(m_window->document().path(), copy);
}

TEST_F(FileCommandsTest, Dos866DocumentIsSavedIn866AndStaysReadable) {
  const QByteArray dos = "\x8f\xe0\xa8\xa2\xa5\xe2";  // "Привет" in DOS 866
  shell::FrmMain& w = startWith("dos.txt", dos);
  w.commands().array("mnuSetCodir")->item(1)->trigger();
  ASSERT_EQ(w.txtMain().text(), "Привет");
  EXPECT_EQ(w.document().CurCodir(), 2);
  w.txtMain().setText("Привет, мир");
  click("mnuSave");
  EXPECT_EQ(bytesOf(homePath("dos.txt")), QByteArray("\x8f\xe0\xa8\xa2\xa5\xe2, \xac\xa8\xe0"));
  EXPECT_EQ(w.txtMain().text(), "Привет, мир");
  EXPECT_FALSE(w.document().Dirty());
  EXPECT_TRUE(w.statusText().text().contains("Dos - 866"));
}

TEST_F(FileCommandsTest, SaveInChosenCodePageOrWithoutConversion) {
  shell::FrmMain& w = startWith("k.txt", "x");
  m_settings->set(Setting::SaveCodir, "1");
  m_settings->set(Setting::SaveInCodir, "3");
  w.txtMain().setText("Я");
  click("mnuSave");
  EXPECT_EQ(bytesOf(homePath("k.txt")), QByteArray("\xf1")) << "KOI8-R";
  m_settings->set(Setting::SaveCodir, "2");
  w.txtMain().setText("Я!");
  click("mnuSave");
  EXPECT_EQ(bytesOf(homePath("k.txt")), QByteArray("\xdf!")) << "no conversion";
}

// A failed save used to leave the converted, garbled text in the editor.
TEST_F(FileCommandsTest, FailedSaveKeepsTheFileAndTheText) {
  const QString path = writeFile("dos.txt", QByteArray(4000, 'a'));
  shell::FrmMain& w = start(path);
  w.commands().array("mnuSetCodir")->item(1)->trigger();
  w.txtMain().setText(QString(9000, QChar(0x0416)));  // "Ж" many times: more than the limit
  m_ui.answerMessage(MsgAnswer::Ok, "Невозможно сохранить файл ");
  {
    test_files::FileSizeLimit limit(5000);
    ASSERT_TRUE(limit.active());
    click("mnuSave");
  }
  EXPECT_EQ(bytesOf(path), QByteArray(4000, 'a'));
  EXPECT_EQ(w.txtMain().text(), QString(9000, QChar(0x0416)));
  EXPECT_TRUE(w.document().Dirty());
  EXPECT_EQ(m_ui.messages.last().icon, platform::MsgIcon::Error);
}

TEST_F(FileCommandsTest, SelectionToFileBecomesTheDocument) {
  shell::FrmMain& w = start();
  w.txtMain().setText("one two");
  m_ui.answerMessage(MsgAnswer::No, "Выделения нет. Всё равно сохранить?");
  click("mnuSaveBlockAs");
  w.txtMain().setSelection({0, 4, 0, 7});
  const QString block = homePath("block.txt");
  m_ui.answerSaveFile(block);
  click("mnuSaveBlockAs");
  EXPECT_EQ(bytesOf(block), "two\r\n");
  EXPECT_EQ(w.document().path(), block);
  w.txtMain().setText("all of it");
  click("mnuSave");
  EXPECT_EQ(bytesOf(block), "all of it");
}

TEST_F(FileCommandsTest, AddFromFileAndToFile) {
  const QString source = writeFile("src.txt", "content");
  shell::FrmMain& w = start();
  w.txtMain().setText("T");
  m_ui.answerOpenFile(source);
  click("mnuAddFromFile");
  const QString header = "---Added from: " + source + "---";
  EXPECT_EQ(w.txtMain().text(),
            "T\r\n" + header + "\r\ncontent\r\n" + QString(source.size() + 18, '-'));
  EXPECT_EQ(m_ui.fileRequests[0].initialDir, homePath());

  const QString target = writeFile("log.txt", "before\r\n");
  w.txtMain().setText("Текст");
  m_ui.answerSaveFile(target);
  click("mnuAddToFile");
  const QString written = cp1251::decode(bytesOf(target));
  EXPECT_TRUE(written.startsWith("before\r\n---Added on: ")) << written.toStdString();
  EXPECT_TRUE(written.endsWith("---\r\nТекст\r\n" + QString(35, '-') + "\r\n"));
  EXPECT_EQ(AppendedToFile("x", "2026.12.07 10:00:00"),
            "---Added on: 2026.12.07 10:00:00---\r\nx\r\n" + QString(35, '-') + "\r\n");
}

TEST(BackupPath, OwnNameInTheSameFolder) {
  struct {
    const char* in;
    const char* expect;
  } cases[] = {{"/home/user.name/a.txt", "/home/user.name/a.bak"},
               {"C:\\a.b\\text.txt", "C:\\a.b\\text.bak"},
               {"/d/archive.tar.gz", "/d/archive.tar.bak"},
               {"/d/README", "/d/README.bak"},
               {"/d.x/README", "/d.x/README.bak"},
               {"", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(BackupPath(c.in), c.expect);
  }
}

TEST_F(FileCommandsTest, BackupIsWrittenAndOpened) {
  shell::FrmMain& w = startWith("doc.txt", "v1");
  w.txtMain().setText("v2");
  click("mnuCreateBackup");
  EXPECT_EQ(bytesOf(homePath("doc.bak")), "v2");
  EXPECT_EQ(w.document().path(), homePath("doc.bak"));
  test_files::put(homePath("doc.bak"), "backup");
  click("mnuOpenBackUp");
  EXPECT_EQ(w.txtMain().text(), "backup");
}

TEST_F(FileCommandsTest, PathToClipboardAndShellOpen) {
  shell::FrmMain& w = start();
  click("mnuCopyDocDir");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Безымянный");
  const QString path = writeFile("z.txt", homePath("y.txt").toUtf8());
  ASSERT_TRUE(LFile(w, path));
  click("mnuCopyDocDir");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), path);

  // The shell's "open" verb reaches the desktop; catch it where Qt hands it over.
  testing_support::UrlCatcher catcher;
  writeFile("y.txt", "y");
  w.txtMain().setSelection({0, 0, 0, int(homePath("y.txt").size())});
  click("mnuOpenSelText");
  ASSERT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(catcher.urls[0].toLocalFile(), homePath("y.txt"));
}

}  // namespace
}  // namespace document
