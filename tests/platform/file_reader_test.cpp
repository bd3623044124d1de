// Reading a document file: only regular files, never blocking, and a file another program
// shortens or lengthens while it is read gives what was read, marked partial, instead of
// killing the program.
#include "platform/file_reader.h"

#include <gtest/gtest.h>
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

}  // namespace
}  // namespace platform
