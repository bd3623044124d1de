// Finding lower-cased paths again on a file system that tells case apart, and deleting by
// wildcard without ever reaching a folder, a link's target or a subfolder.
#include "automation/macro_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "support/qt_print.h"

namespace automation {
namespace {

void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("x");
}

bool present(const QString& path) {
  return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

TEST(MacroFiles, ResolveLoweredPathMatchesWhatExists) {
  QTemporaryDir dir;
  const QString root = dir.path();
  touch(root + "/Docs/Notes.TXT");
  touch(root + "/Docs/Sub Folder/Deep.txt");
  touch(root + "/docs2/exact.txt");
  touch(root + "/Docs/both.txt");
  touch(root + "/Docs/BOTH.txt");
  const QString lowered = root.toLower();  // the temporary folder's own name may hold capitals
  struct Case {
    const char* name;
    QString path;
    QString expect;
  };
  const Case cases[] = {
      {"whole path found", lowered + "/docs/notes.txt", root + "/Docs/Notes.TXT"},
      {"space in a folder name", lowered + "/docs/sub folder/deep.txt",
       root + "/Docs/Sub Folder/Deep.txt"},
      {"new file in an existing mixed-case folder", lowered + "/docs/new file.txt",
       root + "/Docs/new file.txt"},
      {"missing folders stay as written", lowered + "/docs/new/deeper/x.txt",
       root + "/Docs/new/deeper/x.txt"},
      {"exact spelling wins", root + "/Docs/BOTH.txt", root + "/Docs/BOTH.txt"},
      {"exact spelling wins over others", root + "/Docs/both.txt", root + "/Docs/both.txt"},
      {"dot components", lowered + "/docs/./../docs2/exact.txt",
       root + "/Docs/./../docs2/exact.txt"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ResolveLoweredPath(c.path), c.expect);
  }

  // Relative paths are looked up from the working folder.
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(root));
  EXPECT_EQ(ResolveLoweredPath("docs/notes.txt"), "Docs/Notes.TXT");
  EXPECT_EQ(ResolveLoweredPath("docs/new.txt"), "Docs/new.txt");
  QDir::setCurrent(saved);
}

TEST(MacroFiles, MatchesWildcardLikeTheShell) {
  struct Case {
    QString name;
    QString pattern;
    bool expect;
  };
  const Case cases[] = {
      {"notes.txt", "*.txt", true},
      {"NOTES.TXT", "*.txt", true},
      {"notes.txt.bak", "*.txt", false},
      {"a.txt", "?.txt", true},
      {"ab.txt", "?.txt", false},
      {".hidden.txt", "*.txt", false},
      {".hidden.txt", ".*.txt", true},
      {"abcabd", "*ab?", true},
      {"x", "*", true},
      {"", "*", true},
      {"[a].txt", "[a].*", true},
      {"a.txt", "[a].*", false},
      {"файл.txt", "ФАЙЛ.*", true},
      {"aaa", "a*a*a*a", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.name + " ~ " + c.pattern).toStdString());
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.expect);
  }
}

TEST(MacroFiles, KillFilesRemovesFilesOnly) {
  QTemporaryDir dir;
  const QString root = dir.path();
  touch(root + "/a.txt");
  touch(root + "/B.TXT");
  touch(root + "/keep.doc");
  touch(root + "/.hidden.txt");
  touch(root + "/folder.txt/inner.txt");  // a folder whose name matches
  touch(root + "/sub/c.txt");
  touch(root + "/target/t.txt");
  ASSERT_EQ(
      ::symlink(QFile::encodeName(root + "/target/t.txt"), QFile::encodeName(root + "/link.txt")),
      0);
  ASSERT_EQ(
      ::symlink(QFile::encodeName(root + "/target"), QFile::encodeName(root + "/dirlink.txt")), 0);
  ASSERT_EQ(::mkfifo(QFile::encodeName(root + "/pipe.txt"), 0600), 0);

  EXPECT_EQ(KillFiles(root + "/*.txt"), 3);  // a.txt, B.TXT and the link
  for (const char* gone : {"/a.txt", "/B.TXT", "/link.txt"})
    EXPECT_FALSE(present(root + gone)) << gone;
  for (const char* kept : {"/keep.doc", "/.hidden.txt", "/folder.txt/inner.txt", "/sub/c.txt",
                           "/target/t.txt", "/dirlink.txt", "/pipe.txt"})
    EXPECT_TRUE(present(root + kept)) << kept;

  struct Case {
    const char* name;
    QString path;
    int removed;
  };
  const Case cases[] = {
      {"a folder by name", root + "/sub", 0},
      {"a link to a folder by name", root + "/dirlink.txt", 0},
      {"a named pipe", root + "/pipe.txt", 0},
      {"missing file", root + "/missing.txt", 0},
      {"wildcard in a missing folder", root + "/nowhere/*", 0},
      {"folder part ends in a slash", root + "/sub/", 0},
      {"one file, other case", root + "/KEEP.DOC", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(KillFiles(c.path), c.removed);
  }
  EXPECT_TRUE(QFileInfo(root + "/sub/c.txt").exists());
  EXPECT_TRUE(QFileInfo(root + "/target").isDir());
  EXPECT_FALSE(present(root + "/keep.doc"));
}

}  // namespace
}  // namespace automation
