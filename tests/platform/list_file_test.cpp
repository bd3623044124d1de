// List files: what files written before the quoting fix read as, and that every item now comes
// back exactly as it was written.
#include "platform/list_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/test_files.h"

namespace {

namespace ListFile = platform::ListFile;

TEST(ListFileParse, ReadsFilesWrittenWithoutQuoting) {
  struct {
    const char* name;
    QString content;
    QStringList expect;
  } cases[] = {
      {"empty file", "", {}},
      {"one character", "a", {"a"}},
      {"commas and lines", "a,b\r\nc\r\n", {"a", "b", "c"}},
      {"no final line break", "a\r\nb", {"a", "b"}},
      {"spaces dropped", "  a b  ,  c \r\n", {"a b", "c"}},
      {"empty line is an empty item", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"only a line break", "\r\n", {""}},
      {"spaces-only line", "   \r\n", {""}},
      {"trailing comma", "a,\r\nb,", {"a", "", "b", ""}},
      {"lf only", "a\nb\n", {"a", "b"}},
      {"cr only", "a\rb\r", {"a", "b"}},
      {"mixed line ends", "a\nb\r\nc\rd", {"a", "b", "c", "d"}},
      {"quoted item keeps commas", "\"x, y\",z\r\n", {"x, y", "z"}},
      {"text after the quote ignored", "  \"x\" tail,z", {"x", "z"}},
      {"quoted keeps its spaces", "\" x \"", {" x "}},
      {"quote inside plain item", "say \"hi\"", {"say \"hi\""}},
      {"unclosed quote runs to the end", "\"a,b\r\nc", {"a,b\r\nc"}},
      {"cyrillic", "Привет, мир\r\n", {"Привет", "мир"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ListFile::parse(c.content), c.expect);
  }
}

// Regression: an item holding a comma was written bare and came back as two items.
TEST(ListFileFormat, EveryItemReadsBackAsWritten) {
  QTemporaryDir dir;
  const QString path = dir.filePath("list.lst");
  const QStringList cases[] = {
      {},
      {""},
      {"", ""},
      {"a", "", "b", ""},
      {"C:/dir,with,commas/file.txt"},
      {" leading", "trailing ", "  "},
      {"\"quoted\"", "\"", "\"\"", "a\"\"b"},
      {"say \"hi\", then go"},
      {",", ",,", "\","},
      {"line\r\nbreak"},
      {"tab\tinside", ";semicolon", "'single'"},
      {"Привет, мир", "日本"},
  };
  for (const QStringList& items : cases) {
    SCOPED_TRACE(items.join('|').toStdString());
    EXPECT_EQ(ListFile::parse(ListFile::format(items)), items);
    ASSERT_TRUE(ListFile::write(path, items));
    EXPECT_EQ(ListFile::read(path), items);
  }
}

TEST(ListFileFormat, PlainItemsAreWrittenAsBefore) {
  EXPECT_EQ(ListFile::format({"a b", "", "Ёж"}), "a b\r\n\r\nЁж\r\n");
  EXPECT_EQ(ListFile::format({"a,b", " x"}), "\"a,b\"\r\n\" x\"\r\n");
}

TEST(ListFileWrite, UsesWindows1251UnlessAnItemDoesNotFit) {
  QTemporaryDir dir;
  const QString path = dir.filePath("list.lst");
  ASSERT_TRUE(ListFile::write(path, {"Ёж", "a"}));
  EXPECT_EQ(test_files::bytesOf(path), "\xA8\xE6\r\na\r\n");
  ASSERT_TRUE(ListFile::write(path, {"Ёж", "日"}));
  EXPECT_EQ(test_files::bytesOf(path), "Ёж\r\n日\r\n");
  EXPECT_FALSE(ListFile::read(dir.filePath("missing.lst")).has_value());
}

}  // namespace
