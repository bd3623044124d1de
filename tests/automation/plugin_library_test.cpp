// Loading single plug-in libraries with every check a foreign library needs.
#include "automation/plugin_library.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPluginLoader>
#include <QTemporaryDir>

#include "automation/plugin_fixture.h"

namespace automation {
namespace {

void touch(const QString& path, const QByteArray& bytes = "x") {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(PluginLibraries, AreTheSharedLibrariesOfTheFolderInNameOrder) {
  QTemporaryDir dir;
  for (const char* name : {"zeta.so", "alpha.so", "readme.txt", "libmid.so.1", "notes.so.txt"})
    touch(dir.filePath(name));
  QDir(dir.path()).mkdir("folder.so");
  QStringList names;
  for (const QString& path : PluginLibraries(dir.path())) names << QFileInfo(path).fileName();
  EXPECT_EQ(names, QStringList({"alpha.so", "libmid.so.1", "zeta.so"}));
  EXPECT_TRUE(PluginLibraries(dir.filePath("missing")).isEmpty());
}

TEST(LoadPluginLibrary, AcceptsOnlyWorkingPluginsOfThisInterfaceVersion) {
  QTemporaryDir dir;
  touch(dir.filePath("garbage.so"), "not an ELF file");
  struct Case {
    QString path;
    QString id;  // "" when refused
    bool showme;
    QString problem;  // part of the reason when refused
  } cases[] = {
      {BuiltPlugin("sort_lines.so"), "Сортировка строк", true, ""},
      {BuiltPlugin("insert_uuid.so"), "Вставить UUID", true, ""},
      {BuiltPlugin("hidden.so"), "Скрытый", false, ""},
      {BuiltPlugin("throwing.so"), "Сбойный", true, ""},
      {BuiltPlugin("outdated.so"), "", false, "«org.ostrel.Plugin/0»"},
      {BuiltPlugin("faulty.so"), "", false, "ошибка в плагине: исключение неизвестного вида"},
      {dir.filePath("garbage.so"), "", false, "garbage.so"},
      {dir.filePath("missing.so"), "", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    const PluginLoad load = LoadPluginLibrary(c.path);
    if (c.id.isEmpty()) {
      EXPECT_EQ(load.plugin, nullptr);
      EXPECT_FALSE(load.problem.isEmpty());
      EXPECT_TRUE(load.problem.contains(c.problem)) << load.problem.toStdString();
      continue;
    }
    ASSERT_NE(load.plugin, nullptr) << load.problem.toStdString();
    EXPECT_EQ(load.plugin->id(), c.id);
    EXPECT_EQ(load.plugin->showme(), c.showme);
    EXPECT_EQ(load.plugin->path(), c.path);
    EXPECT_EQ(load.plugin->fileName(), QFileInfo(c.path).fileName());
  }
}

TEST(LoadPluginLibrary, RefusesAnotherVersionBeforeAnyOfItsCodeRuns) {
  const QString outdated = BuiltPlugin("outdated.so");
  ASSERT_EQ(LoadPluginLibrary(outdated).plugin, nullptr);
  EXPECT_FALSE(QPluginLoader(outdated).isLoaded()) << "read from the file, never loaded";
}

TEST(WithCrLf, MakesEveryLineEndCrLf) {
  struct {
    QString in;
    QString expect;
  } cases[] = {
      {"", ""},
      {"a", "a"},
      {"a\r\nb", "a\r\nb"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb", "a\r\nb"},
      {"\r\r\n\n", "\r\n\r\n\r\n"},
      {"x\n\ry", "x\r\n\r\ny"},
      {QString(100000, u'я') + "\n", QString(100000, u'я') + "\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in.left(20).toStdString());
    EXPECT_EQ(WithCrLf(c.in), c.expect);
  }
}

}  // namespace
}  // namespace automation
