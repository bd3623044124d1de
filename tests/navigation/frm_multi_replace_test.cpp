// The window "Мультизамена" on the real main window, with the scripted user: what it shows when
// it opens, the run as one undo step and the list it leaves in "LastMr.lst", saving, opening
// and loading list files, and items with commas, quotes and spaces that come back as written.
#include "navigation/frm_multi_replace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "navigation/multi_replace.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"

namespace navigation {
namespace {

using platform::MsgAnswer;
using test_files::bytesOf;
using testing_support::MainWindowTest;

class MultiReplaceTest : public MainWindowTest {
 protected:
  FrmMultiReplace* open() {
    click("mnuMultiReplace");
    return dialog();
  }
  FrmMultiReplace* dialog() { return m_window->findChild<FrmMultiReplace*>("frmMultiReplace"); }
  // Closes the window as its Close button does, and lets it go.
  void closeDialog() {
    dialog()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QPlainTextEdit* list() { return dialog()->findChild<QPlainTextEdit*>("txtMulti"); }
  QComboBox* files() { return dialog()->findChild<QComboBox*>("cmbMulti"); }
  QCheckBox* matchCase() { return dialog()->findChild<QCheckBox*>("chkMatchCase"); }
  QPushButton* button(const char* name) { return dialog()->findChild<QPushButton*>(name); }
  void press(const char* name) {
    QPushButton* b = button(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
  }
  // The list as typed into the field (the field itself keeps LF line ends).
  void type(const QString& text) { list()->setPlainText(QString(text).replace("\r\n", "\n")); }
  platform::EditControl& editor() { return m_window->txtMain(); }
  QStringList comboItems() {
    QStringList items;
    for (int i = 0; i < files()->count(); ++i) items << files()->itemText(i);
    return items;
  }
};

TEST_F(MultiReplaceTest, OpensBesideTheEditorFilledFromItsFilesAndSettings) {
  writeFile("LastMr.lst", "мама=папа\r\nраму=окно\r\n");
  writeFile("Multies.lst", "/lists/one.lst\r\n/lists/two.lst\r\n");
  m_settings->set(platform::Setting::MultiMatchCase, "1");
  m_settings->set(platform::Setting::MultiTop, "675");
  m_settings->set(platform::Setting::MultiLeft, "900");
  shell::FrmMain& w = start();
  FrmMultiReplace* d = open();
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(d->isVisible());
  EXPECT_FALSE(d->isModal());
  EXPECT_EQ(d->parentWidget(), &w) << "owned by the main window";
  EXPECT_EQ(d->windowTitle(), "Мультизамена");
  EXPECT_EQ(d->pos(), QPoint(60, 45));
  EXPECT_EQ(d->listText(), "мама=папа\r\nраму=окно\r\n") << "each item followed by CR LF";
  EXPECT_EQ(comboItems(), (QStringList{"/lists/one.lst", "/lists/two.lst"}));
  EXPECT_EQ(files()->currentText(), "");
  EXPECT_TRUE(files()->isEditable());
  EXPECT_TRUE(matchCase()->isChecked());
  EXPECT_EQ(matchCase()->text(), "С учетом регистра");
  const std::pair<const char*, const char*> captions[] = {{"cmdRepl", "Заненить"},
                                                          {"cmdOpen", "Открыть"},
                                                          {"cmdLoad", "Загрузить"},
                                                          {"cmdSave", "Сохранить"},
                                                          {"cmdClose", "Закрыть"}};
  for (const auto& [name, caption] : captions) {
    ASSERT_NE(button(name), nullptr) << name;
    EXPECT_EQ(button(name)->text(), QString::fromUtf8(caption)) << name;
  }
  d->setListText("typed=here");
  EXPECT_EQ(open(), d) << "an open window comes to the front as it is";
  EXPECT_EQ(d->listText(), "typed=here");
  EXPECT_EQ(w.findChildren<FrmMultiReplace*>().size(), 1);
}

TEST_F(MultiReplaceTest, MatchCaseIsStoredAtOnce) {
  start();
  open();
  EXPECT_FALSE(matchCase()->isChecked()) << "default 0";
  matchCase()->click();
  EXPECT_EQ(setting("MultiMatchCase"), "1");
  matchCase()->click();
  EXPECT_EQ(setting("MultiMatchCase"), "0");
}

TEST_F(MultiReplaceTest, RunReplacesTheWholeTextInOneUndoStep) {
  const QString original = "Мама мыла раму.\r\nМАМА! x=1=2";
  const QString path = writeFile("doc.txt", original.toUtf8());
  shell::FrmMain& w = start(path);
  EXPECT_FALSE(w.document().Dirty());
  editor().setSelection({1, 2, 1, 2});
  open();
  type("мама=папа\r\nраму=окно\r\nбез пары\r\nx=1=2");
  press("cmdRepl");
  EXPECT_EQ(editor().text(), "папа мыла окно.\r\nпапа! 2=2");
  EXPECT_TRUE(w.document().Dirty()) << "modified like any edit";
  EXPECT_EQ(w.focusWidget(), editor().focusWidget()) << "the editor has the focus";
  EXPECT_TRUE(dialog()->isVisible()) << "the window stays open";
  editor().undo();
  EXPECT_EQ(editor().text(), original) << "one undo gives back the whole original text";
  EXPECT_FALSE(editor().canUndo());
}

TEST_F(MultiReplaceTest, NonBreakingSpacesInTheListAreKept) {
  start();
  editor().setText("a\u00A0b");
  open();
  type("\u00A0= ");
  press("cmdRepl");
  EXPECT_EQ(editor().text(), "a b");
}

TEST_F(MultiReplaceTest, MatchCaseDecidesTheComparison) {
  start();
  editor().setText("Ёж ЁЖ ёж");
  open();
  type("ёж=кот");
  matchCase()->click();
  press("cmdRepl");
  EXPECT_EQ(editor().text(), "Ёж ЁЖ кот");
  matchCase()->click();
  press("cmdRepl");
  EXPECT_EQ(editor().text(), "кот кот кот");
}

// Putting the same text back would mark the document modified and leave an undo step that
// changes nothing.
TEST_F(MultiReplaceTest, RunThatChangesNothingLeavesTheDocumentAsItWas) {
  const QString path = writeFile("doc.txt", "abc");
  shell::FrmMain& w = start(path);
  editor().setSelection({0, 1, 0, 1});
  open();
  type("zzz=y\r\nb=b");
  press("cmdRepl");
  EXPECT_EQ(editor().text(), "abc");
  EXPECT_FALSE(w.document().Dirty());
  EXPECT_FALSE(editor().canUndo());
  EXPECT_EQ(editor().selection(), (platform::SelRange{0, 1, 0, 1}));
  EXPECT_EQ(bytesOf(homePath("LastMr.lst")), "zzz=y\r\nb=b\r\n") << "the list is kept all the same";
}

TEST_F(MultiReplaceTest, LastListIsKeptAfterARunAndShownOnReopening) {
  start();
  editor().setText("a");
  FrmMultiReplace* d = open();
  type("a=b\r\nc=d");
  closeDialog();
  EXPECT_EQ(dialog(), nullptr) << "a closed window is gone";
  EXPECT_EQ(bytesOf(homePath("LastMr.lst")), "") << "closing without a run keeps nothing";
  d = open();
  EXPECT_EQ(d->listText(), "");
  type("a=b\r\nc=d");
  press("cmdRepl");
  EXPECT_EQ(bytesOf(homePath("LastMr.lst")), "a=b\r\nc=d\r\n") << "the list and one CR LF";
  closeDialog();
  d = open();
  EXPECT_EQ(d->listText(), "a=b\r\nc=d\r\n");
  EXPECT_EQ(ParseReplacementList(d->listText()), ParseReplacementList("a=b\r\nc=d"));
}

// Every run wrote the list shown, its final line break included, followed by CR LF, so the file
// and the window's list grew by an empty line each time.
TEST_F(MultiReplaceTest, RunsWithoutEditsLeaveTheLastListAsItWas) {
  struct Case {
    const char* name;
    QByteArray file;
  };
  const Case cases[] = {
      {"pairs in Windows-1251", "\xEC\xE0\xEC\xE0=\xEF\xE0\xEF\xE0\r\nx=y\r\n"},
      {"empty", ""},
      {"an empty line inside", "a=b\r\n\r\nc=d\r\n"},
      {"quoted", "\"a,b=1\"\r\n\" x =3\"\r\n"},
  };
  start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile("LastMr.lst", c.file);
    QString shown;
    for (int run = 0; run < 4; ++run) {
      SCOPED_TRACE(run);
      FrmMultiReplace* d = open();
      if (run == 0) shown = d->listText();
      EXPECT_EQ(d->listText(), shown);
      press("cmdRepl");
      EXPECT_EQ(bytesOf(homePath("LastMr.lst")), c.file);
      closeDialog();
    }
  }
}

TEST_F(MultiReplaceTest, ItemsWithCommasQuotesAndSpacesComeBackAsWritten) {
  start();
  editor().setText("a,b \"q\" x  end");
  FrmMultiReplace* d = open();
  const QString typed = "a,b=1\r\n\"q\"=2\r\n x =3\r\nend=4";
  type(typed);
  press("cmdRepl");
  EXPECT_EQ(editor().text(), "1 23 4") << "\" x \" took its spaces with it";
  // Quoted as the list writer quotes, so the list reader gives each line back whole.
  EXPECT_EQ(bytesOf(homePath("LastMr.lst")),
            "\"a,b=1\"\r\n\"\"\"q\"\"=2\"\r\n\" x =3\"\r\nend=4\r\n");
  closeDialog();
  d = open();
  EXPECT_EQ(d->listText(), typed + "\r\n");

  const QString saved = homePath("my, \"lists\"/pairs, 1.lst");
  QDir().mkpath(homePath("my, \"lists\""));
  m_ui.answerSaveFile(saved);
  press("cmdSave");
  type("");
  files()->setEditText(saved);
  press("cmdLoad");
  EXPECT_EQ(d->listText(), typed + "\r\n");
  closeDialog();
  open();
  EXPECT_EQ(comboItems(), QStringList{saved}) << "a path with a comma is one item";
}

TEST_F(MultiReplaceTest, SaveWritesTheListAndRemembersItsPath) {
  writeFile("Multies.lst", "/old/list.lst\r\n");
  start();
  open();
  type("раз=1\r\nдва=2");
  const QString path = homePath("sub/pairs.lst");
  QDir().mkpath(homePath("sub"));
  m_ui.answerSaveFile(path);
  press("cmdSave");
  ASSERT_EQ(m_ui.fileRequests.size(), 1);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Сохранение списка мультизамены");
  EXPECT_EQ(m_ui.fileRequests[0].filter, "Файлы Ostrel XP(*.lst)|*.lst");
  EXPECT_EQ(m_ui.fileRequests[0].initialDir, homePath()) << "the program directory at first";
  EXPECT_EQ(bytesOf(path), QByteArray("\xF0\xE0\xE7=1\r\n\xE4\xE2\xE0=2\r\n"))
      << "Windows-1251, the text and one CR LF";
  EXPECT_EQ(setting("Last Dir"), homePath("sub"));
  EXPECT_EQ(comboItems(), (QStringList{"/old/list.lst", path}));
  EXPECT_EQ(bytesOf(homePath("Multies.lst")), "/old/list.lst\r\n" + path.toUtf8() + "\r\n")
      << "the old lines stay, the path is added";

  // Cancelled: nothing happens.
  m_ui.answerSaveFile("");
  press("cmdSave");
  EXPECT_EQ(comboItems(), (QStringList{"/old/list.lst", path}));

  // The next dialog starts where the last list was saved; the path may be saved again.
  m_ui.answerSaveFile(path);
  press("cmdSave");
  EXPECT_EQ(m_ui.fileRequests.last().initialDir, homePath("sub"));
  EXPECT_EQ(comboItems(), (QStringList{"/old/list.lst", path, path}));
  closeDialog();
  open();
  EXPECT_EQ(comboItems(), (QStringList{"/old/list.lst", path, path}));
}

TEST_F(MultiReplaceTest, OpenAndLoadReadAListFile) {
  const QString path = writeFile("lists/pairs.lst", "one=1\r\ntwo=2\r\n");
  m_settings->set(platform::Setting::LastDir, homePath("lists"));
  start();
  FrmMultiReplace* d = open();
  type("old=list");

  m_ui.answerOpenFile("");
  press("cmdOpen");
  EXPECT_EQ(d->listText(), "old=list") << "nothing chosen: no change";
  ASSERT_EQ(m_ui.fileRequests.size(), 1);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Загрузка мультизамены");
  EXPECT_EQ(m_ui.fileRequests[0].filter, "Файлы Ostrel XP(*.lst)|*.lst");
  EXPECT_EQ(m_ui.fileRequests[0].initialDir, homePath("lists"));

  m_ui.answerOpenFile(path);
  press("cmdOpen");
  EXPECT_EQ(d->listText(), "one=1\r\ntwo=2\r\n");
  EXPECT_EQ(setting("Last Dir"), homePath("lists")) << "only saving changes it";

  type("old=list");
  files()->setEditText(path);
  press("cmdLoad");
  EXPECT_EQ(d->listText(), "one=1\r\ntwo=2\r\n");
  EXPECT_TRUE(m_ui.messages.isEmpty()) << "a successful load shows nothing";
}

TEST_F(MultiReplaceTest, LoadThatFailsSaysWhyAndKeepsTheList) {
  start();
  FrmMultiReplace* d = open();
  type("keep=me");
  files()->setEditText(homePath("missing.lst"));
  m_ui.answerMessage(MsgAnswer::Ok);
  press("cmdLoad");
  ASSERT_EQ(m_ui.messages.size(), 1);
  EXPECT_FALSE(m_ui.messages[0].text.isEmpty());
  EXPECT_EQ(m_ui.messages[0].buttons, platform::MsgButtons::Ok);
  EXPECT_EQ(d->listText(), "keep=me");

  files()->setEditText(homePath());  // a folder
  m_ui.answerMessage(MsgAnswer::Ok);
  press("cmdLoad");
  EXPECT_EQ(d->listText(), "keep=me");
}

TEST_F(MultiReplaceTest, CloseKeepsThePlaceAndGivesTheEditorTheFocus) {
  shell::FrmMain& w = start();
  FrmMultiReplace* d = open();
  d->move(60, 45);
  press("cmdClose");
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(setting("Multi_Left"), "900");
  EXPECT_EQ(setting("Multi_Top"), "675");
  EXPECT_EQ(w.focusWidget(), editor().focusWidget());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(dialog(), nullptr);

  d = open();
  EXPECT_EQ(d->pos(), QPoint(60, 45));
  d->move(90, 30);
  QTest::keyClick(d, Qt::Key_Escape);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(setting("Multi_Left"), "1350") << "Escape closes as Close does";
  EXPECT_EQ(setting("Multi_Top"), "450");
}

}  // namespace
}  // namespace navigation
