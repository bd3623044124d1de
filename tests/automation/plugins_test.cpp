// The menu "П&лагины" with real plug-in libraries: the menu built from the folder, runs on the
// selection as one undo step, "Последний", hidden plug-ins, and libraries that fail.
#include <QCoreApplication>
#include <QMenu>
#include <QRegularExpression>

#include "automation/plugin_fixture.h"
#include "platform/caption_marks.h"
#include "platform/settings_values.h"

namespace automation {
namespace {

using PluginsMenuTest = PluginWindowTest;

const QRegularExpression kUuid(
    QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$"));

TEST_F(PluginsMenuTest, TheExamplesAreMenuItemsThatWorkOnTheSelection) {
  startWith({"sort_lines.so", "insert_uuid.so"});
  // Name order: insert_uuid.so before sort_lines.so.
  EXPECT_EQ(m_plugins->ids(), QStringList({"Вставить UUID", "Сортировка строк"}));
  EXPECT_EQ(menuCaptions(), QStringList({"", "Вставить UUID", "Сортировка строк"}));

  // Whole lines selected, the last line break with them: it stays at the end.
  const QString text = "b\r\nC\r\na\r\nz";
  setText(text, {0, 0, 3, 0});
  clickItem(2);
  EXPECT_EQ(editor().text(), "a\r\nb\r\nC\r\nz");
  // Written during the run, shown after the result is in place.
  EXPECT_EQ(status(), "Отсортировано строк: 3");
  editor().undo();
  EXPECT_EQ(editor().text(), text) << "one undo step";

  // A UUID replaces the selection, or goes in at the caret.
  setText("id=x;", {0, 3, 0, 4});
  clickItem(1);
  const QString line = editor().text();
  ASSERT_TRUE(line.startsWith("id=") && line.endsWith(";")) << line.toStdString();
  EXPECT_TRUE(kUuid.match(line.mid(3, line.size() - 4)).hasMatch()) << line.toStdString();
  setText("ab", {0, 1, 0, 1});
  clickItem(1);
  EXPECT_EQ(editor().text().size(), 2 + 36);
  EXPECT_TRUE(editor().text().startsWith("a") && editor().text().endsWith("b"));
  editor().undo();
  EXPECT_EQ(editor().text(), "ab");
}

TEST_F(PluginsMenuTest, AHiddenPluginIsListedWithoutAMenuItem) {
  const QString document = writeFile("doc.txt", "");
  startWith({"hidden.so", "sort_lines.so"}, document);
  EXPECT_EQ(m_plugins->ids(), QStringList({"Скрытый", "Сортировка строк"}));
  EXPECT_EQ(menuCaptions(), QStringList({"", "Сортировка строк"}));
  // The one item runs slot 2, the plug-in it names, not the hidden one in slot 1.
  setText("y\r\nx", {0, 0, 1, 1});
  clickItem(1);
  EXPECT_EQ(editor().text(), "x\r\ny");
  EXPECT_EQ(m_plugins->LastPlug(), 2);

  // The hidden one runs from the settings. Start-up gave it its slot, before the file named on
  // the command line was open.
  setText("abc", {0, 1, 0, 2});
  EXPECT_TRUE(m_plugins->run(1));
  EXPECT_EQ(editor().text(), "a[slot 1, settings 0, init , path " + document + ", text 3, sel b]c");
  // An empty result deletes the selection.
  setText("xудалитьy", {0, 1, 0, 8});
  EXPECT_TRUE(m_plugins->run(1));
  EXPECT_EQ(editor().text(), "xy");
  EXPECT_FALSE(m_plugins->run(0)) << "slot 0 is always empty";
  EXPECT_FALSE(m_plugins->run(3));
}

TEST_F(PluginsMenuTest, OnlyTheStartUpLoadInitialisesAndAReloadGivesNewObjects) {
  startWith({"hidden.so"});
  EXPECT_TRUE(m_plugins->hasSettings(1));
  EXPECT_TRUE(m_plugins->showSettings(1));
  setText("", {});
  m_plugins->run(1);
  EXPECT_EQ(editor().text(), "[slot 1, settings 1, init , path , text 0, sel ]");

  m_plugins->load(false);
  ASSERT_EQ(m_plugins->count(), 1);
  setText("", {});
  m_plugins->run(1);
  // A fresh object: no Init (slot 0, no path seen), and the settings count starts again.
  EXPECT_EQ(editor().text(), "[slot 0, settings 0, init -, path , text 0, sel ]");
}

TEST_F(PluginsMenuTest, LastRunsTheLastPluginUnderItsId) {
  startWith({"hidden.so", "sort_lines.so"});
  EXPECT_FALSE(last().isEnabled()) << "nothing has run yet";
  EXPECT_EQ(shell::CaptionWithoutShortcut(last().text()), "Последний");

  setText("b\r\na", {0, 0, 1, 1});
  clickItem(1);
  EXPECT_TRUE(last().isEnabled());
  EXPECT_EQ(shell::CaptionWithoutShortcut(last().text()), "Сортировка строк");
  EXPECT_TRUE(platform::HasDataCaption(last())) << "a language must not rename it";
  setText("d\r\nc", {0, 0, 1, 1});
  click("mnuLastPlugin");
  EXPECT_EQ(editor().text(), "c\r\nd");

  // A library that now sorts first moves the sorter to slot 3; "Последний" goes with it.
  put("insert_uuid.so");
  m_plugins->load(false);
  EXPECT_EQ(m_plugins->LastPlug(), 3);
  setText("f\r\ne", {0, 0, 1, 1});
  click("mnuLastPlugin");
  EXPECT_EQ(editor().text(), "e\r\nf");

  // Its library gone, it has nothing to run.
  ASSERT_TRUE(QFile::remove(homePath("Plugins/sort_lines.so")));
  m_plugins->load(false);
  EXPECT_EQ(m_plugins->LastPlug(), 0);
  EXPECT_FALSE(last().isEnabled());
}

TEST_F(PluginsMenuTest, BrokenLibrariesArePassedOverAndLoadingGoesOn) {
  writeFile("Plugins/broken.so", "not a library at all");
  writeFile("Plugins/readme.txt", "not a library either, and not reported");
  put("faulty.so");
  put("outdated.so");
  startWith({"sort_lines.so"});
  EXPECT_TRUE(m_ui.messages.isEmpty()) << "nothing is said before the window shows";
  QStringList broken;
  for (const BrokenPlugin& b : m_plugins->broken()) broken << QFileInfo(b.path).fileName();
  EXPECT_EQ(broken, QStringList({"broken.so", "faulty.so", "outdated.so"}));
  EXPECT_EQ(m_plugins->ids(), QStringList({"Сортировка строк"}));
  EXPECT_EQ(menuCaptions(), QStringList({"", "Сортировка строк"}));
  setText("2\r\n1", {0, 0, 1, 1});
  clickItem(1);
  EXPECT_EQ(editor().text(), "1\r\n2");
}

TEST_F(PluginsMenuTest, APluginFailingInInitTakesNoSlot) {
  qputenv("OSTREL_FAULTY_PLUGIN", "Init");
  startWith({"faulty.so", "hidden.so"});
  qunsetenv("OSTREL_FAULTY_PLUGIN");
  ASSERT_EQ(m_plugins->broken().size(), 1u);
  EXPECT_EQ(m_plugins->broken()[0].problem,
            "регистрация не удалась: инициализация не удалась");
  EXPECT_EQ(m_plugins->ids(), QStringList({"Скрытый"}));
  setText("", {});
  m_plugins->run(1);
  EXPECT_EQ(editor().text(), "[slot 1, settings 0, init , path , text 0, sel ]");
}

TEST_F(PluginsMenuTest, APluginThatThrowsLeavesTheTextAsItWas) {
  startWith({"throwing.so"});
  ASSERT_EQ(menuCaptions(), QStringList({"", "Сбойный"}));
  const platform::SelRange selection{0, 2, 1, 1};
  setText("abc\r\ndef", selection);
  const QString statusBefore = status();
  ASSERT_FALSE(statusBefore.contains("работает"));
  m_ui.answerMessage(platform::MsgAnswer::Ok, "отказ диска");
  clickItem(1);
  EXPECT_EQ(editor().text(), "abc\r\ndef");
  EXPECT_EQ(editor().selection(), selection);
  // It wrote "работает Сбойный" and failed: it runs no more, and the status bar is as before.
  EXPECT_EQ(status(), statusBefore);
  // The user chose it: "Последний" repeats it.
  EXPECT_EQ(shell::CaptionWithoutShortcut(last().text()), "Сбойный");

  m_ui.answerMessage(platform::MsgAnswer::Ok, "окно настроек не открылось");
  EXPECT_FALSE(m_plugins->showSettings(1));
  EXPECT_TRUE(m_plugins->about(1).contains("описание потеряно"));
}

TEST_F(PluginsMenuTest, TheAboutTextNamesIdDescriptionAndFile) {
  startWith({"sort_lines.so"});
  const QString about = m_plugins->about(1);
  EXPECT_TRUE(about.startsWith("Название плагина: Сортировка строк\r\n\r\nОписание: Сортирует "))
      << about.toStdString();
  EXPECT_TRUE(about.endsWith(".\r\n\r\nФайл: sort_lines.so")) << about.toStdString();
  EXPECT_FALSE(m_plugins->hasSettings(1));
  EXPECT_EQ(m_plugins->about(2), "");
}

TEST_F(PluginsMenuTest, WithPluginsOffNoLibraryIsTouched) {
  m_settings->set(platform::Setting::EnablePlugins, "0");
  // A broken library would be listed, and reported once the window shows, were it touched.
  writeFile("Plugins/broken.so", "not a library");
  startWith({"sort_lines.so"});
  m_window->show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(m_plugins->broken().empty());
  EXPECT_EQ(m_plugins->count(), 0);
  EXPECT_EQ(menuCaptions(), QStringList({""}));
  EXPECT_FALSE(m_window->commands().menu("mnuPlugins")->menuAction()->isVisible());
  EXPECT_FALSE(last().isEnabled());
}

}  // namespace
}  // namespace automation
