// The plug-in page with real plug-in libraries: the list of loaded plug-ins and what its
// buttons do to the selected one, switching support off and on, installing and reloading.
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>

#include "automation/plugin_fixture.h"
#include "settings/opened_page_fixture.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;

class PluginsPageTest : public OpenedPageTest {
 protected:
  void put(const QString& name) {
    writeFile("Plugins/" + name, automation::FileBytes(automation::BuiltPlugin(name)));
  }
  bool enabled(const char* name) { return control<QWidget>(name).isEnabled(); }
  void doubleClick(int row) {
    QListWidget& list = control<QListWidget>("lstPlugins");
    const QRect place = list.visualItemRect(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, place.center());
  }
  bool menuShown() { return m_window->commands().menu("mnuPlugins")->menuAction()->isVisible(); }
  platform::EditControl& editor() { return m_window->txtMain(); }
};

TEST_F(PluginsPageTest, ButtonsActOnTheSelectedPlugin) {
  put("hidden.so");
  put("sort_lines.so");
  start();
  openOn(kPluginsPage);
  // Every plug-in, the one without a menu item too, in slot order.
  EXPECT_EQ(entries("lstPlugins"), QStringList({"Скрытый", "Сортировка строк"}));
  for (const char* name : {"cmdExecutePlugin", "cmdPlugSettings", "cmdAboutPlugin"})
    EXPECT_FALSE(enabled(name)) << name << " with nothing selected";

  select("lstPlugins", 1);
  EXPECT_TRUE(enabled("cmdExecutePlugin"));
  EXPECT_TRUE(enabled("cmdAboutPlugin"));
  EXPECT_FALSE(enabled("cmdPlugSettings")) << "the example has no settings window";
  editor().setText("b\r\na");
  editor().setSelection({0, 0, 1, 1});
  press("cmdExecutePlugin");
  EXPECT_EQ(editor().text(), "a\r\nb");

  select("lstPlugins", 0);
  EXPECT_TRUE(enabled("cmdPlugSettings"));
  press("cmdPlugSettings");
  // The plug-in tells in its result how often its settings window was opened.
  editor().setText("x");
  editor().setSelection({0, 0, 0, 1});
  doubleClick(0);
  EXPECT_TRUE(editor().text().startsWith("[slot 1, settings 1,")) << editor().text().toStdString();
  EXPECT_EQ(m_window->commands().action("mnuLastPlugin")->text(), "Скрытый");

  m_ui.answerMessage(platform::MsgAnswer::Ok);
  press("cmdAboutPlugin");
  ASSERT_EQ(m_ui.messages.size(), 1);
  EXPECT_EQ(m_ui.messages[0].text,
            "Название плагина: Скрытый\r\n\r\nОписание: Проверочный плагин\r\n\r\nФайл: hidden.so");
  EXPECT_EQ(m_ui.messages[0].buttons, platform::MsgButtons::Ok);
}

TEST_F(PluginsPageTest, SupportSwitchedOnLoadsTheFolderWithoutInit) {
  put("hidden.so");
  m_settings->set(Setting::EnablePlugins, "0");
  start();
  openOn(kPluginsPage);
  EXPECT_FALSE(control<QCheckBox>("chkUsePlugins").isChecked());
  EXPECT_FALSE(enabled("lstPlugins"));
  EXPECT_TRUE(entries("lstPlugins").isEmpty());
  EXPECT_FALSE(menuShown());

  press("chkUsePlugins");
  EXPECT_EQ(setting("EnablePlugins"), "1");
  EXPECT_TRUE(menuShown());
  EXPECT_TRUE(enabled("lstPlugins"));
  EXPECT_TRUE(enabled("cmdRefreshPlugin"));
  EXPECT_EQ(entries("lstPlugins"), QStringList({"Скрытый"}));
  editor().setText("x");
  doubleClick(0);
  // Init (which tells the plug-in its slot) is for the start-up load only.
  EXPECT_TRUE(editor().text().contains("[slot 0,")) << editor().text().toStdString();

  press("chkUsePlugins");
  EXPECT_EQ(setting("EnablePlugins"), "0");
  EXPECT_FALSE(menuShown());
  EXPECT_FALSE(enabled("lstPlugins"));
  EXPECT_FALSE(enabled("cmdInstallPlugin"));
}

TEST_F(PluginsPageTest, InstallAndRefreshShowWhatTheFolderHoldsNow) {
  start();
  openOn(kPluginsPage);
  EXPECT_TRUE(entries("lstPlugins").isEmpty());

  m_ui.answerOpenFile(automation::BuiltPlugin("insert_uuid.so"));
  press("cmdInstallPlugin");
  ASSERT_EQ(m_ui.fileRequests.size(), 1);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Инсталляция плагина");
  EXPECT_TRUE(QFile::exists(homePath("Plugins/insert_uuid.so")));
  EXPECT_EQ(entries("lstPlugins"), QStringList({"Вставить UUID"}));

  // A library dropped into the folder shows after "Обновить"; one that fails is reported and
  // passed over, and the selection made before is gone with the old list.
  put("sort_lines.so");
  put("faulty.so");
  select("lstPlugins", 0);
  EXPECT_EQ(entries("lstPlugins"), QStringList({"Вставить UUID"}));
  m_ui.answerMessage(platform::MsgAnswer::Ok, "faulty.so");
  press("cmdRefreshPlugin");
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(entries("lstPlugins"), QStringList({"Вставить UUID", "Сортировка строк"}));
  EXPECT_FALSE(enabled("cmdExecutePlugin"));
  EXPECT_FALSE(enabled("cmdAboutPlugin"));
}

}  // namespace
}  // namespace settings
