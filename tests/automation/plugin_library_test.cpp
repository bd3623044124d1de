// Loading single plug-in libraries with every check a foreign library needs.
#include "automation/plugin_library.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
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
  const QString qtModule =
      QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/imageformats/libqgif.so";
  struct Case {
    QString path;
    QString id;  // "" when refused
    bool showme;
    PluginProblem kind;
    QString problem;  // part of the reason when refused
  } cases[] = {
      {BuiltPlugin("sort_lines.so"), "Сортировка строк", true, PluginProblem::None, ""},
      {BuiltPlugin("insert_uuid.so"), "Вставить UUID", true, PluginProblem::None, ""},
      {BuiltPlugin("hidden.so"), "Скрытый", false, PluginProblem::None, ""},
      {BuiltPlugin("throwing.so"), "Сбойный", true, PluginProblem::None, ""},
      {BuiltPlugin("outdated.so"), "", false, PluginProblem::OtherVersion,
       "собран для другой версии интерфейса плагинов: «org.ostrel.Plugin/0», а программе нужен "
       "«org.ostrel.Plugin/1»"},
      {BuiltPlugin("faulty.so"), "", false, PluginProblem::RegistrationFailed,
       "регистрация не удалась: исключение неизвестного вида"},
      {dir.filePath("garbage.so"), "", false, PluginProblem::NotAPlugin,
       "не библиотека плагина: "},
      {dir.filePath("missing.so"), "", false, PluginProblem::NotAPlugin,
       "не библиотека плагина"},
      {qtModule, "", false, PluginProblem::NotAPlugin, "не библиотека плагина: в ней модуль Qt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    if (!QFileInfo::exists(c.path) && !c.path.endsWith("missing.so")) continue;
    const PluginLoad load = LoadPluginLibrary(c.path);
    EXPECT_EQ(load.kind, c.kind);
    if (c.id.isEmpty()) {
      EXPECT_EQ(load.plugin, nullptr);
      EXPECT_TRUE(load.problem.startsWith(c.problem)) << load.problem.toStdString();
      continue;
    }
    ASSERT_NE(load.plugin, nullptr) << load.problem.toStdString();
    EXPECT_EQ(load.plugin->id(), c.id);
    EXPECT_EQ(load.plugin->showme(), c.showme);
    EXPECT_EQ(load.plugin->path(), c.path);
    EXPECT_EQ(load.plugin->fileName(), QFileInfo(c.path).fileName());
  }
}

// Anyone could have put code of their own into a library every user may write to.
TEST(LoadPluginLibrary, RefusesALibraryAnyUserMayChangeBeforeReadingIt) {
  QTemporaryDir dir;
  const QString open = dir.filePath("open.so");
  touch(open, FileBytes(BuiltPlugin("hidden.so")));
  struct {
    QFileDevice::Permissions mode;
    PluginProblem kind;
  } cases[] = {
      {QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
           QFileDevice::ReadOther,
       PluginProblem::None},
      {QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
           QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther,
       PluginProblem::OpenToAll},
  };
  // The refused case first: a library once loaded stays mapped whatever its mode then.
  for (const auto& c : {cases[1], cases[0]}) {
    SCOPED_TRACE(int(c.kind));
    ASSERT_TRUE(QFile::setPermissions(open, c.mode));
    const PluginLoad load = LoadPluginLibrary(open);
    EXPECT_EQ(load.kind, c.kind) << load.problem.toStdString();
    EXPECT_EQ(load.plugin != nullptr, c.kind == PluginProblem::None);
    if (c.kind == PluginProblem::OpenToAll) {
      EXPECT_EQ(load.problem, "отказано: файл может изменить любой пользователь: права 0666");
      EXPECT_FALSE(QPluginLoader(open).isLoaded()) << "never loaded";
    }
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
