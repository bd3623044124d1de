// Installing a plug-in library into the folder "Plugins": copied once, never onto itself, never
// over a different file without the user's word, and loaded at once without Init.
#include <QTemporaryDir>

#include "automation/plugin_fixture.h"
#include "platform/settings_values.h"

namespace automation {
namespace {

using PluginInstallTest = PluginWindowTest;

// A library outside the program folder, named `as`, with the bytes of built library `name`.
QString outside(QTemporaryDir& dir, const QString& name, const QString& as) {
  const QString path = dir.filePath(as);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(FileBytes(BuiltPlugin(name)));
  return path;
}

TEST_F(PluginInstallTest, ALibraryIsCopiedAndLoadedWithoutInit) {
  startWith({});
  EXPECT_FALSE(QFileInfo::exists(homePath("Plugins"))) << "no folder before the first install";
  QTemporaryDir downloads;
  ASSERT_TRUE(m_plugins->install(outside(downloads, "hidden.so", "hidden.so")));
  ASSERT_TRUE(m_plugins->install(outside(downloads, "sort_lines.so", "sort_lines.so")));
  EXPECT_EQ(FileBytes(homePath("Plugins/sort_lines.so")), FileBytes(BuiltPlugin("sort_lines.so")));
  EXPECT_EQ(m_plugins->ids(), QStringList({"Скрытый", "Сортировка строк"}));
  EXPECT_EQ(menuCaptions(), QStringList({"", "Сортировка строк"}));
  setText("", {});
  m_plugins->run(1);
  EXPECT_EQ(editor().text(), "[slot 0, settings 0, init -, path , text 0, sel ]");
}

TEST_F(PluginInstallTest, ALibraryAlreadyInTheFolderIsLoadedNotCopiedOntoItself) {
  startWith({});
  put("sort_lines.so");
  const QByteArray bytes = FileBytes(homePath("Plugins/sort_lines.so"));
  ASSERT_TRUE(m_plugins->install(homePath("Plugins/sort_lines.so")));
  EXPECT_EQ(FileBytes(homePath("Plugins/sort_lines.so")), bytes) << "a copy onto itself empties it";
  EXPECT_EQ(m_plugins->ids(), QStringList({"Сортировка строк"}));
  // The same library from elsewhere: nothing to ask, nothing to copy.
  QTemporaryDir downloads;
  ASSERT_TRUE(m_plugins->install(outside(downloads, "sort_lines.so", "sort_lines.so")));
  EXPECT_EQ(m_plugins->count(), 1);
}

TEST_F(PluginInstallTest, ADifferentFileOfTheSameNameIsReplacedOnlyWhenTheUserSaysSo) {
  startWith({"sort_lines.so"});
  const QByteArray old = FileBytes(homePath("Plugins/sort_lines.so"));
  QTemporaryDir downloads;
  const QString other = outside(downloads, "insert_uuid.so", "sort_lines.so");

  m_ui.answerMessage(platform::MsgAnswer::No, "уже есть другой файл «sort_lines.so»");
  EXPECT_FALSE(m_plugins->install(other));
  EXPECT_EQ(FileBytes(homePath("Plugins/sort_lines.so")), old);

  // The old code stays mapped while the program runs, and the user is told so.
  m_ui.answerMessage(platform::MsgAnswer::Yes, "после перезапуска программы");
  EXPECT_TRUE(m_plugins->install(other));
  EXPECT_EQ(FileBytes(homePath("Plugins/sort_lines.so")), FileBytes(other));
  EXPECT_EQ(m_ui.messages.last().buttons, platform::MsgButtons::YesNo);
}

TEST_F(PluginInstallTest, WhatIsNoLibraryIsRefused) {
  startWith({"sort_lines.so"});
  QTemporaryDir downloads;
  const QString text = downloads.filePath("plugin.txt");
  ASSERT_TRUE(QFile(text).open(QIODevice::WriteOnly));
  m_ui.answerMessage(platform::MsgAnswer::Ok, "«plugin.txt» не библиотека плагина")
      .answerMessage(platform::MsgAnswer::Ok, "не найден");
  EXPECT_FALSE(m_plugins->install(text));
  EXPECT_FALSE(m_plugins->install(downloads.filePath("gone.so")));
  EXPECT_FALSE(QFileInfo::exists(homePath("Plugins/plugin.txt")));
  EXPECT_EQ(m_plugins->count(), 1);
}

TEST_F(PluginInstallTest, TheDialogStartsInLastDirOrElseThePluginFolder) {
  startWith({});
  QTemporaryDir downloads;
  const QString library = outside(downloads, "insert_uuid.so", "insert_uuid.so");
  m_ui.answerOpenFile(library).answerOpenFile(QString());
  EXPECT_TRUE(m_plugins->installWithDialog());
  m_settings->set(platform::Setting::LastDir, downloads.path());
  EXPECT_FALSE(m_plugins->installWithDialog()) << "cancelled";
  ASSERT_EQ(m_ui.fileRequests.size(), 2);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Инсталляция плагина");
  EXPECT_EQ(m_ui.fileRequests[0].initialDir, m_plugins->folder());
  EXPECT_EQ(m_ui.fileRequests[1].initialDir, downloads.path());
  EXPECT_EQ(m_plugins->ids(), QStringList({"Вставить UUID"}));
}

}  // namespace
}  // namespace automation
