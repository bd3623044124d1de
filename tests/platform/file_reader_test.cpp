// Reading a document file: only regular files, never blocking, and a file another program
// shortens or lengthens while it is read gives what was read, marked partial, instead of
// killing the program.
#include "platform/file_reader.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/test_files.h"

namespace platform {
namespace {

class FileReaderTest : public ::testing::Test {
 protected:
  QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
  QTemporaryDir m_dir;
};

TEST_F(FileReaderTest, RegularFilesWhole) {
  const QByteArray big(9 << 20, 'x');  // more than one piece
  for (const QByteArray& bytes : {QByteArray(), QByteArray("one line"), big}) {
    SCOPED_TRACE(bytes.size());
    test_files::put(path("a.txt"), bytes);
    const auto read = ReadRegularFile(path("a.txt"));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->bytes, bytes);
    EXPECT_FALSE(read->partial);
  }
}

// A named pipe used to hang the program before it showed a window.
TEST_F(FileReaderTest, AnythingButARegularFileIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.txt")).constData(), 0600), 0);
  QDir().mkpath(path("folder"));
  struct {
    QString path;
    const char* says;
  } cases[] = {{path("pipe.txt"), "канал"}, {path("folder"), "папка"},
               {QStringLiteral("/dev/null"), "устройство"}, {path("missing.txt"), "не найден"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    QString error;
    EXPECT_FALSE(ReadRegularFile(c.path, &error).has_value());
    EXPECT_TRUE(error.contains(QString::fromUtf8(c.says))) << error.toStdString();
    EXPECT_TRUE(error.contains(c.path));
  }
  EXPECT_FALSE(NotARegularFile(path("pipe.txt")).isEmpty());
  EXPECT_FALSE(NotARegularFile(path("folder")).isEmpty());
  test_files::put(path("a.txt"), "x");
  EXPECT_TRUE(NotARegularFile(path("a.txt")).isEmpty());
  EXPECT_TRUE(NotARegularFile(path("missing.txt")).isEmpty()) << "the read says what is wrong";
}

// Truncating a mapped file killed the editor with SIGBUS.
TEST_F(FileReaderTest, FileChangedWhileReadIsPartial) {
  const QByteArray original(10 << 20, 'a');
  struct {
    const char* name;
    std::function<void(const QString&)> change;
    qint64 expectSize;
  } cases[] = {
      {"shortened", [](const QString& p) { QFile::resize(p, 1 << 20); }, 4 << 20},
      {"emptied", [](const QString& p) { QFile::resize(p, 0); }, 4 << 20},
      {"lengthened",
       [](const QString& p) {
         QFile f(p);
         ASSERT_TRUE(f.open(QIODevice::Append));
         f.write("more");
       },
       10 << 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test_files::put(path("a.txt"), original);
    bool changed = false;
    const auto read = ReadRegularFile(path("a.txt"), nullptr, [&](qint64) {
      if (!changed) c.change(path("a.txt"));
      changed = true;
    });
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->partial);
    EXPECT_EQ(read->bytes.size(), c.expectSize);
    EXPECT_EQ(read->bytes, original.left(c.expectSize)) << "only bytes really read";
  }
}

// A big file is read whole to learn its format, then again in stretches through the descriptor
// kept open: the file the path names by then may be another one.
TEST_F(FileReaderTest, AKeptFileIsReadAgainAndTellsWhenItChanged) {
  test_files::put(path("a.txt"), "first content");
  std::unique_ptr<OpenFile> kept;
  const auto read = ReadRegularFile(path("a.txt"), nullptr, {}, &kept);
  ASSERT_TRUE(read.has_value());
  ASSERT_NE(kept, nullptr);
  EXPECT_FALSE(kept->changed());
  char bytes[8] = {};
  EXPECT_EQ(kept->readAt(6, bytes, 8), 7);
  EXPECT_EQ(QByteArray(bytes, 7), "content");
  EXPECT_EQ(kept->readAt(13, bytes, 8), 0);

  // Replaced under its name: the kept file is still the one that was read.
  test_files::put(path("b.txt"), "other content");
  ASSERT_TRUE(QFile::remove(path("a.txt")));
  ASSERT_TRUE(QFile::rename(path("b.txt"), path("a.txt")));
  EXPECT_EQ(kept->readAt(0, bytes, 5), 5);
  EXPECT_EQ(QByteArray(bytes, 5), "first");
  EXPECT_FALSE(kept->changed());

  // Written in place, even to the same size.
  std::unique_ptr<OpenFile> again;
  ASSERT_TRUE(ReadRegularFile(path("a.txt"), nullptr, {}, &again).has_value());
  ASSERT_NE(again, nullptr);
  struct stat before {};
  ASSERT_EQ(::stat(QFile::encodeName(path("a.txt")).constData(), &before), 0);
  QFile same(path("a.txt"));
  ASSERT_TRUE(same.open(QIODevice::ReadWrite));
  same.write("OTHER");
  same.close();
  // A clock too coarse to tell the write from the read gets a later time set by hand.
  struct stat after {};
  ::stat(QFile::encodeName(path("a.txt")).constData(), &after);
  if (after.st_mtim.tv_sec == before.st_mtim.tv_sec && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec) {
    const struct timespec later[2] = {{0, UTIME_OMIT}, {before.st_mtim.tv_sec + 1, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path("a.txt")).constData(), later, 0), 0);
  }
  EXPECT_TRUE(again->changed());

  // A file changed while it was read whole is not kept: what was read is all there is.
  test_files::put(path("c.txt"), QByteArray(10 << 20, 'c'));
  std::unique_ptr<OpenFile> partial;
  const auto shortened = ReadRegularFile(
      path("c.txt"), nullptr, [&](qint64) { QFile::resize(path("c.txt"), 1 << 20); }, &partial);
  ASSERT_TRUE(shortened.has_value());
  EXPECT_TRUE(shortened->partial);
  EXPECT_EQ(partial, nullptr);
}

}  // namespace
}  // namespace platform
