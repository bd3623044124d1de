// Opening, creating and reloading documents put the text back into its file's own encoding:
// a code page chosen for one document never carries over to the next.
#include "document/open_file.h"

#include <sys/stat.h>

#include <QAction>
#include <QFile>
#include <QLabel>

#include "document/recent_files.h"
#include "platform/cp1251.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"
#include "text/code_page.h"

namespace document {
namespace {

using test_files::bytesOf;
using testing_support::MainWindowTest;

class OpenFileTest : public MainWindowTest {
 protected:
  void chooseCodePage(int menuIndex) {
    m_window->commands().array("mnuSetCodir")->item(menuIndex)->trigger();
  }
  int checkedCodePageItem() {
    const auto& items = m_window->commands().array("mnuSetCodir")->items();
    for (int i = 0; i < items.size(); ++i)
      if (items[i]->isChecked()) return i;
    return -1;
  }
  void expectOwnEncoding(const char* status) {
    EXPECT_EQ(m_window->document().CurCodir(), 1);
    EXPECT_EQ(checkedCodePageItem(), 0);
    EXPECT_TRUE(m_window->statusText().text().contains(QString::fromUtf8(status)))
        << m_window->statusText().text().toStdString();
  }
};

// A file shown in its own code page and saved is written back byte for byte: ё, №, quotes and
// box drawing used to become "?" on the way.
TEST_F(OpenFileTest, FileShownInItsCodePageIsSavedByteForByte) {
  QByteArray everyHighByte;
  for (int b = 0x80; b <= 0xFF; ++b) everyHighByte += char(b);
  for (int code = 1; code <= text::kCodePageCount; ++code) {
    SCOPED_TRACE(code);
    const QString words = u"ещё Ёлка, «№ 5» — ┌─┐│└┘ ═║ \n"_qs;
    const QByteArray bytes =
        cp1251::encode(text::ConvertCodePage(words, 1, code)) + everyHighByte + "\nend\n";
    const QString path = writeFile(QString("page%1.txt").arg(code), bytes);
    shell::FrmMain& w = start(path);
    chooseCodePage(text::MenuIndexOfCodePage(code));
    EXPECT_TRUE(w.txtMain().text().startsWith(u"ещё Ёлка"));
    if (code == text::kKoi8R || code == text::kDos866) {
      EXPECT_TRUE(w.txtMain().text().contains(u"┌─┐│└┘ ═║")) << "box drawing is shown as such";
    }
    w.txtMain().setSelection({0, 0, 0, 0});
    w.txtMain().setSelectedText("");  // a save needs a modified document
    w.document().setDirty(true);
    click("mnuSave");
    EXPECT_EQ(bytesOf(path), bytes);
  }
}

TEST_F(OpenFileTest, CodePageOfOneDocumentDoesNotReencodeTheNext) {
  // A KOI8-R file, shown as KOI8-R; then a UTF-8 file is opened, edited and saved: it used to be
  // written as KOI8-R bytes.
  const QString koi = writeFile("koi.txt", cp1251::encode(text::ConvertCodePage(u"Привет", 1, 3)));
  const QString utf8 = writeFile("utf8.txt", QStringLiteral("ещё раз\n").toUtf8());
  shell::FrmMain& w = start(koi);
  chooseCodePage(2);
  ASSERT_EQ(w.txtMain().text(), "Привет");
  ASSERT_EQ(w.document().CurCodir(), 3);
  ASSERT_TRUE(w.statusText().text().contains("Koi - 8r"));

  m_ui.answerMessage(platform::MsgAnswer::No, "Сохранить предыдущий документ");
  ASSERT_TRUE(LFile(w, utf8));
  expectOwnEncoding("| UTF-8 |");
  w.txtMain().setText("ещё раз и ещё\r\n");
  click("mnuSave");
  EXPECT_EQ(bytesOf(utf8), QStringLiteral("ещё раз и ещё\n").toUtf8());
}

TEST_F(OpenFileTest, NewDocumentAndCommandLineStartInTheirOwnEncoding) {
  const QString koi = writeFile("koi.txt", cp1251::encode(text::ConvertCodePage(u"Мир", 1, 3)));
  shell::FrmMain& w = start(koi);
  expectOwnEncoding("| Win - 1251 |");
  chooseCodePage(2);
  m_ui.answerMessage(platform::MsgAnswer::No, "Сохранить документ перед созданием нового");
  click("mnuNew");
  expectOwnEncoding("| UTF-8 |");

  // A new document is written in UTF-8 with the line ends of the text mode.
  m_settings->set(platform::Setting::TextMode, "1");
  chooseCodePage(1);
  click("mnuNew");  // the empty text stays the same in every code page: nothing to save
  expectOwnEncoding("| UTF-8 |");
  w.txtMain().setText("новый\r\nтекст");
  m_ui.answerSaveFile(homePath("new.txt"));
  click("mnuSave");
  EXPECT_EQ(bytesOf(homePath("new.txt")), QStringLiteral("новый\nтекст").toUtf8());
}

TEST_F(OpenFileTest, ReloadReadsTheFileAsOpeningDoes) {
  const QString koi = writeFile("koi.txt", cp1251::encode(text::ConvertCodePage(u"Снег", 1, 3)));
  shell::FrmMain& w = start(koi);
  chooseCodePage(2);
  ASSERT_EQ(w.txtMain().text(), "Снег");
  w.txtMain().setText("Снег и дождь");
  ASSERT_TRUE(ReloadDocument(w)) << "no question: the caller has asked";
  EXPECT_EQ(w.txtMain().text(), text::ConvertCodePage(u"Снег", 1, 3));
  EXPECT_FALSE(w.document().Dirty());
  expectOwnEncoding("| Win - 1251 |");

  click("mnuNew");
  EXPECT_FALSE(ReloadDocument(w)) << "an untitled document has no file to read";
}

// A named pipe, a folder or a device is refused with a message before anything else happens;
// on the quiet command line the program simply starts empty.
TEST_F(OpenFileTest, OnlyRegularFilesAreOpened) {
  const QString pipe = homePath("pipe.txt");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  shell::FrmMain& w = start(pipe);
  EXPECT_TRUE(w.document().isUntitled());
  EXPECT_EQ(w.txtMain().text(), "");

  w.txtMain().setText("unsaved work");
  for (const QString& path : {pipe, homePath(), QStringLiteral("/dev/zero")}) {
    SCOPED_TRACE(path.toStdString());
    m_ui.answerOpenFile(path).answerMessage(platform::MsgAnswer::Ok, "Невозможно открыть файл");
    click("mnuOpen");
    EXPECT_TRUE(m_ui.allAnswered()) << "no question about the unsaved text";
    EXPECT_EQ(w.txtMain().text(), "unsaved work");
    EXPECT_TRUE(w.document().isUntitled());
  }
  EXPECT_TRUE(m_ui.messages[0].text.contains("канал")) << m_ui.messages[0].text.toStdString();

  // The recent list reaches the same open.
  w.recentFiles()->AddToRecent(pipe);
  m_ui.answerMessage(platform::MsgAnswer::Ok, "канал");
  w.commands().array("mnuOpenedFile")->item(1)->trigger();
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(w.txtMain().text(), "unsaved work");
}

// Only part of a file that changed under the reader is in the editor: it must never be written
// over the file, while Save As keeps the text.
TEST_F(OpenFileTest, PartialDocumentIsNeverWrittenOverItsFile) {
  const QString path = writeFile("log.txt", "the whole file");
  shell::FrmMain& w = start(path);
  w.document().setPartial(true);
  w.txtMain().setReadOnly(true);
  w.txtMain().setSelection({0, 1, 0, 1});
  EXPECT_TRUE(w.statusNote().text().contains("изменился во время чтения"));
  w.document().setDirty(true);
  m_ui.answerMessage(platform::MsgAnswer::Ok, "прочитана только его часть");
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), "the whole file");

  m_ui.answerSaveFile(homePath("copy.txt"));
  click("mnuSaveAs");
  EXPECT_EQ(bytesOf(homePath("copy.txt")), "the whole file");
  EXPECT_FALSE(w.document().isPartial()) << "the copy holds the whole text";
  EXPECT_FALSE(w.txtMain().isReadOnly());
  EXPECT_EQ(w.statusNote().text(), "");
}

}  // namespace
}  // namespace document
