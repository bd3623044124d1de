// A name on the command line that no file has yet: an empty document carrying it, which the first
// save after an edit creates, and names that cannot become such a document.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>

#include "document/open_file.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"

namespace document {
namespace {

using test_files::bytesOf;
using testing_support::MainWindowTest;

class NewFileTest : public MainWindowTest {
 protected:
  QString note() const { return m_window->statusNote().text(); }
  // The recent-files list as stored, without its empty slots.
  QStringList recent() const {
    QFile file(homePath("Opened.lst"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList items = QString::fromUtf8(file.readAll()).split("\r\n");
    items.removeAll(QString());
    return items;
  }
};

// The missing file opened a silent untitled window, and the user's name was lost.
TEST_F(NewFileTest, MissingFileIsAnEmptyDocumentThatTheFirstSaveAfterAnEditCreates) {
  QDir().mkpath(homePath("work"));
  const QString path = homePath("work/notes.txt");
  shell::FrmMain& w = start(path);
  EXPECT_EQ(w.windowTitle(), "notes.txt - Ostrel XP 2.3.6 build 23");
  EXPECT_EQ(w.document().path(), path);
  EXPECT_TRUE(w.document().isNewFile());
  EXPECT_EQ(note(), "Новый файл");
  EXPECT_EQ(w.txtMain().text(), "");
  EXPECT_FALSE(w.document().Dirty());
  EXPECT_FALSE(w.txtMain().isReadOnly());
  EXPECT_FALSE(recent().contains(path)) << "nothing to open there until it is saved";
  EXPECT_EQ(setting("Last Dir"), homePath("work"));

  click("mnuSave");
  EXPECT_FALSE(QFile::exists(path)) << "an unchanged document is not saved";

  w.txtMain().setSelectedText("первая строка\r\nвторая");
  EXPECT_TRUE(w.document().Dirty());
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), "первая строка\r\nвторая");
  EXPECT_TRUE(m_ui.messages.isEmpty());
  EXPECT_FALSE(w.document().isNewFile());
  EXPECT_FALSE(w.document().Dirty());
  EXPECT_EQ(note(), "") << "the status bar no longer says the file is new";
  EXPECT_EQ(w.windowTitle(), "notes.txt - Ostrel XP 2.3.6 build 23");
}

TEST_F(NewFileTest, NewFileIsWrittenInTheLineEndsOfTheTextMode) {
  m_settings->set(platform::Setting::TextMode, "1");
  const QString path = homePath("unix.txt");
  shell::FrmMain& w = start(path);
  w.txtMain().setSelectedText("a\r\nб\r\n");
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), "a\nб\n");
}

// The last file opened first must not be one undo away in a document that carries another name.
TEST_F(NewFileTest, NewFileAfterTheLastFileHoldsNothingOfIt) {
  const QString last = writeFile("last.txt", "текст прошлого файла");
  m_settings->set(platform::Setting::LoadLastOpened, "1");
  m_settings->set(platform::Setting::LastOpenedFile, last);
  shell::FrmMain& w = start(homePath("fresh.txt"));
  EXPECT_EQ(w.txtMain().text(), "");
  EXPECT_FALSE(w.txtMain().canUndo());
  EXPECT_EQ(w.document().path(), homePath("fresh.txt"));
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(NewFileTest, NamesThatCannotBecomeANewFileOpenNothing) {
  QDir().mkpath(homePath("folder"));
  QFile::link(homePath("nowhere/target.txt"), homePath("dangling.txt"));
  struct {
    const char* why;
    QString path;
  } cases[] = {
      {"its folder is missing", homePath("missing/notes.txt")},
      {"a folder's name", homePath("folder/")},
      {"a link to nothing would be replaced, not followed", homePath("dangling.txt")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    shell::FrmMain& w = start(c.path);
    EXPECT_TRUE(w.document().isUntitled());
    EXPECT_FALSE(w.document().isNewFile());
    EXPECT_EQ(note(), "");
    EXPECT_TRUE(m_ui.messages.isEmpty()) << "the quiet open shows no message";
    m_window.reset();
  }
}

TEST_F(NewFileTest, ANewFileNeverSavedIsNotTheLastFileOfTheNextStart) {
  const QString last = writeFile("last.txt", "x");
  m_settings->set(platform::Setting::LoadLastOpened, "1");
  m_settings->set(platform::Setting::LastOpenedFile, last);
  start(homePath("never saved.txt"));
  ASSERT_TRUE(close());
  EXPECT_EQ(setting("LastOpenedFile"), last);
}

TEST_F(NewFileTest, OpeningAnotherFileEndsTheNewFile) {
  const QString other = writeFile("other.txt", "other");
  shell::FrmMain& w = start(homePath("new.txt"));
  ASSERT_TRUE(LFile(w, other));
  EXPECT_FALSE(w.document().isNewFile());
  EXPECT_EQ(note(), "");
  click("mnuNew");
  EXPECT_FALSE(w.document().isNewFile());
}

}  // namespace
}  // namespace document
