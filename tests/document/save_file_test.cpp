// A file that was not read byte for byte is never changed behind the user's back: the status
// bar says so, the first save over it asks once, a binary file opens read-only.
#include "document/save_file.h"

#include <QAction>
#include <QLabel>

#include "document/open_file.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"

namespace document {
namespace {

using platform::MsgAnswer;
using test_files::bytesOf;
using testing_support::MainWindowTest;

class SaveFileTest : public MainWindowTest {
 protected:
  // Edits the document as the user would, so that a save has something to write.
  void edit(const QString& added) {
    platform::EditControl& e = m_window->txtMain();
    e.setSelection({0, 0, 0, 0});
    e.setSelectedText(added);
  }
  QString note() {
    m_window->txtMain().setSelection({0, 1, 0, 1});
    return m_window->statusNote().text();
  }
};

// Mixed line ends were rewritten to the majority style, an invalid byte after a byte-order mark
// became U+FFFD: with no word to the user.
TEST_F(SaveFileTest, FirstSaveOverAnInexactFileAsksOnce) {
  struct {
    const char* name;
    QByteArray bytes;
    const char* reason;
  } cases[] = {{"mixed line ends", "one\r\ntwo\nthree\r\n", "смешанные концы строк"},
               {"bad byte after a mark", "\xEF\xBB\xBFok \xFF\n", "недопустимые байты"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = writeFile("a.txt", c.bytes);
    start(path);
    EXPECT_TRUE(note().contains(QString::fromUtf8(c.reason))) << note().toStdString();
    edit("x");
    m_ui.answerMessage(MsgAnswer::No, "прочитан не байт в байт");
    click("mnuSave");
    EXPECT_EQ(bytesOf(path), c.bytes) << "No keeps the file as it was";
    EXPECT_TRUE(m_window->document().Dirty());

    m_ui.answerMessage(MsgAnswer::Yes, QString::fromUtf8(c.reason));
    click("mnuSave");
    EXPECT_NE(bytesOf(path), c.bytes);
    EXPECT_TRUE(bytesOf(path).startsWith(c.bytes.startsWith("\xEF") ? "\xEF\xBB\xBFx" : "x"));
    EXPECT_EQ(note(), "") << "the file now holds the text";
    edit("y");
    click("mnuSave");  // asked once: no second question
    EXPECT_TRUE(m_ui.allAnswered());
  }
}

TEST_F(SaveFileTest, SaveAsToAnotherNameDoesNotAsk) {
  const QString path = writeFile("a.txt", "one\r\ntwo\nthree");
  start(path);
  m_ui.answerSaveFile(homePath("b.txt"));
  click("mnuSaveAs");
  EXPECT_EQ(bytesOf(homePath("b.txt")), "one\r\ntwo\r\nthree") << "the dominant style";
  EXPECT_EQ(bytesOf(path), "one\r\ntwo\nthree");
}

// Opening /bin/ls and pressing a key used to change its CR and LF bytes on the next save.
TEST_F(SaveFileTest, BinaryFileOpensReadOnlyUnlessTheUserAllowsEditing) {
  QByteArray binary("\x7f" "ELF\x02\x01\x01", 7);
  binary += QByteArray(40, '\0') + "\r\n\n\r" + QByteArray(20, '\x90');
  const QString path = writeFile("prog", binary);
  shell::FrmMain& w = start();
  m_ui.answerMessage(MsgAnswer::No, "похож на двоичный");
  ASSERT_TRUE(LFile(w, path));
  EXPECT_TRUE(w.txtMain().isReadOnly());
  EXPECT_TRUE(note().contains("Только чтение")) << note().toStdString();
  w.txtMain().setSelection({0, 0, 0, 0});
  w.txtMain().setSelectedText("typed");
  EXPECT_FALSE(w.document().Dirty()) << "a read-only text takes no edits";
  EXPECT_EQ(bytesOf(path), binary);

  m_ui.answerMessage(MsgAnswer::Yes, "Разрешить правку");
  ASSERT_TRUE(LFile(w, path));
  EXPECT_FALSE(w.txtMain().isReadOnly());

  // Quietly on the command line: read-only, no question.
  start(path);
  EXPECT_TRUE(m_window->txtMain().isReadOnly());
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(SaveFileTest, Utf16FileReadsAndSavesUnchanged) {
  const QByteArray le = QByteArray("\xFF\xFE", 2) +
                        QByteArray(reinterpret_cast<const char*>(u"Ёлка\r\nещё"), 18);
  const QString path = writeFile("u16.txt", le);
  shell::FrmMain& w = start(path);
  EXPECT_EQ(w.txtMain().text(), "Ёлка\r\nещё");
  EXPECT_TRUE(w.statusText().text().contains("| UTF-16 LE |")) << w.statusText().text().toStdString();
  w.document().setDirty(true);
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), le);
}

}  // namespace
}  // namespace document
