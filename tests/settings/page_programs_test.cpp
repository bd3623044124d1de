// The page "Программы": the browser paths with the preview item of the other browser, and the
// program list kept in step with "Programs.lst" and the menu.
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "automation/programs.h"
#include "platform/caption_marks.h"
#include "platform/cp1251.h"
#include "platform/ui.h"
#include "settings/settings_page_fixture.h"
#include "settings/settings_pages.h"
#include "support/url_catcher.h"

namespace settings {
namespace {

class ProgramsPageTest : public SettingsPageTest {
 protected:
  void startWith(const QByteArray& programs) {
    writeFile("Programs.lst", programs);
    start();
  }
  QString programLine() {
    auto* label = control<QLabel>("lblProgram");
    return label ? label->text() : QString("<missing>");
  }
  QStringList menuCaptions() {
    QStringList captions;
    for (QAction* item : m_window->commands().array("mnuProgram")->items())
      captions << item->text();
    return captions.mid(1);
  }
  // The window "Программа" answered with these fields and OK.
  void answerProgramWindow(const QString& name, const QString& path) {
    m_ui.answerModal([name, path](QDialog& dialog) {
      dialog.findChild<QLineEdit*>("txtName")->setText(name);
      dialog.findChild<QLineEdit*>("txtPath")->setText(path);
      dialog.findChild<QPushButton*>("cmdOK")->click();
      return dialog.result();
    });
  }
};

TEST_F(ProgramsPageTest, TheProgramMenusSetUpItemOpensThePageOnTheListReadAfresh) {
  startWith("sort -r|$infile|$outfile>Сортировка\r\n");
  // Changed behind the program's back: the page reads the file when it opens.
  writeFile("Programs.lst", "sort -r|$infile|$outfile>Сортировка\r\nrev|$infile>Наоборот\r\n");
  click("mnuSetPrograms");
  ASSERT_NE(settingsWindow(), nullptr);
  EXPECT_EQ(settingsWindow()->currentPage(), kProgramsPage);
  EXPECT_EQ(setting("LastSI"), "6");
  EXPECT_TRUE(shownOnPage("frmPrograms", kProgramsPage));
  EXPECT_FALSE(shownOnPage("fraPaths", kProgramsPage));
  EXPECT_EQ(items("lstProgs"), QStringList({"Сортировка", "Наоборот"}));
  EXPECT_EQ(menuCaptions(), QStringList({"Сортировка", "Наоборот"}));

  // Nothing chosen: only "Добавить" can act.
  EXPECT_EQ(programLine(), "");
  for (const char* name : {"cmdChangeProgram", "cmdRemoveProgram", "cmdRunProgram"})
    EXPECT_FALSE(enabled(name)) << name;
  EXPECT_TRUE(enabled("cmdAddProgram"));
  choose("lstProgs", 1);
  EXPECT_EQ(programLine(), "rev|$infile");
  EXPECT_TRUE(platform::HasDataCaption(*control<QLabel>("lblProgram")));
  for (const char* name : {"cmdChangeProgram", "cmdRemoveProgram", "cmdRunProgram"})
    EXPECT_TRUE(enabled(name)) << name;

  press("optPrograms0");
  EXPECT_TRUE(shownOnPage("fraPaths", kProgramsPage));
  EXPECT_FALSE(shownOnPage("frmPrograms", kProgramsPage));
}

TEST_F(ProgramsPageTest, AddChangeAndRemoveReachTheFileTheMenuAndTheList) {
  startWith("cp|$infile|$outfile>Копия\r\n");
  click("mnuSetPrograms");

  answerProgramWindow("Верхний", "tr a-z A-Z|$infile|$outfile");
  press("cmdAddProgram");
  EXPECT_EQ(items("lstProgs"), QStringList({"Копия", "Верхний"}));
  EXPECT_EQ(currentRow("lstProgs"), 1);
  EXPECT_EQ(programLine(), "tr a-z A-Z|$infile|$outfile");
  EXPECT_EQ(menuCaptions(), QStringList({"Копия", "Верхний"}));

  choose("lstProgs", 0);
  m_ui.answerModal([](QDialog& dialog) {
    // The chosen entry is what the window shows.
    EXPECT_EQ(dialog.findChild<QLineEdit*>("txtName")->text(), "Копия");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("txtPath")->text(), "cp|$infile|$outfile");
    dialog.findChild<QLineEdit*>("txtName")->setText("Копия файла");
    dialog.findChild<QPushButton*>("cmdOK")->click();
    return dialog.result();
  });
  press("cmdChangeProgram");
  EXPECT_EQ(items("lstProgs"), QStringList({"Копия файла", "Верхний"}));
  EXPECT_EQ(currentRow("lstProgs"), 0);
  EXPECT_EQ(menuCaptions(), QStringList({"Копия файла", "Верхний"}));

  // A cancelled window changes nothing and keeps the choice.
  m_ui.answerModal([](QDialog&) { return int(QDialog::Rejected); });
  press("cmdChangeProgram");
  EXPECT_EQ(items("lstProgs"), QStringList({"Копия файла", "Верхний"}));
  EXPECT_EQ(currentRow("lstProgs"), 0);

  // Removing moves the next entry into the chosen place.
  press("cmdRemoveProgram");
  EXPECT_EQ(items("lstProgs"), QStringList({"Верхний"}));
  EXPECT_EQ(currentRow("lstProgs"), 0);
  EXPECT_EQ(programLine(), "tr a-z A-Z|$infile|$outfile");
  EXPECT_EQ(menuCaptions(), QStringList({"Верхний"}));
  EXPECT_EQ(bytesOf("Programs.lst"),
            cp1251::encode(QStringLiteral("tr a-z A-Z|$infile|$outfile>Верхний\r\n")));
  press("cmdRemoveProgram");
  EXPECT_TRUE(items("lstProgs").isEmpty());
  EXPECT_FALSE(enabled("cmdRemoveProgram"));
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(ProgramsPageTest, RunHandsTheChosenLineToTheDesktopAndTheLogOptionIsStored) {
  const QString notes = writeFile("notes.txt", "x");
  startWith((notes + ">Заметки\r\n").toUtf8());
  click("mnuSetPrograms");
  testing_support::UrlCatcher catcher;
  choose("lstProgs", 0);
  press("cmdRunProgram");
  ASSERT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(catcher.urls[0].toLocalFile(), notes);

  auto* log = control<QAbstractButton>("chkProgramsLOG");
  ASSERT_NE(log, nullptr);
  EXPECT_TRUE(log->isChecked());  // logging is on unless switched off
  log->click();
  EXPECT_EQ(setting("BlockToLog"), "0");
  log->click();
  EXPECT_EQ(setting("BlockToLog"), "1");
}

TEST_F(ProgramsPageTest, BrowserPathsAreStoredAsTheyAreTypedOrChosen) {
  start();
  m_settings->set(platform::Setting::LastDir, homePath());
  settings::OpenSettings(*m_window, kProgramsPage);
  press("optPrograms0");
  auto* ie = control<QLineEdit>("txtIEDir");
  ASSERT_NE(ie, nullptr);
  EXPECT_EQ(ie->text(), "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");

  struct Row {
    const char* field;
    const char* button;
    const char* value;
  };
  const Row rows[] = {{"txtIEDir", "cmdIEBrowse", "Internet Explorer"},
                      {"txtOperaDir", "cmdOperaBrowse", "Opera"},
                      {"txtNetscapeDir", "cmdNetscapeBrowse", "NetScape"},
                      {"txtOtherDir", "cmdOtherBrowse", "MyBrowserDir"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.field);
    const QString chosen = QStringLiteral("/opt/browsers/") + row.value;
    m_ui.answerOpenFile(chosen);
    press(row.button);
    EXPECT_EQ(control<QLineEdit>(row.field)->text(), chosen);
    EXPECT_EQ(setting(row.value), chosen);
    ASSERT_FALSE(m_ui.fileRequests.isEmpty());
    const platform::FileRequest& request = m_ui.fileRequests.last();
    EXPECT_EQ(request.title, "Обзор");
    EXPECT_EQ(request.initialDir, homePath());
    // The Windows filter first, then one that shows programs without an extension.
    const QStringList filters = platform::NameFilters(request.filter);
    ASSERT_EQ(filters.size(), 2);
    EXPECT_TRUE(filters[0].contains("*.exe *.com"));
    EXPECT_TRUE(filters[1].endsWith("(*)"));
  }
  // A cancelled dialog keeps what was there.
  m_ui.answerOpenFile(QString());
  press("cmdIEBrowse");
  EXPECT_EQ(setting("Internet Explorer"), "/opt/browsers/Internet Explorer");

  auto* ieField = control<QLineEdit>("txtIEDir");
  ieField->clear();
  QTest::keyClicks(ieField, "/usr/bin/ie");
  EXPECT_EQ(setting("Internet Explorer"), "/usr/bin/ie");
}

TEST_F(ProgramsPageTest, TheOtherBrowsersNameIsTheCaptionOfItsPreviewItem) {
  start();
  QAction* other = m_window->commands().action("mnuOther");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->text(), "Другой");
  settings::OpenSettings(*m_window, kProgramsPage);
  auto* name = control<QLineEdit>("txtOtherName");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text(), "Другой");
  name->clear();
  QTest::keyClicks(name, "Lynx");
  EXPECT_EQ(setting("MyBrowserName"), "Lynx");
  EXPECT_EQ(other->text(), "Lynx");
  // A name, not a text of the program: no language file translates it.
  EXPECT_TRUE(platform::HasDataCaption(*other));
}

}  // namespace
}  // namespace settings
