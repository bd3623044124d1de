#include "platform/app_paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/list_files_setup.h"
#include "platform/shipped_record.h"

namespace platform {
namespace {

void touch(const QString& path, const QByteArray& bytes = {}) {
  QDir().mkpath(path.section('/', 0, -2));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

TEST(AppPaths, ResolvesWithoutRegardToCase) {
  QTemporaryDir dir;
  touch(dir.path() + "/Macro/macro.ini");
  AppPaths paths(dir.path(), dir.path() + "/settings.ini");
  EXPECT_EQ(paths.file("Macro.ini"), dir.path() + "/Macro.ini") << "missing: spelled as asked";
  EXPECT_EQ(paths.file("MACRO/Macro.INI"), dir.path() + "/Macro/macro.ini");
  EXPECT_EQ(AppPaths::resolve(dir.path() + "/macro/MACRO.ini"), dir.path() + "/Macro/macro.ini");
  touch(dir.path() + "/Macro/MACRO.INI");
  EXPECT_EQ(paths.file("Macro/MACRO.INI"), dir.path() + "/Macro/MACRO.INI") << "exact spelling wins";
}

TEST(AppPaths, OstrelHomeIsTheProgramDirectory) {
  QTemporaryDir dir;
  const QString home = dir.path() + "/portable home";
  qputenv("OSTREL_HOME", home.toUtf8());
  const AppPaths paths = AppPaths::detect();
  qunsetenv("OSTREL_HOME");
  EXPECT_EQ(paths.programDir(), home);
  EXPECT_EQ(paths.settingsFile(), home + "/settings.ini");
  EXPECT_TRUE(QDir(home).exists());
  // Other users could read the recent files and the macros of a folder made with the umask.
  EXPECT_EQ(QFileInfo(home).permissions() & 0x0077, 0) << "private to its user";
}

TEST(AppPaths, AProgramInItsBuildTreeSeedsThePluginsItsBuildMade) {
  QTemporaryDir dir;
  const QString home = dir.path() + "/home";
  qputenv("OSTREL_HOME", home.toUtf8());
  AppPaths::detect();
  qunsetenv("OSTREL_HOME");
  // The shipped files come from the sources' data/, the example plug-ins from the build.
  EXPECT_TRUE(QFileInfo::exists(home + "/Languages/English.lng"));
  QFile built(QStringLiteral(OSTREL_PLUGIN_DIR "/sort_lines.so"));
  QFile seeded(home + "/Plugins/sort_lines.so");
  ASSERT_TRUE(built.open(QIODevice::ReadOnly));
  ASSERT_TRUE(seeded.open(QIODevice::ReadOnly));
  EXPECT_EQ(seeded.readAll(), built.readAll());
}

TEST(AppPaths, SeedCopiesOnlyWhatIsMissing) {
  QTemporaryDir from, to;
  touch(from.path() + "/Syntax/html.ohf", "new");
  touch(from.path() + "/AutoChange.lst", "a==b\r\n");
  touch(to.path() + "/autochange.lst", "mine");
  AppPaths::seed(from.path(), to.path());
  QFile mine(to.path() + "/autochange.lst");
  ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
  EXPECT_EQ(mine.readAll(), "mine") << "a user's file is never overwritten";
  EXPECT_FALSE(QFile::exists(to.path() + "/AutoChange.lst"));
  EXPECT_TRUE(QFile::exists(to.path() + "/Syntax/html.ohf"));
}

TEST(AppPaths, SeedOffersEachShippedFileOnceAndBringsNewKindsOfDataToOldFolders) {
  QTemporaryDir from, to;
  touch(from.path() + "/Templates/Letter.lst", "letter");
  touch(to.path() + "/Templates/Own.lst", "mine");  // a folder from before files were recorded
  touch(from.path() + "/Languages/English.lng", "[Menu]");
  touch(from.path() + "/Programs.lst", "sed");
  AppPaths::seed(from.path(), to.path(), /*fresh=*/false);
  EXPECT_FALSE(QFile::exists(to.path() + "/Programs.lst")) << "a file of the folder itself";
  EXPECT_FALSE(QFile::exists(to.path() + "/Templates/Letter.lst"))
      << "the user may have removed it from a folder they already had";
  EXPECT_TRUE(QFile::exists(to.path() + "/Languages/English.lng")) << "a new kind of data";

  // Later versions ship more: new files come in, removed ones stay removed.
  QFile::remove(to.path() + "/Languages/English.lng");
  touch(from.path() + "/Languages/Deutsch.lng", "[Menu]");
  touch(from.path() + "/Templates/Memo.lst", "memo");
  AppPaths::seed(from.path(), to.path(), false);
  EXPECT_FALSE(QFile::exists(to.path() + "/Languages/English.lng"));
  EXPECT_TRUE(QFile::exists(to.path() + "/Languages/Deutsch.lng"));
  EXPECT_TRUE(QFile::exists(to.path() + "/Templates/Memo.lst"));
  EXPECT_FALSE(QFile::exists(to.path() + "/Templates/Letter.lst"));
}

QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Every file under `dir` by its path relative to `prefix` + that path.
QStringList filesUnder(const QString& dir, const QString& prefix = QString()) {
  QStringList files;
  QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) files << prefix + QDir(dir).relativeFilePath(it.next());
  return files;
}

// An empty program folder got the first file of each shipped folder only, and no file of the
// folder itself, and the record then kept the rest from ever coming.
TEST(AppPathsSeed, AnEmptyExistingFolderGetsEveryShippedFileWithItsChecksum) {
  QTemporaryDir home;
  qputenv("OSTREL_HOME", home.path().toUtf8());
  AppPaths::detect();
  qunsetenv("OSTREL_HOME");
  struct Source {
    QString dir;
    QString prefix;
  } sources[] = {{QStringLiteral(OSTREL_SOURCE_DATA), QString()},
                 {QStringLiteral(OSTREL_PLUGIN_DIR), QStringLiteral("Plugins/")}};
  const ShippedRecord record = ShippedRecord::read(home.path());
  ASSERT_TRUE(record.exists());
  int compared = 0;
  for (const Source& source : sources) {
    for (const QString& rel : filesUnder(source.dir)) {
      if (rel.endsWith(".desktop")) continue;
      const QString shipped = source.prefix + rel;
      SCOPED_TRACE(shipped.toStdString());
      EXPECT_EQ(bytesOf(home.path() + "/" + shipped), bytesOf(source.dir + "/" + rel));
      EXPECT_EQ(record.checksum(shipped), ShippedRecord::FileChecksum(source.dir + "/" + rel));
      EXPECT_TRUE(record.unedited(home.path(), shipped));
      ++compared;
    }
  }
  EXPECT_GE(compared, 10) << "the shipped data and the plug-ins were found";
  EXPECT_TRUE(QFile::exists(home.path() + "/Programs.lst")) << "a file of the folder itself";
}

TEST(AppPathsSeed, FolderWithOnlyTheUsersFilesIsNotEmpty) {
  QTemporaryDir from, to;
  touch(from.path() + "/Programs.lst", "sed");
  touch(from.path() + "/Syntax/a.ohf", "a");
  touch(from.path() + "/Syntax/b.ohf", "b");
  touch(to.path() + "/Syntax/mine.ohf", "mine");  // set up before files were recorded
  AppPaths::seed(from.path(), to.path(), /*fresh=*/false);
  for (const char* name : {"Programs.lst", "Syntax/a.ohf", "Syntax/b.ohf"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(QFile::exists(to.path() + "/" + name)) << "the user may have removed it";
    EXPECT_TRUE(ShippedRecord::read(to.path()).offered(name));
  }
}

TEST(AppPathsSeed, EveryFileOfANewKindComesIntoAnOldFolder) {
  QTemporaryDir from, to;
  for (const char* name : {"Syntax/a.ohf", "Syntax/b.ohf", "Syntax/c.ohf", "Plugins/x.so"})
    touch(from.path() + "/" + name, name);
  touch(to.path() + "/settings.ini", "[x]");
  AppPaths::seed(from.path(), to.path(), false);
  const ShippedRecord record = ShippedRecord::read(to.path());
  for (const char* name : {"Syntax/a.ohf", "Syntax/b.ohf", "Syntax/c.ohf", "Plugins/x.so"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(bytesOf(to.path() + "/" + name), QByteArray(name));
    EXPECT_TRUE(record.unedited(to.path(), name));
  }
}

TEST(AppPathsSeed, CopyThatFailedIsTriedAgainAtTheNextStart) {
  QTemporaryDir from, to;
  touch(from.path() + "/Templates/Letter.lst", "letter");
  touch(to.path() + "/Shipped.lst", "");
  touch(to.path() + "/Templates", "a file where the folder should be");
  AppPaths::seed(from.path(), to.path(), false);
  EXPECT_FALSE(ShippedRecord::read(to.path()).offered("Templates/Letter.lst"));
  QFile::remove(to.path() + "/Templates");
  AppPaths::seed(from.path(), to.path(), false);
  EXPECT_EQ(bytesOf(to.path() + "/Templates/Letter.lst"), "letter");
}

TEST(AppPathsSeed, ShippedFileGoesIntoTheUsersFolderOfAnotherCase) {
  QTemporaryDir from, to;
  touch(from.path() + "/Syntax/new.ohf", "new");
  touch(to.path() + "/syntax/old.ohf", "old");
  touch(to.path() + "/Shipped.lst", "syntax/old.ohf\r\n");
  AppPaths::seed(from.path(), to.path(), false);
  EXPECT_EQ(bytesOf(to.path() + "/syntax/new.ohf"), "new");
  EXPECT_FALSE(QFileInfo::exists(to.path() + "/Syntax")) << "no second folder";
  EXPECT_TRUE(ShippedRecord::read(to.path()).unedited(to.path(), "Syntax/new.ohf"));
}

TEST(EnsureListFiles, CreatesMissingKeepsExisting) {
  QTemporaryDir dir;
  touch(dir.path() + "/programs.lst", "calc\r\n");
  AppPaths paths(dir.path(), dir.path() + "/settings.ini");
  const QStringList created = EnsureListFiles(paths);
  EXPECT_EQ(created, (QStringList{"Searches.lst", "Main.ocl", "Multies.lst", "Multi.lst",
                                  "LastMr.lst", "Hotkeys.ini"}));
  QFile programs(dir.path() + "/programs.lst");
  ASSERT_TRUE(programs.open(QIODevice::ReadOnly));
  EXPECT_EQ(programs.readAll(), "calc\r\n");
  EXPECT_EQ(QFileInfo(dir.path() + "/Main.ocl").size(), 0);
  EXPECT_TRUE(EnsureListFiles(paths).isEmpty()) << "a second start creates nothing";
}

}  // namespace
}  // namespace platform
