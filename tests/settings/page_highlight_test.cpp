// The highlight page: colour items edited into "Colors.ini" and onto the editor, only the parts
// the editor paints, the scheme list following every place that chooses a scheme, installing
// definition files, and options that act at once.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "document/open_file.h"
#include "highlight/highlighter.h"
#include "platform/edit_control.h"
#include "platform/ini_file.h"
#include "settings/opened_page_fixture.h"
#include "shell/menu_array.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;
using highlight::ColourItem;

constexpr const char* kRules =
    "[MainSettings]\r\nextensions=*.rul\r\n\r\n[group1]\r\nесли то\r\n\r\n[group2]\r\n+\r\n";

constexpr int kComments = 5;

class HighLightPageTest : public OpenedPageTest {
 protected:
  highlight::HighLighter& lighter() { return *highlight::HighLighterOf(*m_window); }
  const highlight::ItemLook& applied(ColourItem item) { return lighter().colours()[item]; }

  void clickPreview(const char* name) {
    QLabel& label = control<QLabel>(name);
    QTest::mouseClick(&label, Qt::LeftButton, {}, label.rect().center());
  }
  QColor textOf(const char* name) {
    return control<QLabel>(name).palette().color(QPalette::WindowText);
  }
  QColor paperOf(const char* name) {
    return control<QLabel>(name).palette().color(QPalette::Window);
  }
  QString stored(const char* section, const char* key) {
    return platform::IniFile(homePath("Colors.ini")).read(section, key, "<missing>");
  }
  QByteArray colorsFile() {
    QFile file(homePath("Colors.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QStringList keyWords() {
    QStringList words;
    auto* list = m_window->findChild<QListWidget*>("lstKeyWords");
    for (int i = 0; i < list->count(); ++i) words << list->item(i)->text();
    return words;
  }
};

TEST_F(HighLightPageTest, ChosenColoursAndStyleAreStoredAndRepaintTheEditor) {
  writeFile("Colors.ini", "; my scheme\r\n[Color]\r\nStrings=255\r\n");
  start();
  openOn(kHighLightPage);
  ASSERT_EQ(entries("lstColors").size(), 16);
  EXPECT_EQ(entries("lstColors")[kComments], "Комментарии");

  // An item the file lacks shows what the editor paints it with, not black on white.
  select("lstColors", kComments);
  EXPECT_EQ(textOf("lblFontColor"), QColor(0, 0x7F, 0));  // 32512
  EXPECT_EQ(paperOf("lblHLBG"), QColor(Qt::white));
  EXPECT_EQ(control<QComboBox>("cmbFontStyle").currentIndex(), 0);

  m_ui.answerColour(QColor(0, 0, 255));
  clickPreview("lblFontColor");
  ASSERT_EQ(m_ui.colourRequests.size(), 1);
  EXPECT_EQ(m_ui.colourRequests[0], QColor(0, 0x7F, 0));  // the dialog starts from it
  EXPECT_EQ(stored("Color", "Comments"), "16711680");
  EXPECT_EQ(textOf("lblFontColor"), QColor(0, 0, 255));
  EXPECT_EQ(applied(ColourItem::Comment).fore, QColor(0, 0, 255));

  m_ui.answerColour(QColor(255, 255, 0));
  clickPreview("lblHLBG");
  EXPECT_EQ(stored("BackColor", "Comments"), "65535");
  EXPECT_EQ(paperOf("lblHLBG"), QColor(255, 255, 0));
  EXPECT_EQ(applied(ColourItem::Comment).back, QColor(255, 255, 0));

  // A cancelled dialog changes nothing.
  const QByteArray before = colorsFile();
  m_ui.answerColour(std::nullopt);
  clickPreview("lblFontColor");
  EXPECT_EQ(colorsFile(), before);

  choose("cmbFontStyle", 3);
  EXPECT_EQ(stored("FontStyle", "Comments"), "3");
  EXPECT_EQ(applied(ColourItem::Comment).fontStyle, 3);
  EXPECT_TRUE(control<QLabel>("lblFontColor").font().bold());
  EXPECT_TRUE(control<QLabel>("lblFontColor").font().italic());

  // The rest of the file stays as the user wrote it.
  EXPECT_TRUE(colorsFile().startsWith("; my scheme\r\n"));
  EXPECT_EQ(stored("Color", "Strings"), "255");
}

TEST_F(HighLightPageTest, OnlyThePartsTheEditorPaintsCanBeChanged) {
  start();
  openOn(kHighLightPage);
  struct Row {
    int item;
    bool fore, back, style;
  } rows[] = {
      {0, true, true, true},      // Текст
      {1, false, true, false},    // Текущая строка
      {2, false, true, false},    // Задний фон
      {3, true, false, false},    // Gutter
      {7, false, false, false},   // BreakPoint: nothing shows it
      {12, false, false, false},  // Группа4
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.item);
    select("lstColors", row.item);
    EXPECT_EQ(control<QLabel>("lblFontColor").isEnabled(), row.fore);
    EXPECT_EQ(control<QLabel>("lblHLBG").isEnabled(), row.back);
    EXPECT_EQ(control<QComboBox>("cmbFontStyle").isEnabled(), row.style);
  }
  // A click on a part that is off asks nothing (the scripted user would fail on a question)
  // and writes nothing.
  select("lstColors", 7);
  clickPreview("lblFontColor");
  clickPreview("lblHLBG");
  EXPECT_FALSE(QFile::exists(homePath("Colors.ini")));
}

TEST_F(HighLightPageTest, AColourThatCannotBeWrittenIsReported) {
  // A folder where the file should be: no write can succeed.
  ASSERT_TRUE(QDir(homePath()).mkdir("Colors.ini"));
  start();
  openOn(kHighLightPage);
  select("lstColors", kComments);
  m_ui.answerColour(QColor(0, 0, 255));
  m_ui.answerMessage(platform::MsgAnswer::Ok, "Не удалось записать цвета");
  clickPreview("lblFontColor");
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(applied(ColourItem::Comment).fore, QColor(0, 0x7F, 0));
  EXPECT_EQ(textOf("lblFontColor"), QColor(0, 0x7F, 0));
}

TEST_F(HighLightPageTest, SchemeListFollowsEveryPlaceThatChoosesAScheme) {
  writeFile("Syntax/rules.ohf", kRules);
  const QString pas = writeFile("unit.pas", "begin end.");
  shell::FrmMain& w = start();
  openOn(kHighLightPage);
  EXPECT_EQ(entries("cmbHighLight"),
            QStringList({"Простой текст", "HTML", "Visual Basic", "Pascal", "C/C++", "SQL", "Java",
                         "XML", "CSS", "Подсветка для rules"}));
  auto& schemes = control<QComboBox>("cmbHighLight");
  EXPECT_EQ(schemes.currentIndex(), 0);

  choose("cmbHighLight", 9);
  EXPECT_EQ(setting("HighLight"), " 9");
  EXPECT_EQ(lighter().current(), 9);
  EXPECT_TRUE(w.commands().array("mnuHighLight")->item(9)->isChecked());

  w.commands().array("mnuHighLight")->item(4)->trigger();
  EXPECT_EQ(schemes.currentIndex(), 4);

  EXPECT_TRUE(control<QCheckBox>("chkSynAutoDetect").isChecked()) << "on while nothing is stored";
  press("chkSynAutoDetect");
  EXPECT_EQ(setting("SynAutoDetect"), "0");
  press("chkSynAutoDetect");
  EXPECT_EQ(setting("SynAutoDetect"), "1");
  ASSERT_TRUE(document::LFile(w, pas));
  EXPECT_EQ(schemes.currentIndex(), 3);
}

TEST_F(HighLightPageTest, InstallCopiesTheDefinitionAndListsItsScheme) {
  const QString outside = writeFile("downloads/rules.ohf", kRules);
  shell::FrmMain& w = start();
  openOn(kHighLightPage);
  EXPECT_FALSE(control<QPushButton>("cmdRemoveHL").isEnabled());

  m_ui.answerOpenFile(outside);
  press("cmdAddHL");
  ASSERT_EQ(m_ui.fileRequests.size(), 1);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Добавление подсветки");
  EXPECT_EQ(m_ui.fileRequests[0].filter, "Модули подсветки Ostrel XP(*.ohf)|*.ohf");
  EXPECT_EQ(QDir::cleanPath(m_ui.fileRequests[0].initialDir), QDir::cleanPath(homePath("Syntax")));
  EXPECT_TRUE(QFile::exists(homePath("Syntax/rules.ohf")));
  EXPECT_EQ(entries("cmbHighLight").size(), 10);
  EXPECT_EQ(entries("cmbHighLight").last(), "Подсветка для rules");
  EXPECT_EQ(w.commands().array("mnuHighLight")->count(), 10);

  // The copy itself can't be installed over itself; the user is told and nothing is added.
  m_ui.answerOpenFile(homePath("Syntax/rules.ohf"));
  m_ui.answerMessage(platform::MsgAnswer::Ok, "уже лежит");
  press("cmdAddHL");
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(entries("cmbHighLight").size(), 10);
}

TEST_F(HighLightPageTest, KeywordCaseAndSchemeWordsFollowTheirBoxAtOnce) {
  writeFile("Autocomplete.lst", "alpha, beta");
  m_settings->set(Setting::HighLight, " 1");
  shell::FrmMain& w = start();
  openOn(kHighLightPage);

  press("chkSynAutoCase");
  EXPECT_EQ(setting("SyntaxAutoCase"), "1");
  EXPECT_TRUE(w.txtMain().keywordCaseCorrection());
  press("chkSynAutoCase");
  EXPECT_EQ(setting("SyntaxAutoCase"), "0");
  EXPECT_FALSE(w.txtMain().keywordCaseCorrection());

  // Stored under its own key, and the list takes the HTML words at once...
  EXPECT_EQ(keyWords(), QStringList({"alpha", "beta"}));
  press("chkAddToAutoComplete");
  EXPECT_EQ(m_settings->get(Setting::AddToAutoComplete), "1");
  EXPECT_EQ(setting("AddToAutoComplete"), "<missing>");
  EXPECT_TRUE(keyWords().contains("body"));
  EXPECT_FALSE(keyWords().contains("alpha"));
  // ...and gives them back for the user's own words.
  press("chkAddToAutoComplete");
  EXPECT_EQ(m_settings->get(Setting::AddToAutoComplete), "0");
  EXPECT_EQ(keyWords(), QStringList({"alpha", "beta"}));
}

}  // namespace
}  // namespace settings
