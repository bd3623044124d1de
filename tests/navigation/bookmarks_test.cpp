// Global bookmarks in the real window: the menu made from "Bookmarks.lst", the bookmark dialog
// from "Установить", going to a bookmark, and the manager's commands on the file.
#include "navigation/bookmarks.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "navigation/frm_bookmarks.h"
#include "platform/list_file.h"
#include "platform/text_file.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "shell/window_placement.h"
#include "support/main_window_fixture.h"

namespace navigation {
namespace {

using platform::MsgAnswer;
using test_files::bytesOf;

// What the user types into the bookmark dialog; a field left nullopt keeps what was proposed.
struct Typed {
  std::optional<QString> document;
  std::optional<QString> name;
  std::optional<QString> position;
};

class BookmarksTest : public testing_support::MainWindowTest {
 protected:
  QString listPath() { return homePath("Bookmarks.lst"); }
  // The file's text, whichever encoding it was written in.
  QString listText() {
    const auto file = platform::TextFile::read(listPath());
    return file ? file->text : QStringLiteral("<unreadable>");
  }
  QStringList menuCaptions() {
    QStringList captions;
    for (QAction* item : m_window->commands().array("mnuBookmark")->items())
      captions << item->text();
    return captions.mid(1);
  }
  void chooseMenuItem(int index) {
    m_window->commands().array("mnuBookmark")->item(index + 1)->trigger();
  }
  // Answers the next bookmark dialog: checks what it proposes, types, and presses "Создать".
  void answerDialog(const BookmarkFields& proposed, const Typed& typed) {
    m_ui.answerModal([proposed, typed](QDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), "Добавление закладки");
      const struct {
        const char* name;
        QString proposed;
        std::optional<QString> typed;
      } fields[] = {{"txtFile", proposed.document, typed.document},
                    {"txtName", proposed.name, typed.name},
                    {"txtPos", proposed.position, typed.position}};
      for (const auto& field : fields) {
        auto* edit = dialog.findChild<QLineEdit*>(field.name);
        EXPECT_EQ(edit->text(), field.proposed) << field.name;
        if (field.typed) edit->setText(*field.typed);
      }
      dialog.findChild<QPushButton*>("cmdCreate")->click();
      return dialog.result();
    });
  }
  FrmBookmarks* manager() { return m_window->findChild<FrmBookmarks*>("frmBookmarks"); }
  QListWidget* managerList() { return manager()->findChild<QListWidget*>("lstBookmarks"); }
  void managerCommand(const char* name) {
    QAction* item = manager()->findChild<QAction*>(name);
    ASSERT_NE(item, nullptr) << name;
    item->trigger();
  }
  QString detail(const char* name) { return manager()->findChild<QLineEdit*>(name)->text(); }
};

TEST_F(BookmarksTest, MenuListsTheBookmarksOfTheFileAndSkipsBrokenLines) {
  writeFile("bookmarks.lst",
            "/d/a.txt>Первая>3\r\nno fields\r\n\r\n/d/b.txt>half\r\n\"/d/c,d.txt>Третья, с запятой>9\"\r\n");
  shell::FrmMain& w = start();
  EXPECT_EQ(menuCaptions(), QStringList({"Первая", "Третья, с запятой"}));
  // What the menu shows: its two commands, a separator, then the bookmarks, all usable.
  QStringList shown;
  for (QAction* item : w.commands().menu("mnuBookmarks")->actions()) {
    if (!item->isVisible()) continue;
    shown << (item->isSeparator() ? "-" : item->text());
    EXPECT_TRUE(item->isSeparator() || item->isEnabled()) << item->text().toStdString();
  }
  EXPECT_EQ(shown, QStringList({"Настроить", "Установить", "-", "Первая", "Третья, с запятой"}));
}

TEST_F(BookmarksTest, SetProposesTheDocumentAndCaretColumnAndAppendsOneLine) {
  const QString doc = writeFile("docs/письмо, черновик.txt", "first line\r\nsecond line here\r\n");
  writeFile("Bookmarks.lst", "/old>Старая>1\r\n");
  shell::FrmMain& w = start(doc);
  w.txtMain().setSelection({1, 7, 1, 11});
  answerDialog({doc, "письмо, черновик.txt", "7"}, {std::nullopt, "Моя \"метка\"", "12abc"});
  click("mnuNewBookmark");
  ASSERT_TRUE(m_ui.allAnswered());
  // The menu is made again from the file, with the position read back as a number.
  EXPECT_EQ(menuCaptions(), QStringList({"Старая", "Моя \"метка\""}));
  EXPECT_EQ(bytesOf(listPath()),
            "/old>Старая>1\r\n\"" + doc.toUtf8() + ">Моя \"\"метка\"\">12abc\"\r\n");
  EXPECT_EQ(BookmarksOf(w).list().bookmarks().last(), (Bookmark{doc, "Моя \"метка\"", 12}));
}

TEST_F(BookmarksTest, DialogForAnUntitledDocumentIsEmptyAndBrowsesFromLastDir) {
  const QString picked = writeFile("picked.txt", "x");
  m_settings->set(platform::Setting::LastDir, homePath("docs"));
  start();
  m_ui.answerModal([picked](QDialog& dialog) {
    for (const char* name : {"txtFile", "txtName", "txtPos"})
      EXPECT_EQ(dialog.findChild<QLineEdit*>(name)->text(), "") << name;
    auto* file = dialog.findChild<QLineEdit*>("txtFile");
    dialog.findChild<QPushButton*>("cmdBrowse")->click();
    EXPECT_EQ(file->text(), "") << "browsing cancelled";
    dialog.findChild<QPushButton*>("cmdBrowse")->click();
    EXPECT_EQ(file->text(), picked);
    dialog.findChild<QLineEdit*>("txtName")->setText("p");
    dialog.findChild<QPushButton*>("cmdCreate")->click();
    return dialog.result();
  });
  m_ui.answerOpenFile("");
  m_ui.answerOpenFile(picked);
  click("mnuNewBookmark");
  ASSERT_EQ(m_ui.fileRequests.size(), 2);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Выбор документа");
  EXPECT_EQ(m_ui.fileRequests[0].filter, "Все файлы (*.*)|*.*");
  EXPECT_EQ(m_ui.fileRequests[0].initialDir, homePath("docs"));
  EXPECT_EQ(bytesOf(listPath()), picked.toUtf8() + ">p>\r\n");
}

// A ">" typed into a field moved the fields after it: the bookmark led into the wrong file.
TEST_F(BookmarksTest, DialogKeepsWhatTheFileCouldNotHold) {
  const QString doc = writeFile("a.txt", "text");
  start(doc);
  m_ui.answerModal([](QDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>("txtName");
    name->setText("a>b");
    dialog.findChild<QPushButton*>("cmdCreate")->click();
    EXPECT_FALSE(dialog.result() == QDialog::Accepted);
    EXPECT_EQ(name->text(), "a>b") << "the typed text stays for mending";
    dialog.findChild<QPushButton*>("cmdCancel")->click();
    return dialog.result();
  });
  m_ui.answerMessage(MsgAnswer::Ok, "«>»");
  click("mnuNewBookmark");
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_FALSE(QFile::exists(listPath()));
}

TEST_F(BookmarksTest, GoingOpensTheDocumentWithTheCaretAtTheColumn) {
  const QString target = writeFile("target, 1.txt", "abcdefghij\r\nsecond\r\n");
  const QString other = writeFile("other.txt", "other text");
  platform::ListFile::write(listPath(), {BookmarkItem(Bookmark{target, "t", 4}),
                                         BookmarkItem(Bookmark{target, "past end", 50})});
  shell::FrmMain& w = start(other);
  chooseMenuItem(0);
  EXPECT_EQ(w.document().path(), target);
  EXPECT_EQ(w.txtMain().selection(), (platform::SelRange{0, 4, 0, 4}));
  EXPECT_EQ(w.selectionRange(), w.txtMain().selection());
  // Even the document already open is opened again, and a column past the end of the line
  // stops at its end.
  w.txtMain().setSelection({1, 2, 1, 2});
  chooseMenuItem(1);
  EXPECT_EQ(w.document().path(), target);
  EXPECT_EQ(w.txtMain().selection(), (platform::SelRange{0, 10, 0, 10}));
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

// A bookmark into a deleted file asked to save the current document, ran the open macro,
// reported the file and then moved the caret in the document that stayed.
TEST_F(BookmarksTest, MissingDocumentIsReportedAndNothingChanges) {
  const QString gone = homePath("gone.txt");
  platform::ListFile::write(listPath(), {BookmarkItem(Bookmark{gone, "Пропавший", 3})});
  const QString doc = writeFile("doc.txt", "line one\r\nline two\r\n");
  shell::FrmMain& w = start(doc);
  w.txtMain().setSelectedText("changed ");
  w.txtMain().setSelection({1, 1, 1, 1});
  m_ui.answerMessage(MsgAnswer::Ok, "Пропавший");
  chooseMenuItem(0);
  ASSERT_TRUE(m_ui.allAnswered());
  ASSERT_EQ(m_ui.messages.size(), 1);
  EXPECT_TRUE(m_ui.messages[0].text.contains(gone));
  EXPECT_EQ(w.document().path(), doc);
  EXPECT_TRUE(w.document().Dirty());
  EXPECT_EQ(w.txtMain().selection(), (platform::SelRange{1, 1, 1, 1}));
}

// The user kept the modified document: the caret stays where it was in it.
TEST_F(BookmarksTest, CancelledOpenLeavesTheCaretAlone) {
  const QString target = writeFile("t.txt", "abcdef");
  platform::ListFile::write(listPath(), {BookmarkItem(Bookmark{target, "t", 4})});
  shell::FrmMain& w = start();
  w.txtMain().setText("mine\r\nmine");
  w.txtMain().setSelection({1, 1, 1, 1});
  m_ui.answerMessage(MsgAnswer::Cancel, "Сохранить предыдущий документ");
  chooseMenuItem(0);
  EXPECT_TRUE(w.document().isUntitled());
  EXPECT_EQ(w.txtMain().selection(), (platform::SelRange{1, 1, 1, 1}));
}

TEST_F(BookmarksTest, ManagerOpensNarrowAndRemembersItsViewAndPlace) {
  writeFile("Bookmarks.lst", "/a>A>1\r\n");
  shell::FrmMain& w = start();
  click("mnuSetBookmarks");
  FrmBookmarks* first = manager();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->windowTitle(), "Закладки");
  EXPECT_FALSE(first->isWide());
  EXPECT_FALSE(first->findChild<QLineEdit*>("txtDocument")->isVisibleTo(first));
  const int narrow = first->width();
  EXPECT_LT(narrow, shell::TwipsToPixels(6120, *first));
  for (const char* label : {"lblDocument", "lblPosition", "lblName"})
    EXPECT_NE(first->findChild<QLabel*>(label), nullptr) << label;
  EXPECT_EQ(first->findChild<QLabel*>("lblPosition")->text(), "Позиция");
  first->findChild<QPushButton*>("cmdShowHide")->click();
  EXPECT_EQ(setting("BookMarksView"), "1");
  EXPECT_TRUE(first->findChild<QLineEdit*>("txtDocument")->isVisibleTo(first));
  EXPECT_GE(first->width(), shell::TwipsToPixels(6120, *first));
  click("mnuSetBookmarks");
  EXPECT_EQ(manager(), first) << "one manager";
  EXPECT_EQ(w.findChildren<FrmBookmarks*>().size(), 1);

  first->move(120, 90);
  first->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(manager(), nullptr);
  EXPECT_NE(setting("Bookmarks_Left"), "<missing>");
  EXPECT_NE(setting("Bookmarks_Top"), "<missing>");
  click("mnuSetBookmarks");
  EXPECT_TRUE(manager()->isWide()) << "the stored view";
  EXPECT_EQ(manager()->pos(), QPoint(120, 90));
}

TEST_F(BookmarksTest, ManagerRemovesAndChangesOnlyTheSelectedBookmark) {
  writeFile("Bookmarks.lst", "/d/one.txt>Один>3\r\n/d/two.txt>Два>12abc\r\n/d/three.txt>Три>7\r\n");
  start();
  click("mnuSetBookmarks");
  ASSERT_EQ(managerList()->count(), 3);
  // Nothing selected: neither command does anything.
  managerCommand("mnuRemoveBm");
  managerCommand("mnuEditBm");
  EXPECT_EQ(managerList()->count(), 3);

  managerList()->setCurrentRow(1);
  EXPECT_EQ(detail("txtDocument"), "/d/two.txt");
  EXPECT_EQ(detail("txtPosition"), "12");
  EXPECT_EQ(detail("txtName"), "Два");
  answerDialog({"/d/two.txt", "Два", "12"}, {"/d/2, второй.txt", "Второй", "5x"});
  managerCommand("mnuEditBm");
  EXPECT_EQ(listText(),
            "/d/one.txt>Один>3\r\n\"/d/2, второй.txt>Второй>5\"\r\n/d/three.txt>Три>7\r\n");
  EXPECT_EQ(menuCaptions(), QStringList({"Один", "Второй", "Три"}));
  EXPECT_EQ(detail("txtName"), "Второй") << "the list is made again, the selection kept";

  managerCommand("mnuRemoveBm");
  EXPECT_EQ(listText(), "/d/one.txt>Один>3\r\n/d/three.txt>Три>7\r\n");
  EXPECT_EQ(menuCaptions(), QStringList({"Один", "Три"}));
  EXPECT_EQ(managerList()->count(), 2);
}

TEST_F(BookmarksTest, ManagerAddsAtColumnZeroAndGoes) {
  const QString doc = writeFile("doc.txt", "0123456789\r\nabc\r\n");
  shell::FrmMain& w = start(doc);
  w.txtMain().setSelection({1, 2, 1, 2});
  click("mnuSetBookmarks");
  answerDialog({doc, "doc.txt", "0"}, {std::nullopt, std::nullopt, "6"});
  managerCommand("mnuAddBm");
  ASSERT_EQ(managerList()->count(), 1);
  EXPECT_EQ(menuCaptions(), QStringList({"doc.txt"}));
  managerList()->setCurrentRow(0);
  managerCommand("mnuGotoBm");
  EXPECT_EQ(w.txtMain().selection(), (platform::SelRange{0, 6, 0, 6}));
}

// A second copy of the program added a bookmark after this one showed its list: removing one
// here wrote the old list back and lost the other copy's bookmark.
TEST_F(BookmarksTest, ChangesGoToTheFileAsItIsNow) {
  writeFile("Bookmarks.lst", "/a>A>1\r\n/b>B>2\r\n");
  start();
  click("mnuSetBookmarks");
  managerList()->setCurrentRow(1);
  writeFile("Bookmarks.lst", "/new>New>0\r\n/a>A>1\r\n/b>B>2\r\n");
  managerCommand("mnuRemoveBm");
  EXPECT_EQ(bytesOf(listPath()), "/new>New>0\r\n/a>A>1\r\n");

  // Gone from the file meanwhile: nothing is written, the list is read again.
  managerList()->setCurrentRow(1);
  writeFile("Bookmarks.lst", "/new>New>0\r\n/x>X>5\r\n");
  m_ui.answerMessage(MsgAnswer::Ok, "прочитан заново");
  managerCommand("mnuRemoveBm");
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(bytesOf(listPath()), "/new>New>0\r\n/x>X>5\r\n");
  EXPECT_EQ(menuCaptions(), QStringList({"New", "X"}));
}

TEST_F(BookmarksTest, FailedWriteIsReportedAndTheFileKept) {
  writeFile("Bookmarks.lst", "/a>A>1\r\n/b>B>2\r\n");
  start();
  click("mnuSetBookmarks");
  managerList()->setCurrentRow(0);
  test_files::Immutable lock(listPath());
  if (!lock.active()) GTEST_SKIP() << "the file system cannot make a file immutable here";
  m_ui.answerMessage(MsgAnswer::Ok, "Невозможно сохранить закладки");
  managerCommand("mnuRemoveBm");
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(bytesOf(listPath()), "/a>A>1\r\n/b>B>2\r\n");
  EXPECT_EQ(menuCaptions(), QStringList({"A", "B"}));
}

}  // namespace
}  // namespace navigation
