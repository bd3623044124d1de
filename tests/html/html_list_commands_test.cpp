// The link, e-mail and size lists in the result window of the real main window, and the
// window's own commands.
#include "html/html_list_commands.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <sys/stat.h>

#include "document/open_file.h"
#include "html/frm_console.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"
#include "support/url_catcher.h"

namespace html {
namespace {

using testing_support::MainWindowTest;

class HtmlListCommandsTest : public MainWindowTest {
 protected:
  platform::EditControl& editor() { return m_window->txtMain(); }
  FrmConsole* console() {
    return m_window->findChild<FrmConsole*>("frmConsole", Qt::FindDirectChildrenOnly);
  }
  QStringList lines() { return console() ? console()->lines() : QStringList{"<no console>"}; }
  QListWidget& list() { return *console()->findChild<QListWidget*>("stat"); }
  void select(std::initializer_list<int> rows) {
    list().clearSelection();
    for (int row : rows) list().item(row)->setSelected(true);
    if (rows.size()) list().setCurrentRow(*rows.begin(), QItemSelectionModel::NoUpdate);
  }
  void menu(const char* name) { console()->findChild<QAction*>(name)->trigger(); }
  void run(const QString& command) {
    console()->findChild<QComboBox*>("cmbNewCmd")->setEditText(command);
    console()->findChild<QPushButton*>("cmdExecute")->click();
  }
  // Closes the result window and lets Qt delete it, as the event loop would.
  void closeConsole() {
    console()->findChild<QPushButton*>("cmdClose")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

TEST_F(HtmlListCommandsTest, LinksAreAddedToTheListWithTheirCount) {
  start();
  editor().setText("<A HREF=\"a.htm\">x</A> <a name=top>");
  click("mnuHyperLinks");
  ASSERT_NE(console(), nullptr);
  EXPECT_TRUE(console()->isVisible());
  EXPECT_EQ(console()->windowTitle(), "HTML Статистика");
  EXPECT_EQ(lines(), (QStringList{"a.htm", " name=top - Ошибка!", "Всего гиперссылок 2"}));
  // The list is not cleared first.
  editor().setText("<abbr><a href=\"b\">");
  click("mnuHyperLinks");
  EXPECT_EQ(lines().mid(3), (QStringList{"bbr - Ошибка!", "b", "Всего гиперссылок 2"}));
}

TEST_F(HtmlListCommandsTest, EMailsLeaveTheDocumentUntouched) {
  shell::FrmMain& w = start();
  const QString text = "mail: a@b.ru, c@d.org.\r\nuser@localhost";
  const QString path = writeFile("page.txt", text.toUtf8());
  ASSERT_TRUE(document::LFile(w, path));
  ASSERT_FALSE(editor().canUndo());
  click("mnuHyperLinks");  // something to be cleared
  click("mnuExtractEMails");
  EXPECT_EQ(lines(), (QStringList{"a@b.ru", "c@d.org", "Всего адресов: 2"}));
  EXPECT_EQ(editor().text(), text);
  EXPECT_FALSE(w.document().Dirty());
  EXPECT_FALSE(editor().canUndo());
}

TEST_F(HtmlListCommandsTest, SizeReportCountsPicturesAndThePageItself) {
  shell::FrmMain& w = start();
  writeFile("site/a.gif", QByteArray(100, 'a'));
  writeFile("site/img/b.png", QByteArray(200, 'b'));
  const QString absolute = writeFile("other/c.gif", QByteArray(7, 'c'));
  const QString page = "<img src=\"a.gif\"><img src=\"img/b.png\">";
  const QString pagePath = writeFile("site/page.htm", QByteArray(300 - page.size(), ' ') + page.toUtf8());
  ASSERT_TRUE(document::LFile(w, pagePath));
  click("mnuHTMLSize");
  EXPECT_EQ(lines(), (QStringList{"Размер HTML-документа", "a.gif - 100 байт(а)",
                                  "img/b.png - 200 байт(а)", pagePath + " - 300 байт(а)",
                                  "Всего документов: 3", "Общий размер: 600 байт(а)"}));

  // Missing files, folders and pipes are counted without a size; nothing blocks on a pipe.
  closeConsole();
  ASSERT_EQ(::mkfifo(homePath("site/pipe").toLocal8Bit().constData(), 0600), 0);
  editor().setText("<img src=\"pipe\"><img src=\"img\"><img src=\"none.gif\"><img src=\"" +
                   absolute + "\">");
  click("mnuHTMLSize");
  EXPECT_EQ(lines(), (QStringList{"Размер HTML-документа", absolute + " - 7 байт(а)",
                                  pagePath + " - 300 байт(а)", "Всего документов: 5",
                                  "Общий размер: 307 байт(а)"}));
}

TEST_F(HtmlListCommandsTest, SizeReportOfAnUnsavedPage) {
  start();
  const QString absolute = writeFile("c.gif", QByteArray(5, 'c'));
  editor().setText("<img src=\"c.gif\"><img src=\"" + absolute + "\">");
  click("mnuHTMLSize");
  // A relative name has no folder to be found in.
  EXPECT_EQ(lines(), (QStringList{"Размер HTML-документа", absolute + " - 5 байт(а)",
                                  "Текущий HTML-документ не сохранен", "Всего документов: 2",
                                  "Общий размер: 5 байт(а)"}));
}

TEST_F(HtmlListCommandsTest, CommandWordsActOnTheSelectedLine) {
  shell::FrmMain& w = start();
  const QString path = writeFile("found.txt", "found text");
  editor().setText("<a href=\"" + path + "\"><a href=\"http://example.org/\">");
  click("mnuHyperLinks");
  w.document().setDirty(false);  // no question about saving before the open
  testing_support::UrlCatcher catcher;
  struct {
    const char* command;
    int row;
    QString document;  // the document's path afterwards
    int opened;        // addresses handed to the desktop
  } cases[] = {
      {"OpenFile", 0, "", 0},             // other letter case: not a command
      {"fileexists", 0, "", 0},           // known, does nothing
      {"openfile and more", 0, path, 0},  // the rest after a space is ignored
      {"execfile", 1, path, 1},
      {"execfile", -1, path, 1},          // no line selected: nothing visible
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    if (c.row >= 0) select({c.row}); else select({});
    run(c.command);
    EXPECT_EQ(w.document().path(), c.document);
    EXPECT_EQ(catcher.urls.size(), c.opened);
  }
  EXPECT_EQ(editor().text(), "found text");
  EXPECT_EQ(catcher.urls.value(0).toString(), "http://example.org/");
  // Typed commands are not remembered.
  EXPECT_EQ(console()->findChild<QComboBox*>("cmbNewCmd")->count(), 0);
}

TEST_F(HtmlListCommandsTest, OpenFileWithNoLineSelectedOpensNothing) {
  shell::FrmMain& w = start();
  editor().setText("<a href=\"x\">");
  click("mnuHyperLinks");
  select({});
  run("openfile");
  EXPECT_EQ(w.document().path(), "");
  EXPECT_EQ(editor().text(), "<a href=\"x\">");
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(HtmlListCommandsTest, SaveWritesSelectedLinesInListOrderPlusAnEmptyLine) {
  start();
  editor().setText("<a href=\"1\"><a href=\"2\"><a href=\"3\">");
  click("mnuHyperLinks");
  m_settings->set(platform::Setting::LastDir, homePath());
  select({2, 0, 1});
  const QString target = homePath("saved.txt");
  m_ui.answerSaveFile(target);
  menu("mnuSaveToFile");
  QFile file(target);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "1\r\n2\r\n3\r\n\r\n");
  ASSERT_EQ(m_ui.fileRequests.size(), 1);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Сохранить в файл");
  EXPECT_EQ(m_ui.fileRequests[0].filter, "Все файлы(*.*)|*.*");
  EXPECT_EQ(m_ui.fileRequests[0].initialDir, homePath());
  // No file chosen: nothing is written.
  m_ui.answerSaveFile("");
  menu("mnuSaveToFile");
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(HtmlListCommandsTest, ExportCopyAndSelectAll) {
  start();
  editor().setText("<a href=\"1\"><a href=\"2\">");
  click("mnuHyperLinks");
  // Nothing selected: the editor's selection stays where it is, nothing is inserted.
  editor().setSelection(platform::SelRange{0, 0, 0, 2});
  select({});
  menu("mnuExportToEdidor");
  EXPECT_EQ(editor().text(), "<a href=\"1\"><a href=\"2\">");
  select({1});
  menu("mnuCopy");
  EXPECT_EQ(m_clipboard.text(), "2");
  menu("mnuSelectAll");
  menu("mnuExportToEdidor");
  EXPECT_EQ(editor().text(), "1\r\n2\r\nВсего гиперссылок 2\r\n href=\"1\"><a href=\"2\">");
}

TEST_F(HtmlListCommandsTest, ClosingStoresThePlaceAndForgetsTheLines) {
  start();
  editor().setText("<a href=\"1\">");
  click("mnuHyperLinks");
  console()->findChild<QPushButton*>("cmdClearConsole")->click();
  EXPECT_EQ(lines(), QStringList{});
  console()->move(120, 80);
  closeConsole();
  EXPECT_EQ(console(), nullptr);
  EXPECT_NE(setting("Stat_Top"), "<missing>");
  EXPECT_NE(setting("Stat_Left"), "<missing>");
  click("mnuHyperLinks");
  EXPECT_EQ(lines(), (QStringList{"1", "Всего гиперссылок 1"}));
  EXPECT_EQ(console()->pos(), QPoint(120, 80));
}

}  // namespace
}  // namespace html
