// Interface languages on the real main window and its windows: each kind of control takes its
// key, missing keys keep captions, Russian comes back at once, and the stored choice follows
// the file by name.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "languages/languages.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "support/main_window_fixture.h"

namespace {

using testing_support::MainWindowTest;

const QByteArray kTestLanguage =
    "; a test language\r\n"
    "[Menu]\r\n"
    "mnuFile=&File\r\n"
    "mnuHyperLink=Hyperlink\r\n"
    "mnuHighLight=Every scheme\r\n"
    "[CommandButton]\r\n"
    "cmdClose=Close\r\n"
    "[CheckBox]\r\n"
    "chkMatchCase=Match &case\r\n"
    "[OptionButton]\r\n"
    "optUp=&Up\r\n"
    "[Frame]\r\n"
    "fraDirection=Direction\r\n"
    "[Label]\r\n"
    "lblFind=Fi&nd:\r\n"
    "lblCodeLib=Code library\r\n"
    "[frmFind]\r\n"
    "Form Caption=Find\r\n"
    "[frmConvert]\r\n"
    "Form Caption=Convert\r\n"
    "[frmStat]\r\n"
    "Form Caption=Statistics\r\n"
    "[Misc]\r\n"
    "HighLightNone=Plain text\r\n"
    "DoNotUse=Do not use\r\n";

class LanguagesTest : public MainWindowTest {
 protected:
  QString text(const char* name) { return m_window->commands().action(name)->text(); }
  QDialog* findDialog() {
    click("mnuSearch");
    return m_window->findChild<QDialog*>("frmFind");
  }
  template <class T>
  QString captionIn(QWidget* window, const char* name) {
    auto* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    if constexpr (std::is_same_v<T, QGroupBox>) return control ? control->title() : QString();
    else return control ? control->text() : QString();
  }
  void choose(int index) {
    m_window->commands().array("mnuLang")->item(index)->trigger();
  }
};

TEST_F(LanguagesTest, EachKindOfControlTakesItsKeyAndRussianComesBackAtOnce) {
  writeFile("Languages/Test.lng", kTestLanguage);
  start();
  QDialog* find = findDialog();
  ASSERT_NE(find, nullptr);
  const QString russianTitle = find->windowTitle();
  const QString russianCase = captionIn<QCheckBox>(find, "chkMatchCase");
  const QString highlightItem = m_window->commands().array("mnuHighLight")->item(1)->text();

  ASSERT_EQ(m_window->commands().array("mnuLang")->count(), 2);
  EXPECT_EQ(m_window->commands().array("mnuLang")->item(1)->text(), "Test");
  choose(1);

  EXPECT_EQ(text("mnuFile"), "&File");
  EXPECT_EQ(text("mnuEdit"), "&Правка") << "a key the file lacks keeps the caption";
  EXPECT_EQ(text("mnuHyperLink"), "Hyperlink\tCtrl+Shift+L") << "the key text stays after the Tab";
  EXPECT_EQ(m_window->commands().array("mnuHighLight")->item(0)->text(), "Plain text");
  EXPECT_EQ(m_window->commands().array("mnuHighLight")->item(1)->text(), highlightItem)
      << "a scheme's name is not a caption of the program";
  EXPECT_EQ(m_window->commands().array("mnuSpecialTemplate")->item(0)->text(), "Do not use");
  EXPECT_EQ(m_window->commands().array("mnuLang")->item(0)->text(), "Русский");
  EXPECT_EQ(find->windowTitle(), "Find");
  EXPECT_EQ(captionIn<QCheckBox>(find, "chkMatchCase"), "Match &case");
  EXPECT_EQ(captionIn<QRadioButton>(find, "optUp"), "&Up");
  EXPECT_EQ(captionIn<QGroupBox>(find, "fraDirection"), "Direction");
  EXPECT_EQ(captionIn<QLabel>(find, "lblFind"), "Fi&nd:");
  EXPECT_EQ(captionIn<QPushButton>(find, "cmdClose"), "Close");
  EXPECT_EQ(setting("Language"), "1");
  EXPECT_EQ(setting("LanguageName"), "Test");
  EXPECT_TRUE(m_window->commands().array("mnuLang")->item(1)->isChecked());
  EXPECT_FALSE(m_window->commands().array("mnuLang")->item(0)->isChecked());

  choose(0);
  EXPECT_EQ(text("mnuFile"), "&Файл");
  EXPECT_EQ(text("mnuHyperLink"), "Гиперссылка\tCtrl+Shift+L");
  EXPECT_EQ(m_window->commands().array("mnuHighLight")->item(0)->text(), "Простой текст");
  EXPECT_EQ(m_window->commands().array("mnuSpecialTemplate")->item(0)->text(), "Не использовать");
  EXPECT_EQ(find->windowTitle(), russianTitle);
  EXPECT_EQ(captionIn<QCheckBox>(find, "chkMatchCase"), russianCase);
  EXPECT_EQ(captionIn<QGroupBox>(find, "fraDirection"), "Направление");
  EXPECT_EQ(setting("Language"), "0");
  EXPECT_EQ(setting("LanguageName"), "Русский");
}

TEST_F(LanguagesTest, WindowsOpenedLaterSpeakTheChosenLanguageAndKeepTheirData) {
  writeFile("Languages/Test.lng", kTestLanguage);
  m_settings->set(platform::Setting::LanguageName, "Test");
  writeFile("notes.txt", "раз два\r\n");
  start(homePath("notes.txt"));
  EXPECT_EQ(text("mnuFile"), "&File") << "the stored language applies at start-up";

  click("mnuConvert");
  auto* convert = m_window->findChild<QDialog*>("frmConvert");
  ASSERT_NE(convert, nullptr);
  EXPECT_EQ(convert->windowTitle(), "Convert");
  EXPECT_EQ(captionIn<QPushButton>(convert, "cmdClose"), "Close");

  // A title made of a caption and the document's name keeps the name.
  QString statTitle;
  m_ui.answerModal([&](QDialog& dialog) {
    statTitle = dialog.windowTitle();
    return int(QDialog::Accepted);
  });
  click("mnuStat");
  EXPECT_EQ(statTitle, "Statistics notes.txt");
  EXPECT_TRUE(m_ui.allAnswered());

  // A side panel is made when it is first shown, long after the language was applied.
  m_window->show();
  click("mnuCodeLib");
  auto* panel = m_window->findChild<QWidget*>("frmCodeLib");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(captionIn<QLabel>(panel, "lblCodeLib"), "Code library");

  // The main window's title names the document whatever the language.
  EXPECT_TRUE(m_window->windowTitle().contains("notes.txt"));
}

TEST_F(LanguagesTest, CaptionsTheProgramChangesAreNotTakenBackByALaterLanguage) {
  writeFile("Languages/Test.lng", "[Menu]\r\nmnuOther=Other\r\nmnuFile=&File\r\n");
  m_settings->set(platform::Setting::MyBrowserName, "Мой броузер");
  start();
  choose(1);
  choose(0);
  EXPECT_EQ(text("mnuOther"), "Мой броузер") << "the browser's name is data, not a caption";
  // A caption the program sets after a translation is what a return to Russian keeps.
  m_window->commands().action("mnuFile")->setText("Файл (изменён)");
  choose(1);
  EXPECT_EQ(text("mnuFile"), "&File");
  choose(0);
  EXPECT_EQ(text("mnuFile"), "Файл (изменён)");
}

struct StoredChoice {
  const char* name;
  const char* index;
  const char* languageName;
  bool english;  // whether "English" is what start-up applies
};

TEST_F(LanguagesTest, TheStoredChoiceFollowsTheFileByName) {
  // Files in name order: Deutsch (1), English (2).
  const StoredChoice cases[] = {
      {"by name even when the index moved", "1", "English", true},
      {"a name whose file is gone falls back to Russian", "2", "Français", false},
      {"an index past the list falls back to Russian", "7", "", false},
      {"an index without a name still works", "2", "", true},
      {"a broken number falls back to Russian", "x", "", false},
  };
  for (const StoredChoice& c : cases) {
    SCOPED_TRACE(c.name);
    m_window.reset();
    writeFile("Languages/Deutsch.lng", "[Menu]\r\nmnuFile=&Datei\r\n");
    writeFile("Languages/English.lng", "[Menu]\r\nmnuFile=&File\r\n");
    m_settings->set(platform::Setting::Language, c.index);
    m_settings->set(platform::Setting::LanguageName, c.languageName);
    start();
    EXPECT_EQ(text("mnuFile"), c.english ? "&File" : "&Файл");
    const auto* items = m_window->commands().array("mnuLang");
    EXPECT_EQ(items->item(c.english ? 2 : 0)->isChecked(), true);
  }
}

TEST_F(LanguagesTest, SwitchingTwiceLeavesNoTraceAndAnEmptyFileChangesNothing) {
  writeFile("Languages/Empty.lng", "");
  writeFile("Languages/Test.lng", kTestLanguage);
  start();
  QStringList before;
  for (QAction* item : m_window->commands().allActions()) before << item->text();
  choose(2);
  choose(1);  // Empty: every caption the other file set goes back
  QStringList after;
  for (QAction* item : m_window->commands().allActions()) after << item->text();
  EXPECT_EQ(after, before);
  choose(2);
  choose(2);
  EXPECT_EQ(text("mnuHyperLink"), "Hyperlink\tCtrl+Shift+L");
}

}  // namespace

namespace {

TEST_F(LanguagesTest, QtsOwnDialogsFollowTheChosenLanguage) {
  writeFile("Languages/English.lng", "[Misc]\r\nQtLanguage=en\r\n");
  start();
  const auto cancelText = [] {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
  };
  const QString russian = cancelText();
  EXPECT_EQ(russian, "Отмена");
  choose(1);
  EXPECT_EQ(cancelText(), "Cancel");
  choose(0);
  EXPECT_EQ(cancelText(), russian);
}

}  // namespace
