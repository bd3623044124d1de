// TextFile on a real disk: safe replacement, failures that keep the old file, permissions,
// symbolic links and appends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/test_files.h"
#include "platform/text_file.h"

namespace {

using platform::TextFormat;
namespace TextFile = platform::TextFile;
using test_files::bytesOf;
using test_files::put;

class TextFileDisk : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return m_dir.filePath(name); }
  QStringList entries() const {
    return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  QTemporaryDir m_dir;
};

TEST_F(TextFileDisk, WriteReplacesTheFileAndLeavesNothingElse) {
  ASSERT_TRUE(put(path("a.txt"), "old content that is longer"));
  QString error;
  ASSERT_TRUE(TextFile::writeBytes(path("a.txt"), "new", &error)) << error.toStdString();
  EXPECT_EQ(bytesOf(path("a.txt")), "new");
  EXPECT_EQ(entries(), QStringList{"a.txt"});
}

// A big old file is let go of in the background; the new one is there the moment the write returns.
TEST_F(TextFileDisk, ReplacingABigFileLeavesOnlyTheNewOne) {
  ASSERT_TRUE(put(path("big.txt"), QByteArray(20 << 20, 'o')));
  QString error;
  ASSERT_TRUE(TextFile::writeBytes(path("big.txt"), "new", &error)) << error.toStdString();
  EXPECT_EQ(bytesOf(path("big.txt")), "new");
  EXPECT_EQ(entries(), QStringList{"big.txt"});
}

TEST_F(TextFileDisk, WriteIntoAMissingFolderFailsWithAReason) {
  ASSERT_TRUE(put(path("plain"), "x"));
  for (const QString& target : {path("plain/child.txt"), path("no/such/dir/a.txt")}) {
    SCOPED_TRACE(target.toStdString());
    QString error;
    EXPECT_FALSE(TextFile::writeBytes(target, "data", &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(target))) << error.toStdString();
    EXPECT_FALSE(TextFile::appendBytes(target, "data"));
  }
  EXPECT_EQ(bytesOf(path("plain")), "x");
}

// A write that fails half-way (here: the file-size limit, as a full disk would) must leave the
// old file whole and no temporary file behind.
TEST_F(TextFileDisk, FailedWriteKeepsTheOldFile) {
  ASSERT_TRUE(put(path("doc.txt"), "old"));
  const QByteArray big(3 << 20, 'z');  // several pieces
  QString error;
  {
    test_files::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    EXPECT_FALSE(TextFile::writeBytes(path("doc.txt"), big, &error));
    EXPECT_FALSE(TextFile::writeUtf8(path("doc.txt"), big, TextFormat{}));
  }
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(bytesOf(path("doc.txt")), "old");
  EXPECT_EQ(entries(), QStringList{"doc.txt"});
}

// A long Windows-1251 save that meets a character the code page lacks near its end must not
// leave the part converted so far: the whole text goes out as UTF-8 instead.
TEST_F(TextFileDisk, LongWindows1251SaveWidensWhenACharacterWouldBeLost) {
  ASSERT_TRUE(put(path("doc.txt"), "old"));
  const QByteArray utf8 = QByteArray("Жёлтый\r\n").repeated(400000) + "日\r\n";
  platform::TextFormat written;
  QString error;
  ASSERT_TRUE(TextFile::writeUtf8(path("doc.txt"), utf8, TextFormat{}, &error, &written))
      << error.toStdString();
  EXPECT_EQ(written.encoding, platform::Encoding::Utf8);
  EXPECT_EQ(bytesOf(path("doc.txt")), utf8);
  EXPECT_EQ(entries(), QStringList{"doc.txt"});
}

// On a hard-linked file the Windows-1251 try writes in place; meeting a character the code page
// lacks, it must put the old text back before the UTF-8 try writes the whole text.
TEST_F(TextFileDisk, LongWindows1251SaveWidensInPlaceToo) {
  ASSERT_TRUE(put(path("doc.txt"), "old"));
  ASSERT_EQ(::link(QFile::encodeName(path("doc.txt")).constData(),
                   QFile::encodeName(path("other.txt")).constData()),
            0);
  const QByteArray utf8 = QByteArray("Жёлтый\r\n").repeated(400000) + "日\r\n";
  platform::TextFormat written;
  QString error;
  ASSERT_TRUE(TextFile::writeUtf8(path("doc.txt"), utf8, TextFormat{}, &error, &written))
      << error.toStdString();
  EXPECT_EQ(written.encoding, platform::Encoding::Utf8);
  EXPECT_EQ(bytesOf(path("doc.txt")), utf8);
  EXPECT_EQ(bytesOf(path("other.txt")), utf8);
  EXPECT_EQ(entries(), QStringList({"doc.txt", "other.txt"}));
}

// A write smaller than the device's buffer fails only when flushed; it used to be committed
// anyway, truncating the file.
TEST_F(TextFileDisk, FailedSmallWriteKeepsTheOldFile) {
  ASSERT_TRUE(put(path("doc.txt"), "old"));
  {
    test_files::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    EXPECT_FALSE(TextFile::writeBytes(path("doc.txt"), QByteArray(9000, 'z')));
  }
  EXPECT_EQ(bytesOf(path("doc.txt")), "old");
  EXPECT_EQ(entries(), QStringList{"doc.txt"});
}

TEST_F(TextFileDisk, WriteKeepsPermissions) {
  const QFile::Permissions privateFile = QFile::ReadOwner | QFile::WriteOwner;
  const QFile::Permissions script =
      privateFile | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;
  for (const QFile::Permissions mode : {privateFile, script}) {
    SCOPED_TRACE(int(mode));
    ASSERT_TRUE(put(path("script.sh"), "old"));
    ASSERT_TRUE(QFile::setPermissions(path("script.sh"), mode));
    ASSERT_TRUE(TextFile::writeBytes(path("script.sh"), "new"));
    const QFile::Permissions userBits = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFile::permissions(path("script.sh")) & ~userBits, mode);
  }
}

TEST_F(TextFileDisk, WriteThroughASymbolicLinkWritesItsTarget) {
  ASSERT_TRUE(QDir(m_dir.path()).mkdir("real"));
  ASSERT_TRUE(put(path("real/target.txt"), "old"));
  ASSERT_TRUE(QFile::link("real/target.txt", path("link.txt")));  // a relative link
  ASSERT_TRUE(QFile::link(path("link.txt"), path("link2.txt")));  // a link to a link
  ASSERT_TRUE(TextFile::writeBytes(path("link2.txt"), "new"));
  EXPECT_TRUE(QFileInfo(path("link.txt")).isSymLink());
  EXPECT_TRUE(QFileInfo(path("link2.txt")).isSymLink());
  EXPECT_EQ(bytesOf(path("real/target.txt")), "new");
}

TEST_F(TextFileDisk, AppendAddsToTheEndAndCreatesMissingFiles) {
  ASSERT_TRUE(TextFile::appendBytes(path("log.txt"), "one\r\n"));
  ASSERT_TRUE(TextFile::appendBytes(path("log.txt"), "two\r\n"));
  EXPECT_EQ(bytesOf(path("log.txt")), "one\r\ntwo\r\n");
}

TEST_F(TextFileDisk, ReadingAMissingFileSaysWhich) {
  QString error;
  EXPECT_FALSE(TextFile::read(path("none.txt"), &error).has_value());
  EXPECT_TRUE(error.contains("none.txt")) << error.toStdString();
}

}  // namespace
