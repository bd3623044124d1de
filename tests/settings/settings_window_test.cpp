// The settings window on the real main window: its pages, the page remembered, values written
// the moment a control changes and applied to the editor at once, numbers that can't be
// stored out of range, and the indexed captions that come from a language file.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "platform/edit_control.h"
#include "settings/frm_settings.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"
#include "support/main_window_fixture.h"

namespace {

using testing_support::MainWindowTest;
using settings::FrmSettings;

class SettingsWindowTest : public MainWindowTest {
 protected:
  FrmSettings& open() {
    click("mnuSettings");
    FrmSettings* window = settings::FindSettings(*m_window);
    EXPECT_NE(window, nullptr);
    return *window;
  }
  template <class T>
  T& control(FrmSettings& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  // Types into a number field and leaves it, as the user does.
  void type(QSpinBox& field, const QString& text) {
    field.selectAll();
    QTest::keyClicks(&field, text);
    QTest::keyClick(&field, Qt::Key_Enter);
  }
};

TEST_F(SettingsWindowTest, OpensOnThePageShownLastAndRemembersTheChoice) {
  m_settings->set(platform::Setting::LastSI, "11");
  start();
  FrmSettings& window = open();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Настройки"));
  EXPECT_FALSE(window.isModal());
  EXPECT_EQ(window.findChildren<QGroupBox*>(QRegularExpression("^Frame\\d+$")).size(), 12);
  EXPECT_EQ(window.currentPage(), settings::kKeysPage);
  EXPECT_TRUE(control<QRadioButton>(window, "optOption11").isChecked());
  EXPECT_TRUE(window.frame(settings::kKeysPage).isVisibleTo(&window));
  EXPECT_FALSE(window.frame(settings::kMainPage).isVisibleTo(&window));

  control<QRadioButton>(window, "optOption2").click();
  EXPECT_EQ(window.currentPage(), settings::kEditorPage);
  EXPECT_EQ(setting("LastSI"), "2");

  // A set-up item of another menu opens the same window on its own page.
  click("mnuSetPrograms");
  EXPECT_EQ(settings::FindSettings(*m_window), &window);
  EXPECT_EQ(window.currentPage(), settings::kProgramsPage);
  EXPECT_TRUE(control<QRadioButton>(window, "optOption6").isChecked());
}

TEST_F(SettingsWindowTest, AHandEditedPageNumberOpensTheFirstPage) {
  m_settings->set(platform::Setting::LastSI, "12");
  start();
  EXPECT_EQ(open().currentPage(), settings::kMainPage);
}

TEST_F(SettingsWindowTest, AClosedWindowIsMadeAfreshWithTheValuesOfNow) {
  start();
  FrmSettings* first = &open();
  first->close();
  m_settings->set(platform::Setting::TabSize, "8");
  FrmSettings& second = open();
  EXPECT_EQ(control<QSpinBox>(second, "txtTabSize").value(), 8);
}

TEST_F(SettingsWindowTest, EditorOptionsAreWrittenAndAppliedAtOnce) {
  start();
  FrmSettings& window = open();
  platform::EditControl& editor = m_window->txtMain();

  type(control<QSpinBox>(window, "txtTabSize"), "7");
  EXPECT_EQ(setting("TabSize"), "7");
  EXPECT_EQ(editor.tabSize(), 7);

  struct Box {
    const char* name;
    const char* value;
    std::function<bool()> shown;
  };
  const Box boxes[] = {
      {"chkWhiteSpace", "DisplayWhiteSpaces", [&] { return editor.whiteSpaceVisible(); }},
      {"chkShowGutter", "ShowGutter", [&] { return editor.leftMarginVisible(); }},
      {"chkNumberStrings", "NumberStrings", [&] { return editor.lineNumbersVisible(); }},
      {"chkHLCurrentLine", "HighLightCurrentLine",
       [&] { return editor.highlightedLine() >= 0; }},
  };
  for (const Box& box : boxes) {
    QCheckBox& check = control<QCheckBox>(window, box.name);
    const bool before = check.isChecked();
    EXPECT_EQ(box.shown(), before) << box.name;
    check.click();
    EXPECT_EQ(setting(box.value), before ? "0" : "1") << box.name;
    EXPECT_EQ(box.shown(), !before) << box.name;
  }

  QComboBox& mode = control<QComboBox>(window, "cmbTextMode");
  EXPECT_EQ(mode.currentIndex(), 0);
  mode.activated(1);
  EXPECT_EQ(setting("TextMode"), "1");
  EXPECT_FALSE(editor.windowsLineEnds());

  control<QCheckBox>(window, "chkEscape").click();
  EXPECT_EQ(setting("ExitOnEscape"), "1");
  EXPECT_TRUE(m_window->findChild<QAction*>("cmdEscape")->isEnabled());

  QLineEdit& date = control<QLineEdit>(window, "TextTDFormat");
  date.clear();
  QTest::keyClicks(&date, "dd.mm.yyyy");
  EXPECT_EQ(setting("DateFormat"), "dd.mm.yyyy");
}

TEST_F(SettingsWindowTest, NumbersAreStoredOnlyWhenCompleteAndInRange) {
  m_settings->set(platform::Setting::TabSize, "900");  // a hand-edited value
  m_settings->set(platform::Setting::OpenedLimit, "abc");
  start();
  FrmSettings& window = open();
  QSpinBox& tab = control<QSpinBox>(window, "txtTabSize");
  EXPECT_EQ(tab.value(), 4);  // what the editor uses for it
  EXPECT_EQ(control<QSpinBox>(window, "txtOpenedFilesCount").value(), 10);

  // Typing "12" stores 12, never the "1" on the way.
  tab.selectAll();
  QTest::keyClicks(&tab, "12");
  EXPECT_EQ(setting("TabSize"), "900");
  QTest::keyClick(&tab, Qt::Key_Enter);
  EXPECT_EQ(setting("TabSize"), "12");

  // A tab size of 0 or a number past the range can't be typed at all.
  type(tab, "0");
  type(tab, "999");
  EXPECT_GE(tab.value(), 1);
  EXPECT_LE(tab.value(), 64);
  EXPECT_EQ(m_window->txtMain().tabSize(), tab.value());
  EXPECT_EQ(setting("TabSize"), QString::number(tab.value()));
}

TEST_F(SettingsWindowTest, TimedSaveBoxesShowTheirIntervalOnlyWhenOn) {
  m_settings->set(platform::Setting::AutoSave, "1");
  m_settings->set(platform::Setting::AutoSaveTime, "5");
  start();
  FrmSettings& window = open();
  window.showPage(settings::kMainPage);
  QSpinBox& minutes = control<QSpinBox>(window, "txtAutoSave");
  EXPECT_TRUE(minutes.isVisibleTo(&window));
  EXPECT_EQ(minutes.value(), 5);
  control<QCheckBox>(window, "chkAutoSave").click();
  EXPECT_EQ(setting("AutoSave"), "0");
  EXPECT_FALSE(minutes.isVisibleTo(&window));
  EXPECT_FALSE(control<QLabel>(window, "lblSaveEvery").isVisibleTo(&window));
  // The running timer keeps running until the next start.
  EXPECT_NE(m_window->findChild<QTimer*>("tmrAutoSave"), nullptr);
  EXPECT_TRUE(m_window->findChild<QTimer*>("tmrAutoSave")->isActive());

  EXPECT_FALSE(control<QSpinBox>(window, "txtAutoBackUp").isVisibleTo(&window));
  control<QCheckBox>(window, "chkAutoBackUp").click();
  EXPECT_EQ(setting("AutoBackUp"), "1");
  EXPECT_TRUE(control<QSpinBox>(window, "txtAutoBackUp").isVisibleTo(&window));

  EXPECT_FALSE(control<QLineEdit>(window, "txtSoundFile").isVisibleTo(&window));
  control<QCheckBox>(window, "chkPlaySound").click();
  EXPECT_EQ(setting("PlayWave"), "1");
  m_ui.answerOpenFile(homePath("click.wav"));
  control<QPushButton>(window, "cmdBrowseForSoundFile").click();
  EXPECT_EQ(setting("WaveFile"), homePath("click.wav"));
  EXPECT_EQ(control<QLineEdit>(window, "txtSoundFile").text(), homePath("click.wav"));
}

TEST_F(SettingsWindowTest, ClearingTheHistoryLeavesOneEmptyLine) {
  writeFile("Opened.lst", "/tmp/a.txt\r\n/tmp/b.txt\r\n");
  start();
  FrmSettings& window = open();
  control<QPushButton>(window, "cmdClearHistory").click();
  QFile list(homePath("Opened.lst"));
  ASSERT_TRUE(list.open(QIODevice::ReadOnly));
  EXPECT_EQ(list.readAll().trimmed(), QByteArray());
}

TEST_F(SettingsWindowTest, TheOtherSavingCodePageIsStoredAsSixAndOffersItsButton) {
  start();
  FrmSettings& window = open();
  window.showPage(settings::kCodePagesPage);
  QComboBox& list = control<QComboBox>(window, "cmbSaveCodir");
  QPushButton& other = control<QPushButton>(window, "cmdSetSaveCodir");
  EXPECT_FALSE(list.isVisibleTo(&window));
  control<QRadioButton>(window, "optSave1").click();
  EXPECT_EQ(setting("SaveCodir"), "1");
  EXPECT_TRUE(list.isVisibleTo(&window));
  EXPECT_FALSE(other.isVisibleTo(&window));
  list.setCurrentIndex(5);
  list.activated(5);
  EXPECT_EQ(setting("SaveInCodir"), "6");
  EXPECT_TRUE(other.isVisibleTo(&window));
  m_ui.answerMessage(platform::MsgAnswer::Ok, QStringLiteral("Функция на доработке"));
  other.click();
  EXPECT_TRUE(m_ui.allAnswered());
  list.setCurrentIndex(3);
  list.activated(3);
  EXPECT_EQ(setting("SaveInCodir"), "4");  // Macintosh
  EXPECT_FALSE(other.isVisibleTo(&window));

  window.close();
  FrmSettings& again = open();
  EXPECT_EQ(control<QComboBox>(again, "cmbSaveCodir").currentIndex(), 3);
  EXPECT_TRUE(control<QRadioButton>(again, "optSave1").isChecked());
}

TEST_F(SettingsWindowTest, FontAndNumberingApplyToTheEditor) {
  start();
  FrmSettings& window = open();
  platform::EditControl& editor = m_window->txtMain();
  type(control<QSpinBox>(window, "txtLineNumberStyle"), "16");
  EXPECT_EQ(setting("LineNumberingStyle"), "16");
  EXPECT_EQ(editor.lineNumberBase(), 16);

  QComboBox& size = control<QComboBox>(window, "cmbDefaultFontSize");
  size.setCurrentText("14");
  size.lineEdit()->editingFinished();
  EXPECT_EQ(setting("DefaultFontSize"), "14");
  EXPECT_EQ(editor.editorFont().pointSize(), 14);
  // A size the reader would refuse is never stored; the field shows the stored one again.
  size.setCurrentText("0");
  size.lineEdit()->editingFinished();
  EXPECT_EQ(setting("DefaultFontSize"), "14");
  EXPECT_EQ(size.currentText(), "14");

  QComboBox& charSet = control<QComboBox>(window, "cmbCharSet");
  charSet.activated(2);  // RUSSIAN_CHARSET
  EXPECT_EQ(setting("DefaultFontCharSet"), "2");
  EXPECT_EQ(editor.editorCharSet(), 204);
}

TEST_F(SettingsWindowTest, PageSelectorsAndFramesTakeTheirIndexedLanguageKeys) {
  writeFile("Languages/Test.lng",
            "[Misc]\r\n0=General\r\n0_f=General settings\r\n11=Keys\r\n"
            "[OptionButton]\r\noptOption0=Wrong key\r\n");
  start();
  FrmSettings& window = open();
  QComboBox& languages = control<QComboBox>(window, "cmbLanguage");
  ASSERT_EQ(languages.count(), 2);
  EXPECT_EQ(languages.itemText(0), QStringLiteral("Русский"));
  languages.activated(1);
  EXPECT_EQ(setting("Language"), "1");
  EXPECT_EQ(control<QRadioButton>(window, "optOption0").text(), "General");
  EXPECT_EQ(control<QGroupBox>(window, "Frame0").title(), "General settings");
  EXPECT_EQ(control<QRadioButton>(window, "optOption11").text(), "Keys");
  // A key the file lacks keeps the built-in caption.
  EXPECT_EQ(control<QRadioButton>(window, "optOption1").text(), QStringLiteral("Интеграция"));

  languages.activated(0);
  EXPECT_EQ(control<QRadioButton>(window, "optOption0").text(), QStringLiteral("Главные"));
  EXPECT_EQ(control<QGroupBox>(window, "Frame0").title(), QStringLiteral("Главные настройки"));
}

}  // namespace
