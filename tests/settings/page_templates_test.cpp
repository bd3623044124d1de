// The page "Шаблоны": the template list kept in step with the folder and the menu, and the
// user's macro variables read again when the window opens.
#include <QAction>
#include <QPlainTextEdit>

#include "automation/macro_runner.h"
#include "settings/settings_page_fixture.h"
#include "settings/settings_pages.h"

namespace settings {
namespace {

using platform::MsgAnswer;

class TemplatesPageTest : public SettingsPageTest {
 protected:
  QStringList menuCaptions() {
    QStringList captions;
    for (QAction* item : m_window->commands().array("mnuTemplate")->items())
      captions << item->text();
    captions.removeFirst();
    captions.sort();
    return captions;
  }
  QStringList sortedItems() {
    QStringList names = items("lstTemplates");
    names.sort();
    return names;
  }
  QString currentName() {
    auto* list = control<QListWidget>("lstTemplates");
    return list && list->currentItem() ? list->currentItem()->text() : QString();
  }
};

TEST_F(TemplatesPageTest, TheTemplateMenusSetUpItemOpensThePageOnTheTemplates) {
  writeFile("Templates/Письмо.lst", "Здравствуйте");
  writeFile("Templates/Счёт.lst", "Счёт №");
  start();
  click("mnuSetTemplates");
  ASSERT_NE(settingsWindow(), nullptr);
  EXPECT_EQ(settingsWindow()->currentPage(), kTemplatesPage);
  EXPECT_TRUE(shownOnPage("frmTemplates", kTemplatesPage));
  EXPECT_FALSE(shownOnPage("fraMacroses", kTemplatesPage));
  EXPECT_EQ(sortedItems(), QStringList({"Письмо", "Счёт"}));
  EXPECT_FALSE(enabled("cmdEditTemplate"));
  EXPECT_FALSE(enabled("cmdRemoveTemplate"));
  press("optTemplates1");
  EXPECT_TRUE(shownOnPage("fraMacroses", kTemplatesPage));
  EXPECT_FALSE(shownOnPage("frmTemplates", kTemplatesPage));
}

TEST_F(TemplatesPageTest, AddingMakesAnEmptyTemplateAndAsksBeforeEmptyingOneThatIsThere) {
  writeFile("Templates/Письмо.lst", "Здравствуйте");
  start();
  click("mnuSetTemplates");

  m_ui.answerInput(QString("Отчёт"), "Введите название");
  press("cmdAddTemplate");
  EXPECT_EQ(m_ui.inputPrompts.size(), 1);
  EXPECT_EQ(bytesOf("Templates/Отчёт.lst"), "");
  EXPECT_EQ(sortedItems(), QStringList({"Отчёт", "Письмо"}));
  EXPECT_EQ(currentName(), "Отчёт");
  EXPECT_EQ(menuCaptions(), QStringList({"Отчёт", "Письмо"}));

  // A template of that name keeps its text unless the user says to empty it.
  m_ui.answerInput(QString("Письмо")).answerMessage(MsgAnswer::No, "уже есть");
  press("cmdAddTemplate");
  EXPECT_EQ(bytesOf("Templates/Письмо.lst"), "Здравствуйте");
  m_ui.answerInput(QString("Письмо")).answerMessage(MsgAnswer::Yes, "уже есть");
  press("cmdAddTemplate");
  EXPECT_EQ(bytesOf("Templates/Письмо.lst"), "");

  // Cancelled or empty: nothing asked further, nothing made.
  m_ui.answerInput(std::nullopt);
  press("cmdAddTemplate");
  m_ui.answerInput(QString());
  press("cmdAddTemplate");
  // A name the folder could not give back is refused with the reason.
  m_ui.answerInput(QString("a.b")).answerMessage(MsgAnswer::Ok, "точку");
  press("cmdAddTemplate");
  EXPECT_FALSE(QFile::exists(homePath("Templates/a.b.lst")));
  EXPECT_EQ(sortedItems(), QStringList({"Отчёт", "Письмо"}));
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(TemplatesPageTest, EditOpensTheFileAndRemoveDeletesIt) {
  writeFile("Templates/Письмо.lst", "Здравствуйте");
  writeFile("Templates/Счёт.lst", "Счёт №");
  start();
  click("mnuSetTemplates");
  const int row = int(items("lstTemplates").indexOf("Письмо"));
  choose("lstTemplates", row);
  press("cmdEditTemplate");
  EXPECT_EQ(m_window->document().path(), homePath("Templates/Письмо.lst"));
  EXPECT_EQ(m_window->txtMain().text(), "Здравствуйте");

  press("cmdRemoveTemplate");
  EXPECT_FALSE(QFile::exists(homePath("Templates/Письмо.lst")));
  EXPECT_EQ(items("lstTemplates"), QStringList({"Счёт"}));
  EXPECT_EQ(menuCaptions(), QStringList({"Счёт"}));
  EXPECT_FALSE(enabled("cmdRemoveTemplate"));
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(TemplatesPageTest, TheUserVariablesAreReadAgainWhenTheWindowOpens) {
  writeFile("Macroses.lst", "$кто=Мир\r\n");
  start();
  automation::MacroRunner* runner = automation::MacroRunnerOf(*m_window);
  ASSERT_NE(runner, nullptr);
  EXPECT_EQ(runner->expand("$кто"), "Мир");
  writeFile("Macroses.lst", "$кто=Вася\r\n$где=дома\r\n");
  EXPECT_EQ(runner->expand("$кто"), "Мир");  // until the window opens

  click("mnuSettings");
  EXPECT_EQ(runner->expand("$кто $где"), "Вася дома");
  auto* text = control<QPlainTextEdit>("txtMacroses");
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->toPlainText(), "$кто=Вася\n$где=дома\n");

  press("cmdEditMacros");
  EXPECT_EQ(m_window->document().path(), homePath("Macroses.lst"));
  EXPECT_EQ(m_window->txtMain().text(), "$кто=Вася\r\n$где=дома\r\n");
  EXPECT_FALSE(m_window->document().Dirty());
}

TEST_F(TemplatesPageTest, EditingAMissingVariableFileMakesItEmptyToTypeInto) {
  start();
  ASSERT_FALSE(QFile::exists(homePath("Macroses.lst")));
  click("mnuSetTemplates");
  EXPECT_EQ(control<QPlainTextEdit>("txtMacroses")->toPlainText(), "");
  press("cmdEditMacros");
  EXPECT_EQ(bytesOf("Macroses.lst"), "");
  EXPECT_EQ(m_window->document().path(), homePath("Macroses.lst"));
}

}  // namespace
}  // namespace settings
