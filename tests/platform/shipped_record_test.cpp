#include "platform/shipped_record.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/app_paths.h"
#include "platform/list_file.h"

namespace platform {
namespace {

void put(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(path.section('/', 0, -2));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// Records written before checksums were kept hold one path per line.
TEST(ShippedRecord, OldRecordReadsAsPathsWithoutChecksums) {
  QTemporaryDir dir;
  put(dir.path() + "/Shipped.lst", "Syntax/html.ohf\r\nTemplates/Letter.lst\r\n\r\nPrograms.lst\r\n");
  put(dir.path() + "/Syntax/html.ohf", "html");
  const ShippedRecord record = ShippedRecord::read(dir.path());
  EXPECT_TRUE(record.exists());
  EXPECT_EQ(record.paths(),
            (QStringList{"Syntax/html.ohf", "Templates/Letter.lst", "Programs.lst"}));
  EXPECT_TRUE(record.checksum("Syntax/html.ohf").isEmpty());
  EXPECT_FALSE(record.unedited(dir.path(), "Syntax/html.ohf")) << "nothing says who wrote it";
}

TEST(ShippedRecord, OldRecordKeepsRemovedFilesAwayAndNewOnesGetChecksums) {
  QTemporaryDir from, to;
  put(from.path() + "/Templates/Letter.lst", "letter");
  put(from.path() + "/Templates/Memo.lst", "memo");
  put(to.path() + "/Shipped.lst", "Templates/Letter.lst\r\n");
  put(to.path() + "/Templates/Own.lst", "mine");
  AppPaths::seed(from.path(), to.path(), false);
  EXPECT_FALSE(QFile::exists(to.path() + "/Templates/Letter.lst")) << "the user removed it";
  const ShippedRecord record = ShippedRecord::read(to.path());
  EXPECT_EQ(record.paths(), (QStringList{"Templates/Letter.lst", "Templates/Memo.lst"}));
  EXPECT_TRUE(record.checksum("Templates/Letter.lst").isEmpty());
  EXPECT_EQ(record.checksum("Templates/Memo.lst"),
            ShippedRecord::FileChecksum(from.path() + "/Templates/Memo.lst"));
}

TEST(ShippedRecord, EveryPathAndChecksumReadsBackAsWritten) {
  QTemporaryDir dir;
  struct {
    QString path;
    QByteArray checksum;
  } entries[] = {{"Programs.lst", "00ff"},
                 {"Templates/a, b.lst", "aa11"},
                 {"Snippets/\"quoted\"", ""},
                 {" spaced ", "bb22"},
                 {"Языки/Русский.lng", "cc33"}};
  ShippedRecord record;
  for (const auto& e : entries) record.add(e.path, e.checksum);
  ASSERT_TRUE(record.write(dir.path()));
  const ShippedRecord back = ShippedRecord::read(dir.path());
  ASSERT_EQ(back.paths().size(), std::size(entries));
  for (const auto& e : entries) {
    SCOPED_TRACE(e.path.toStdString());
    EXPECT_TRUE(back.offered(e.path));
    EXPECT_EQ(back.checksum(e.path), e.checksum);
  }
  // A program that reads the record as a plain list still finds every path in it.
  const QStringList plain = ListFile::read(dir.path() + "/Shipped.lst").value();
  for (const auto& e : entries) EXPECT_TRUE(plain.contains(e.path)) << e.path.toStdString();
}

TEST(ShippedRecord, EditedOrMissingCopyIsNotUnedited) {
  QTemporaryDir from, to;
  put(from.path() + "/Syntax/a.ohf", "a");
  put(from.path() + "/Syntax/b.ohf", "b");
  put(from.path() + "/Syntax/c.ohf", "c");
  AppPaths::seed(from.path(), to.path());
  put(to.path() + "/Syntax/b.ohf", "b, as the user changed it");
  QFile::remove(to.path() + "/Syntax/c.ohf");
  const ShippedRecord record = ShippedRecord::read(to.path());
  EXPECT_TRUE(record.unedited(to.path(), "Syntax/a.ohf"));
  EXPECT_FALSE(record.unedited(to.path(), "Syntax/b.ohf"));
  EXPECT_FALSE(record.unedited(to.path(), "Syntax/c.ohf"));
  EXPECT_FALSE(record.unedited(to.path(), "Syntax/never.ohf"));
}

TEST(ShippedRecord, MissingRecordIsEmpty) {
  QTemporaryDir dir;
  const ShippedRecord record = ShippedRecord::read(dir.path());
  EXPECT_FALSE(record.exists());
  EXPECT_TRUE(record.paths().isEmpty());
  EXPECT_EQ(ShippedRecord::FileChecksum(dir.path() + "/none"), QByteArray());
  put(dir.path() + "/abc", "abc");
  EXPECT_EQ(ShippedRecord::FileChecksum(dir.path() + "/abc"),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace
}  // namespace platform
