// The code library: the "Main.ocl" format read and written back exactly, and the panel that
// shows, inserts, adds, removes, renames, saves and takes dropped files.
#include "automation/code_library.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include "automation/code_library_panel.h"
#include "platform/cp1251.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"

namespace automation {

void PrintTo(const CodeEntry& entry, std::ostream* os) {
  *os << "{" << entry.name.toStdString() << ": \"" << entry.text.toStdString() << "\"}";
}

namespace {

using platform::MsgAnswer;
using test_files::bytesOf;
using testing_support::MainWindowTest;

// --- The file format ---

TEST(CodeLibraryFormat, ReadsEntriesAsTheLinesSay) {
  struct {
    const char* name;
    QString file;
    QList<CodeEntry> expect;
  } cases[] = {
      {"empty file", "", {}},
      {"one entry", ">>a\r\nx\r\ny\r\n", {{"a", "x\r\ny"}}},
      {"no final line break", ">>a\r\nx", {{"a", "x"}}},
      {"empty text", ">>a\r\n\r\n>>b\r\nz\r\n", {{"a", ""}, {"b", "z"}}},
      {"header only", ">>a", {{"a", ""}}},
      {"text ending in empty lines", ">>a\r\nx\r\n\r\n\r\n", {{"a", "x\r\n\r\n"}}},
      {"lines before the first header", "stray\r\n>>a\r\nx\r\n", {{"a", "x"}}},
      // Only a line that begins with ">>" is a header: one holding it further on is text. Such
      // a line used to end the text, and the next save dropped everything after it.
      {">> inside a line", ">>a\r\nx\r\ny >> z\r\nkept\r\n>>b\r\nw\r\n",
       {{"a", "x\r\ny >> z\r\nkept"}, {"b", "w"}}},
      {"a line ending in >>", ">>a\r\nx>>\r\n  >>y\r\n", {{"a", "x>>\r\n  >>y"}}},
      {"a header with no name", ">>\r\nx\r\n", {{"", "x"}}},
      {"LF line ends", ">>a\nx\ny\n>>b\n\n", {{"a", "x\r\ny"}, {"b", ""}}},
      {"a name holding >>", ">>a>>b\r\nx\r\n", {{"a>>b", "x"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseCodeLibrary(c.file), c.expect);
  }
}

TEST(CodeLibraryFormat, WritesWhatReadsBackUnchanged) {
  // The texts a save must not grow or shrink, the last entry's above all.
  const QString texts[] = {"",
                           "x",
                           "x\r\n",
                           "\r\n",
                           "a\r\n\r\nb",
                           "  indented\r\n\ttab",
                           "Привет, мир\r\n",
                           "\r\n\r\n",
                           "cout >> x;\r\n",
                           "a\r\nx >> y\r\n>\r\n >>z"};
  for (const QString& text : texts) {
    SCOPED_TRACE(text.toStdString());
    const QList<CodeEntry> entries = {{"first", "1"}, {"Последний", text}};
    QList<CodeEntry> cycled = entries;
    for (int i = 0; i < 5; ++i) cycled = ParseCodeLibrary(FormatCodeLibrary(cycled));
    EXPECT_EQ(cycled, entries);
  }
  EXPECT_EQ(FormatCodeLibrary({{"a", "x"}, {"b", ""}}), ">>a\r\nx\r\n>>b\r\n\r\n");
}

TEST(CodeLibraryFormat, FindsTheLineThatWouldReadAsAHeader) {
  struct {
    const char* name;
    QString text;
    std::optional<int> line;  // 1-based
  } cases[] = {
      {"empty", "", std::nullopt},
      {">> inside lines", "a >> b\r\nc>>\r\n >>d", std::nullopt},
      {"first line", ">>x", 1},
      {"only >>", "a\r\n>>", 2},
      {"after LF", "a\nb\n>>c", 3},
      {"after a lone CR", "a\r>>c", 2},
      {"the first of two", "a\r\n>>b\r\n>>c", 2},
      {"a single >", ">a\r\n>", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CodeTextHeaderLine(c.text), c.line);
  }
}

TEST(CodeLibraryFormat, NamesOfDroppedFilesAndRenamedItems) {
  struct {
    const char* path;
    const char* expect;
  } dropped[] = {
      {"/home/u/notes.v2.txt", "notes.v2"},  {"/home/u/Makefile", "Makefile"},
      {"/home/u/.bashrc", ".bashrc"},        {"/home/u/end.", "end"},
      {"/home/u/x.y/plain", "plain"},        {"/home/u/>>code.c", ">code"},
      {"/home/u/two\nlines.c", "two lines"}, {"/home/u/Пример.pas", "Пример"},
  };
  for (const auto& c : dropped) {
    SCOPED_TRACE(c.path);
    const QString name = DroppedItemName(QString::fromUtf8(c.path));
    EXPECT_EQ(name, QString::fromUtf8(c.expect));
    EXPECT_TRUE(IsCodeItemName(name));
  }
  struct {
    const char* name;
    bool ok;
  } names[] = {{"Новое имя", true}, {"a>>b", true},  {">a", true},  {"", false},
               {">>a", false},      {"a\nb", false}, {"a\r", false}};
  for (const auto& c : names) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsCodeItemName(QString::fromUtf8(c.name)), c.ok);
  }
}

// --- The panel ---

class CodeLibraryTest : public MainWindowTest {
 protected:
  FrmCodeLib& panel() { return *m_window->findChild<FrmCodeLib*>("frmCodeLib"); }
  QListWidget& list() { return panel().lstCodeItems(); }
  platform::EditControl& shown() { return panel().txtCodeLib(); }
  QStringList items() {
    QStringList names;
    for (int i = 0; i < list().count(); ++i) names << list().item(i)->text();
    return names;
  }
  bool enabled(const char* name) {
    return m_window->commands().action(QString::fromUtf8(name))->isEnabled();
  }
  QString current() { return list().currentItem() ? list().currentItem()->text() : QString(); }
  // Chooses an item as a click on it does.
  void choose(const QString& name) {
    const auto found = list().findItems(name, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << name.toStdString();
    const QPoint at = list().visualItemRect(found.first()).center();
    QTest::mouseClick(list().viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }
  QList<CodeEntry> stored() {
    return ParseCodeLibrary(platform::TextFile::read(homePath("Main.ocl"))->text);
  }
  shell::FrmMain& startWith(const QByteArray& library, const QString& fileName = "Main.ocl") {
    writeFile(fileName, library);
    m_settings->setFlag(platform::Setting::CodeLibrary, true);
    shell::FrmMain& w = start();
    w.show();
    return w;
  }
  // Drags files from outside onto the list and lets go, through the window as the system
  // delivers a drag; true when the list or the window took the drop.
  bool drop(const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    QWindow* window = m_window->windowHandle();
    const QPoint at = list().viewport()->mapTo(m_window.get(), list().viewport()->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent let(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                   Qt::NoModifier);
    QApplication::sendEvent(window, &let);
    return enter.isAccepted() && let.isAccepted();
  }
  // A file the list took comes in once the drop is over.
  bool takenIn() {
    const int before = list().count();
    return QTest::qWaitFor([&] { return list().count() > before; }, 3000);
  }
};

TEST_F(CodeLibraryTest, ShownAtStartUpWhenTheSettingSaysSo) {
  struct {
    const char* value;
    bool shown;
  } cases[] = {{"1", true}, {"0", false}};
  writeFile("main.OCL", ">>first\r\n1\r\n>>second\r\n2\r\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    m_settings->set(platform::Setting::CodeLibrary, c.value);
    shell::FrmMain& w = start();
    w.show();
    // A hidden panel is not even made until it is first wanted.
    const auto* made = w.findChild<FrmCodeLib*>("frmCodeLib");
    EXPECT_EQ(made != nullptr, c.shown);
    EXPECT_EQ(made && made->isVisible(), c.shown);
    EXPECT_EQ(w.CodeLib(), c.shown);
    EXPECT_EQ(w.commands().action("mnuCodeLib")->isChecked(), c.shown);
    EXPECT_FALSE(enabled("mnuRemoveCode"));
    EXPECT_FALSE(enabled("mnuRename"));
    // The file is found whatever its letter case.
    if (c.shown) {
      EXPECT_EQ(items(), QStringList({"first", "second"}));
    }
    w.setShutdown(nullptr);
    m_window.reset();
  }
}

TEST_F(CodeLibraryTest, TheMenuItemTogglesThePanelBesideTheEditor) {
  writeFile("Main.ocl", ">>a\r\n1\r\n");
  shell::FrmMain& w = start();
  w.show();
  click("mnuCodeLib");
  EXPECT_EQ(setting("CodeLibrary"), "1");
  EXPECT_TRUE(panel().isVisible());
  EXPECT_EQ(items(), QStringList({"a"}));
  EXPECT_LE(panel().geometry().right(), w.txtMain().geometry().left());
  EXPECT_GT(w.txtMain().width(), panel().width());
  click("mnuCodeLib");
  EXPECT_EQ(setting("CodeLibrary"), "0");
  EXPECT_FALSE(panel().isVisible());
  EXPECT_FALSE(w.CodeLib());
}

TEST_F(CodeLibraryTest, ChoosingShowsTheTextAndADoubleClickInsertsIt) {
  shell::FrmMain& w = startWith(">>loop\r\nfor (;;) {\r\n}\r\n>>empty\r\n\r\n");
  EXPECT_TRUE(shown().isReadOnly()) << "nothing chosen, nothing to type into";
  choose("loop");
  EXPECT_EQ(shown().text(), "for (;;) {\r\n}");
  EXPECT_FALSE(shown().isReadOnly());
  w.txtMain().setText("before SEL after");
  w.txtMain().setSelection({0, 7, 0, 10});
  w.activateWindow();
  QCoreApplication::processEvents();
  list().setFocus();
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), &list());
  const QPoint at = list().visualItemRect(list().item(0)).center();
  QTest::mouseDClick(list().viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(w.txtMain().text(), "before for (;;) {\r\n} after");
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), w.txtMain().focusWidget());
  // What is inserted is what is stored, not an unsaved change.
  shown().setText("changed");
  w.txtMain().setText("");
  QTest::mouseDClick(list().viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(w.txtMain().text(), "for (;;) {\r\n}");
}

TEST_F(CodeLibraryTest, TheLastItemSurvivesManySaves) {
  const QByteArray library = ">>a\r\nalpha\r\n>>last\r\nline 1\r\n\r\nline 3\r\n\r\n";
  startWith(library);
  for (int i = 0; i < 10; ++i) {
    choose(i % 2 ? "a" : "last");
    click("mnuSaveCode");
    click("mnuCodeLib");  // hide and show: the list is read again
    click("mnuCodeLib");
  }
  EXPECT_EQ(bytesOf(homePath("Main.ocl")), library);
  choose("last");
  EXPECT_EQ(shown().text(), "line 1\r\n\r\nline 3\r\n");
}

// A line holding ">>" after its start used to cut the text there on reading, so the save lost
// the rest of it.
TEST_F(CodeLibraryTest, SaveKeepsLinesHoldingAngleBracketsWhole) {
  startWith(">>a\r\nalpha\r\n>>b\r\nbeta\r\n");
  choose("a");
  const QString text = "one\r\nx >> y\r\nthree";
  shown().setText(text);
  click("mnuSaveCode");
  EXPECT_EQ(stored(), (QList<CodeEntry>{{"a", text}, {"b", "beta"}}));
  EXPECT_EQ(current(), "a");
  EXPECT_EQ(shown().text(), text);
  // Saved again from another item, it stays whole.
  choose("b");
  click("mnuSaveCode");
  click("mnuCodeLib");
  click("mnuCodeLib");
  choose("a");
  EXPECT_EQ(shown().text(), text);
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

// A line that begins with ">>" would read back as the header of a new item, and the item's
// text would end there: the save is refused, naming the item, and the text stays to be mended.
TEST_F(CodeLibraryTest, ATextTheFileCannotHoldIsRefusedAndKept) {
  const QByteArray library = ">>a\r\nalpha\r\n>>b\r\nbeta\r\n";
  startWith(library);
  choose("a");
  const QString text = "one\r\n>>two\r\nthree";
  shown().setText(text);
  m_ui.answerMessage(MsgAnswer::Ok, "«a»");
  click("mnuSaveCode");
  ASSERT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(m_ui.messages.last().title, "Библиотека кода");
  EXPECT_EQ(bytesOf(homePath("Main.ocl")), library);
  EXPECT_EQ(shown().text(), text);
  EXPECT_EQ(current(), "a");

  // Leaving the item asks about the change; saving is refused again and the item stays chosen.
  m_ui.answerMessage(MsgAnswer::Yes, "Сохранить изменения?");
  m_ui.answerMessage(MsgAnswer::Ok, "«a»");
  choose("b");
  ASSERT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(current(), "a");
  EXPECT_EQ(shown().text(), text);
  // Renaming saves too: refused, the old name stays.
  m_ui.answerInput("A2", "Введите новое название");
  m_ui.answerMessage(MsgAnswer::Ok, "«a»");
  click("mnuRename");
  ASSERT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(items(), QStringList({"a", "b"}));
  EXPECT_EQ(bytesOf(homePath("Main.ocl")), library);

  // Mended, it is saved.
  shown().setText("one\r\n >>two\r\nthree");
  click("mnuSaveCode");
  EXPECT_EQ(stored(), (QList<CodeEntry>{{"a", "one\r\n >>two\r\nthree"}, {"b", "beta"}}));
}

TEST_F(CodeLibraryTest, ADroppedFileTheLibraryCannotHoldIsNotSaved) {
  const QByteArray library = ">>a\r\nalpha\r\n";
  startWith(library);
  const QString file = writeFile("outside/shell.txt", "echo 1\n>>log\n");
  ASSERT_TRUE(drop({QUrl::fromLocalFile(file)}));
  ASSERT_TRUE(takenIn());
  m_ui.answerMessage(MsgAnswer::Ok, "«shell»");
  click("mnuSaveCode");
  ASSERT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(bytesOf(homePath("Main.ocl")), library);
  EXPECT_EQ(shown().text(), "echo 1\r\n>>log\r\n");
}

// The question about a changed text comes after the drop, not inside it: asked there, it would
// hold the file manager's drag until it was answered.
TEST_F(CodeLibraryTest, ADropOnAChangedTextAsksOnceTheDropIsOver) {
  startWith(">>a\r\nalpha\r\n");
  const QString file = writeFile("outside/dropped.txt", "from disk");
  choose("a");
  shown().setText("alpha, edited");
  m_ui.answerMessage(MsgAnswer::Yes, "Сохранить изменения?");
  ASSERT_TRUE(drop({QUrl::fromLocalFile(file)}));
  EXPECT_TRUE(m_ui.messages.isEmpty()) << "asked inside the drop";
  ASSERT_TRUE(takenIn());
  ASSERT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(items(), QStringList({"a", "dropped"}));
  EXPECT_EQ(shown().text(), "from disk");
  EXPECT_EQ(FindCodeItem(stored(), "a"), "alpha, edited");
}

TEST_F(CodeLibraryTest, AddRemoveAndRename) {
  startWith(">>a\r\nalpha\r\n>>b\r\nbeta\r\n>>c\r\ngamma\r\n");
  click("mnuAddCode");
  EXPECT_EQ(items(), QStringList({"a", "b", "c", "Новая вкладка"}));
  EXPECT_EQ(current(), "Новая вкладка");
  EXPECT_EQ(stored().size(), 3) << "nothing written yet";
  shown().setText("new text");
  click("mnuSaveCode");
  EXPECT_EQ(stored().last(), (CodeEntry{"Новая вкладка", "new text"}));

  // Renaming keeps the text shown, saved or not.
  choose("b");
  shown().setText("beta, edited");
  m_ui.answerInput("Бета", "Введите новое название");
  click("mnuRename");
  EXPECT_EQ(items(), QStringList({"a", "Бета", "c", "Новая вкладка"}));
  choose("a");
  choose("Бета");
  EXPECT_EQ(shown().text(), "beta, edited");

  // Names the file could not hold, an empty answer and Cancel change nothing.
  const QByteArray before = bytesOf(homePath("Main.ocl"));
  for (const auto& answer : {std::optional<QString>(">>x"), std::optional<QString>("a\r\nb"),
                             std::optional<QString>(""), std::optional<QString>()}) {
    m_ui.answerInput(answer);
    if (answer && !answer->isEmpty()) m_ui.answerMessage(MsgAnswer::Ok, "«>>»");
    click("mnuRename");
  }
  EXPECT_EQ(bytesOf(homePath("Main.ocl")), before);
  EXPECT_EQ(current(), "Бета");

  click("mnuRemoveCode");
  EXPECT_EQ(items(), QStringList({"a", "c", "Новая вкладка"}));
  EXPECT_EQ(stored(),
            (QList<CodeEntry>{{"a", "alpha"}, {"c", "gamma"}, {"Новая вкладка", "new text"}}));
  EXPECT_EQ(list().currentRow(), -1);
  EXPECT_FALSE(enabled("mnuRemoveCode"));
  EXPECT_FALSE(enabled("mnuRename"));
}

TEST_F(CodeLibraryTest, ADroppedFileIsSavedUnderItsOwnName) {
  startWith(">>a\r\nalpha\r\n>>b\r\nbeta\r\n");
  // "Привет" in Windows-1251, with a name of two dots.
  const QString file = writeFile("outside/hello.v2.txt", "\xcf\xf0\xe8\xe2\xe5\xf2\r\nmore\r\n");
  choose("a");
  ASSERT_TRUE(drop({QUrl::fromLocalFile(file)}));
  ASSERT_TRUE(takenIn());
  EXPECT_EQ(items(), QStringList({"a", "b", "hello.v2"}));
  EXPECT_EQ(current(), "hello.v2");
  EXPECT_EQ(shown().text(), "Привет\r\nmore\r\n");
  click("mnuSaveCode");
  EXPECT_EQ(stored(),
            (QList<CodeEntry>{{"a", "alpha"}, {"b", "beta"}, {"hello.v2", "Привет\r\nmore\r\n"}}));
}

TEST_F(CodeLibraryTest, OnlyOneRegularFileIsTaken) {
  startWith(">>a\r\nalpha\r\n");
  const QString one = writeFile("outside/one.txt", "1");
  const QString two = writeFile("outside/two.txt", "2");
  QDir().mkpath(homePath("outside/folder.d"));
  struct {
    const char* name;
    QList<QUrl> urls;
  } refused[] = {
      {"two files", {QUrl::fromLocalFile(one), QUrl::fromLocalFile(two)}},
      {"a folder", {QUrl::fromLocalFile(homePath("outside/folder.d"))}},
      {"a web address", {QUrl("https://example.org/x.txt")}},
      {"a missing file", {QUrl::fromLocalFile(homePath("outside/none.txt"))}},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.name);
    // The list passes them on to the window, whose own handling of dropped files (queued, and
    // gone with the window here) is none of the list's.
    drop(c.urls);
    EXPECT_EQ(items(), QStringList({"a"}));
    EXPECT_EQ(list().currentRow(), -1);
    EXPECT_EQ(shown().text(), "");
  }
}

TEST_F(CodeLibraryTest, ChangedTextIsOfferedForSavingBeforeItIsReplaced) {
  struct {
    const char* name;
    MsgAnswer answer;
    const char* storedA;
  } cases[] = {{"yes", MsgAnswer::Yes, "changed"}, {"no", MsgAnswer::No, "alpha"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    startWith(">>a\r\nalpha\r\n>>b\r\nbeta\r\n");
    choose("a");
    shown().setText("changed");
    m_ui.answerMessage(c.answer, "Сохранить изменения?");
    choose("b");
    EXPECT_EQ(current(), "b");
    EXPECT_EQ(shown().text(), "beta");
    EXPECT_EQ(stored(), (QList<CodeEntry>{{"a", c.storedA}, {"b", "beta"}}));
    // Adding and dropping replace the shown text too.
    shown().setText("beta 2");
    m_ui.answerMessage(c.answer, "«b»");
    click("mnuAddCode");
    EXPECT_EQ(FindCodeItem(stored(), "b"), c.answer == MsgAnswer::Yes ? "beta 2" : "beta");
    ASSERT_TRUE(m_ui.allAnswered());
    m_window->setShutdown(nullptr);
    m_window.reset();
  }
}

TEST_F(CodeLibraryTest, AFailedSaveSaysSoAndKeepsFileAndText) {
  const QByteArray library = ">>a\r\nalpha\r\n";
  startWith(library);
  choose("a");
  shown().setText(QString(100000, 'x'));
  m_ui.answerMessage(MsgAnswer::Ok, "Не удалось сохранить библиотеку кода");
  {
    test_files::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    click("mnuSaveCode");
  }
  EXPECT_EQ(bytesOf(homePath("Main.ocl")), library);
  EXPECT_EQ(shown().text(), QString(100000, 'x'));
  // The change is still pending: adding an item asks about it, and now the save goes through.
  m_ui.answerMessage(MsgAnswer::Yes, "Сохранить изменения?");
  click("mnuAddCode");
  EXPECT_EQ(FindCodeItem(stored(), "a"), QString(100000, 'x'));
  EXPECT_EQ(current(), "Новая вкладка");
}

TEST_F(CodeLibraryTest, AnUnreadableLibraryIsNeverOverwritten) {
  // A folder in the file's place: there, but not readable as a file.
  QDir().mkpath(homePath("Main.ocl/keep"));
  m_settings->setFlag(platform::Setting::CodeLibrary, true);
  start().show();
  EXPECT_TRUE(items().isEmpty());
  click("mnuAddCode");
  shown().setText("text");
  m_ui.answerMessage(MsgAnswer::Ok, "не сохранена");
  click("mnuSaveCode");
  EXPECT_TRUE(QFileInfo(homePath("Main.ocl/keep")).isDir());
}

TEST_F(CodeLibraryTest, TheFileKeepsItsEncodingAndWidensOnlyWhenItMust) {
  // Written by hand in Windows-1251: ">>Код", "текст".
  startWith(cp1251::encode(u">>Код\r\nтекст\r\n"));
  ASSERT_EQ(items(), QStringList({"Код"}));
  choose("Код");
  EXPECT_EQ(shown().text(), "текст");
  shown().setText("текст, правка");
  click("mnuSaveCode");
  EXPECT_EQ(bytesOf(homePath("Main.ocl")), cp1251::encode(u">>Код\r\nтекст, правка\r\n"));
  // A character Windows-1251 lacks turns the file into UTF-8 rather than into "?".
  shown().setText("галочка ✓");
  click("mnuSaveCode");
  EXPECT_EQ(bytesOf(homePath("Main.ocl")), QString(">>Код\r\nгалочка ✓\r\n").toUtf8());
  click("mnuCodeLib");
  click("mnuCodeLib");
  choose("Код");
  EXPECT_EQ(shown().text(), "галочка ✓");
}

TEST_F(CodeLibraryTest, ItemsOfTheSameNameKeepTheirOwnTexts) {
  startWith(">>x\r\none\r\n>>x\r\ntwo\r\n");
  list().setCurrentRow(1);
  EXPECT_EQ(shown().text(), "two");
  shown().setText("two, edited");
  click("mnuSaveCode");
  EXPECT_EQ(stored(), (QList<CodeEntry>{{"x", "one"}, {"x", "two, edited"}}));
  list().setCurrentRow(0);
  EXPECT_EQ(shown().text(), "one");
}

}  // namespace
}  // namespace automation
