// SafeWrite's way for a file that a new one could not replace without changing it: rewritten in
// place behind a safety copy, which is gone after success and puts the old text back after a
// failure.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/safe_write.h"
#include "platform/test_files.h"

namespace {

namespace SafeWrite = platform::SafeWrite;
using test_files::bytesOf;
using test_files::put;

using test_files::local;
using test_files::statOf;

// Points the user's cache folder, where safety copies go when the file's folder takes none,
// somewhere else while alive.
class CacheHome {
 public:
  explicit CacheHome(const QString& folder)
      : m_had(qEnvironmentVariableIsSet("XDG_CACHE_HOME")), m_old(qgetenv("XDG_CACHE_HOME")) {
    qputenv("XDG_CACHE_HOME", local(folder));
  }
  ~CacheHome() {
    if (m_had)
      qputenv("XDG_CACHE_HOME", m_old);
    else
      qunsetenv("XDG_CACHE_HOME");
  }
  CacheHome(const CacheHome&) = delete;
  CacheHome& operator=(const CacheHome&) = delete;

 private:
  bool m_had;
  QByteArray m_old;
};

class SafeWriteInPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkdir(path("files")));
    ASSERT_TRUE(put(path("files/a.txt"), "old text"));
  }
  QString path(const QString& name) const { return m_dir.filePath(name); }
  QStringList entries(const QString& folder) const {
    return QDir(path(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  QStringList safetyCopiesInCache() const { return entries("cache/ostrel/safety-copies"); }
  static bool save(const QString& path, const SafeWrite::Fill& fill, QString* error = nullptr) {
    return SafeWrite::save(path, fill, error);
  }
  static SafeWrite::Fill writing(const QByteArray& bytes) {
    return [bytes](SafeWrite::Sink& sink) { return sink.write(bytes); };
  }
  QTemporaryDir m_dir;
  CacheHome m_cache{path("cache")};
};

// A rename left the other name of a hard-linked file with the old text.
TEST_F(SafeWriteInPlace, HardLinkedFileShowsTheNewTextUnderBothNames) {
  ASSERT_EQ(::link(local(path("files/a.txt")).constData(), local(path("files/b.txt")).constData()),
            0);
  const ino_t inode = statOf(path("files/a.txt")).st_ino;
  const SafeWrite::Counters before = SafeWrite::counters();
  QString error;
  ASSERT_TRUE(save(path("files/a.txt"), writing("new"), &error)) << error.toStdString();
  EXPECT_EQ(bytesOf(path("files/a.txt")), "new");
  EXPECT_EQ(bytesOf(path("files/b.txt")), "new");
  EXPECT_EQ(statOf(path("files/a.txt")).st_ino, inode);
  EXPECT_EQ(statOf(path("files/a.txt")).st_nlink, 2u);
  EXPECT_EQ(SafeWrite::counters().inPlaceSaves, before.inPlaceSaves + 1);
  EXPECT_EQ(entries("files"), QStringList({"a.txt", "b.txt"})) << "the safety copy is gone";
  EXPECT_TRUE(safetyCopiesInCache().isEmpty());
}

// A writable file in a folder that takes no new file could not be saved at all. Root may create
// files in any folder its permissions forbid, but not in an immutable one.
TEST_F(SafeWriteInPlace, FolderThatTakesNoNewFileStillSaves) {
  const ino_t inode = statOf(path("files/a.txt")).st_ino;
  test_files::Immutable frozen(path("files"));
  if (!frozen.active()) GTEST_SKIP() << "cannot make a folder immutable here";
  ASSERT_FALSE(put(path("files/probe"), "")) << "the folder takes no new file";
  const SafeWrite::Counters before = SafeWrite::counters();
  QString error;
  ASSERT_TRUE(save(path("files/a.txt"), writing("new"), &error)) << error.toStdString();
  EXPECT_EQ(bytesOf(path("files/a.txt")), "new");
  EXPECT_EQ(statOf(path("files/a.txt")).st_ino, inode);
  EXPECT_EQ(SafeWrite::counters().inPlaceSaves, before.inPlaceSaves + 1);
  EXPECT_TRUE(QDir(path("cache/ostrel/safety-copies")).exists()) << "the copy went to the cache";
  EXPECT_TRUE(safetyCopiesInCache().isEmpty()) << "and is gone";
}

// Without a copy of the old text anywhere, the file is not touched.
TEST_F(SafeWriteInPlace, NoPlaceForASafetyCopyLeavesTheFileAlone) {
  ASSERT_TRUE(put(path("not-a-folder"), ""));
  const CacheHome cacheIsAFile(path("not-a-folder"));
  test_files::Immutable frozen(path("files"));
  if (!frozen.active()) GTEST_SKIP() << "cannot make a folder immutable here";
  QString error;
  EXPECT_FALSE(save(path("files/a.txt"), writing("new"), &error));
  EXPECT_TRUE(error.startsWith(QString("Не удалось записать файл «%1»: Не удалось сделать "
                                       "страховочную копию прежнего текста")
                                   .arg(QDir::toNativeSeparators(path("files/a.txt")))))
      << error.toStdString();
  EXPECT_EQ(bytesOf(path("files/a.txt")), "old text");
}

// A write that fails half-way through the file itself must put the old text back, under every
// name of the file, and say why it failed.
TEST_F(SafeWriteInPlace, FailedWritePutsTheOldTextBack) {
  const QByteArray old(3000, 'o');  // longer than what the failed writes get to write
  struct Case {
    const char* what;
    SafeWrite::Fill fill;
    const char* reason;
  } cases[] = {
      {"past the size limit", writing(QByteArray(9000, 'z')), "Файл превышает допустимый размер"},
      {"writer gives up",
       [](SafeWrite::Sink& sink) {
         sink.write(QByteArray(1000, 'z'));
         return false;
       },
       "Запись прервана"},
  };
  ASSERT_EQ(::link(local(path("files/a.txt")).constData(), local(path("files/b.txt")).constData()),
            0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(put(path("files/a.txt"), old));
    QString error;
    {
      test_files::FileSizeLimit limit(4096);
      ASSERT_TRUE(limit.active());
      EXPECT_FALSE(save(path("files/a.txt"), c.fill, &error));
    }
    EXPECT_EQ(error, QString("Не удалось записать файл «%1»: %2")
                         .arg(QDir::toNativeSeparators(path("files/a.txt")), c.reason));
    EXPECT_EQ(bytesOf(path("files/a.txt")), old);
    EXPECT_EQ(bytesOf(path("files/b.txt")), old);
    EXPECT_EQ(entries("files"), QStringList({"a.txt", "b.txt"}));
  }
}

// Saves as the unprivileged user 12345, whom permissions stop as they stop any user, in a child
// process. Returns the error, "saved", or "skip: " and why the child could not become that user.
QString saveAsUser(const QString& path, const QByteArray& bytes) {
  return test_files::inChild([&] {
    constexpr uid_t kUser = 12345;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kUser) != 0 || ::setuid(kUser) != 0)
      return "skip: " + QString::fromLocal8Bit(std::strerror(errno));
    QString error;
    const auto fill = [&bytes](SafeWrite::Sink& sink) { return sink.write(bytes); };
    return SafeWrite::save(path, fill, &error) ? QStringLiteral("saved") : error;
  });
}

// A user may write to a file they cannot give a new file's owner to, or in a folder where they
// cannot create one: the file is written in place and stays its owner's.
TEST_F(SafeWriteInPlace, UserWhoMayNotReplaceTheFileWritesItInPlace) {
  struct Case {
    const char* what;
    mode_t folder;
  } cases[] = {{"file of another owner", 0777}, {"folder the user may not write", 0555}};
  ASSERT_EQ(::chmod(local(m_dir.path()).constData(), 0755), 0);
  ASSERT_TRUE(QDir().mkdir(path("cache")));
  ASSERT_EQ(::chmod(local(path("cache")).constData(), 0777), 0);
  ASSERT_EQ(::chmod(local(path("files/a.txt")).constData(), 0666), 0);
  const ino_t inode = statOf(path("files/a.txt")).st_ino;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(put(path("files/a.txt"), "old text"));
    ASSERT_EQ(::chmod(local(path("files")).constData(), c.folder), 0);
    const QString answer = saveAsUser(path("files/a.txt"), "new");
    if (answer.startsWith("skip: ")) GTEST_SKIP() << answer.toStdString();
    EXPECT_EQ(answer, "saved");
    EXPECT_EQ(bytesOf(path("files/a.txt")), "new");
    EXPECT_EQ(statOf(path("files/a.txt")).st_ino, inode);
    EXPECT_EQ(statOf(path("files/a.txt")).st_uid, 0u);
    EXPECT_EQ(statOf(path("files/a.txt")).st_mode & 07777, 0666u);
    EXPECT_EQ(entries("files"), QStringList{"a.txt"});
    EXPECT_TRUE(safetyCopiesInCache().isEmpty());
  }
}

TEST_F(SafeWriteInPlace, UserWithoutTheRightToWriteIsToldSo) {
  ASSERT_EQ(::chmod(local(m_dir.path()).constData(), 0755), 0);
  ASSERT_EQ(::chmod(local(path("files")).constData(), 0777), 0);
  ASSERT_EQ(::chmod(local(path("files/a.txt")).constData(), 0644), 0);
  const QString answer = saveAsUser(path("files/a.txt"), "new");
  if (answer.startsWith("skip: ")) GTEST_SKIP() << answer.toStdString();
  EXPECT_EQ(answer, QString("Не удалось записать файл «%1»: Нет прав на запись")
                        .arg(QDir::toNativeSeparators(path("files/a.txt"))));
  EXPECT_EQ(bytesOf(path("files/a.txt")), "old text");
  EXPECT_EQ(entries("files"), QStringList{"a.txt"});
}

}  // namespace
