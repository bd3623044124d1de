// The menu "&Программы" and the functions the settings page uses: the list file and the menu
// kept in step, the window "Программа", the plain launch and "Показать LOG".
#include <QLineEdit>
#include <QPushButton>

#include "automation/frm_program.h"
#include "automation/program_fixture.h"
#include "document/document.h"
#include "platform/cp1251.h"
#include "support/url_catcher.h"

namespace automation {
namespace {

using ProgramsMenuTest = ProgramWindowTest;

void type(QDialog& dialog, const char* field, const QString& text) {
  auto* edit = dialog.findChild<QLineEdit*>(field);
  ASSERT_NE(edit, nullptr) << field;
  edit->setText(text);
}

void press(QDialog& dialog, const char* name) {
  auto* button = dialog.findChild<QPushButton*>(name);
  ASSERT_NE(button, nullptr) << name;
  button->click();
}

QString fieldOf(QDialog& dialog, const char* field) {
  auto* edit = dialog.findChild<QLineEdit*>(field);
  return edit ? edit->text() : QString("<missing>");
}

TEST_F(ProgramsMenuTest, TheListBecomesTheMenuAtStart) {
  startWith({"sort -r|$infile|$outfile>Сортировка", "Только название", "a>b|$infile>Сравнить"});
  EXPECT_EQ(menuCaptions(), QStringList({"", "Сортировка", "Только название", "Сравнить"}));
  EXPECT_EQ(m_programs->entries().value(1), (ProgramEntry{"Только название", ""}));
  EXPECT_EQ(m_programs->entries().value(2), (ProgramEntry{"Сравнить", "a>b|$infile"}));
  // An entry without a program says so and leaves the text alone.
  setText("abc");
  m_ui.answerMessage(platform::MsgAnswer::Ok, "не указано");
  m_window->commands().array("mnuProgram")->item(2)->trigger();
  EXPECT_EQ(m_window->txtMain().text(), "abc");
}

TEST_F(ProgramsMenuTest, ChangesGoToTheFileAndTheMenuAtOnce) {
  startWith({"cp|$infile|$outfile>Копия"});
  const auto stored = [this] {
    QFile file(homePath("Programs.lst"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  ASSERT_TRUE(m_programs->add({"Верхний", filter("upper") + "|$infile|$outfile"}));
  ASSERT_TRUE(m_programs->change(0, {"Копия файла", "cp|$infile|$outfile"}));
  EXPECT_EQ(menuCaptions(), QStringList({"", "Копия файла", "Верхний"}));
  // A caption with ">" would come back as another caption: refused, nothing written.
  const QByteArray before = stored();
  m_ui.answerMessage(platform::MsgAnswer::Ok, "«>»").answerMessage(platform::MsgAnswer::Ok, "«>»");
  EXPECT_FALSE(m_programs->add({"a>b", "sort"}));
  EXPECT_FALSE(m_programs->change(1, {"x>y", "sort"}));
  EXPECT_EQ(stored(), before);
  ASSERT_TRUE(m_programs->remove(0));
  EXPECT_EQ(menuCaptions(), QStringList({"", "Верхний"}));
  // A list file is Windows-1251 while every character fits.
  EXPECT_EQ(stored(), cp1251::encode(filter("upper") + "|$infile|$outfile>Верхний\r\n"));
  // The menu item now runs the entry that moved up.
  setText("abc");
  m_window->commands().array("mnuProgram")->item(1)->trigger();
  EXPECT_EQ(m_window->txtMain().text(), "ABC");
}

TEST_F(ProgramsMenuTest, TheProgramWindowCreatesAndEditsEntries) {
  startWith({"cp|$infile|$outfile>Копия"});
  m_settings->set(platform::Setting::LastDir, homePath("start"));
  // New entry: the browse button fills the path (quoted, it has a space) and the empty name.
  m_ui.answerModal([this](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Программа");
    EXPECT_EQ(static_cast<FrmProgram&>(dialog).mode(), FrmProgram::kNew);
    EXPECT_EQ(fieldOf(dialog, "txtName"), "");
    m_ui.answerOpenFile("/opt/my tools/tidy");
    press(dialog, "cmdBrowse");
    EXPECT_EQ(fieldOf(dialog, "txtName"), "tidy");
    type(dialog, "txtPath", fieldOf(dialog, "txtPath") + "|$infile|$outfile");
    // A caption with ">" keeps the window open with a message.
    type(dialog, "txtName", "tidy > html");
    m_ui.answerMessage(platform::MsgAnswer::Ok, "«>»");
    press(dialog, "cmdOK");
    EXPECT_EQ(dialog.result(), 0);
    type(dialog, "txtName", "Tidy");
    press(dialog, "cmdOK");
    return dialog.result();
  });
  ASSERT_TRUE(m_programs->addWithDialog());
  ASSERT_EQ(m_ui.fileRequests.size(), 1);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Выбор программы");
  EXPECT_EQ(m_ui.fileRequests[0].initialDir, homePath("start"));
  EXPECT_EQ(setting("Last Dir"), "/opt/my tools");
  EXPECT_EQ(m_programs->entries().value(1),
            (ProgramEntry{"Tidy", "\"/opt/my tools/tidy\"|$infile|$outfile"}));
  EXPECT_EQ(menuCaptions(), QStringList({"", "Копия", "Tidy"}));

  // Editing shows the entry; a name already there is not replaced by a browsed file's name.
  m_ui.answerModal([this](QDialog& dialog) {
    EXPECT_EQ(static_cast<FrmProgram&>(dialog).mode(), FrmProgram::kEdit);
    EXPECT_EQ(fieldOf(dialog, "txtName"), "Копия");
    EXPECT_EQ(fieldOf(dialog, "txtPath"), "cp|$infile|$outfile");
    m_ui.answerOpenFile("/usr/bin/rev");
    press(dialog, "cmdBrowse");
    EXPECT_EQ(fieldOf(dialog, "txtName"), "Копия");
    EXPECT_EQ(fieldOf(dialog, "txtPath"), "/usr/bin/rev");
    press(dialog, "cmdOK");
    return dialog.result();
  });
  ASSERT_TRUE(m_programs->changeWithDialog(0));
  EXPECT_EQ(m_programs->entries().value(0), (ProgramEntry{"Копия", "/usr/bin/rev"}));
}

TEST_F(ProgramsMenuTest, LaunchHandsTheLineToTheDesktop) {
  const QString target = writeFile("notes.txt", "x");
  startWith({target + ">Заметки"});
  testing_support::UrlCatcher catcher;
  ASSERT_TRUE(m_programs->launch(0));
  ASSERT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(catcher.urls[0].toLocalFile(), target);
  EXPECT_FALSE(m_programs->launch(1));
}

TEST_F(ProgramsMenuTest, ShowLogOpensTheLogAsADocument) {
  startWith({"cp|$infile|$outfile>Копия"});
  m_ui.answerMessage(platform::MsgAnswer::Ok, "ещё не создан");
  click("mnuViewLog");
  EXPECT_TRUE(m_window->document().isUntitled());
  setText("abc");
  m_window->commands().array("mnuProgram")->item(1)->trigger();
  // The run's result was put into the untitled text: say no to saving it.
  m_ui.answerMessage(platform::MsgAnswer::No);
  click("mnuViewLog");
  EXPECT_EQ(m_window->document().path(), homePath("Program.log"));
  EXPECT_TRUE(m_window->txtMain().text().contains("программой Копия\r\n"));
  EXPECT_FALSE(m_window->document().Dirty());
}

}  // namespace
}  // namespace automation
