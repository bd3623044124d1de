// The files of multiple replacement: a plain list is written byte for byte as the text and one
// CR LF, lines the list reader would cut are quoted and read back whole, and a saved path is
// added to "Multies.lst" without touching the lines already there.
#include "navigation/multi_replace_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/test_files.h"

namespace navigation {
namespace {

using test_files::bytesOf;
using test_files::put;

class MultiReplaceFilesTest : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return m_dir.filePath(name); }
  QTemporaryDir m_dir;
};

TEST_F(MultiReplaceFilesTest, PlainListIsTheTextAndOneCrLf) {
  const QString file = path("plain.lst");
  struct Case {
    QString list;
    QByteArray bytes;
  };
  // A list's final line break ends its last line; it opens no empty line of the file.
  const Case cases[] = {
      {"a=b\r\nc=d", "a=b\r\nc=d\r\n"},
      {"a=b\r\nc=d\r\n", "a=b\r\nc=d\r\n"},
      {"a=b\r\n\r\n", "a=b\r\n\r\n"},
      {"", ""},
      {"\r\n", "\r\n"},
      {"ёж=ЁЖ", "\xB8\xE6=\xA8\xC6\r\n"},  // Windows-1251
      {"a=b\nc=d", "a=b\r\nc=d\r\n"},
      {"a=b\nc=d\n", "a=b\r\nc=d\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list.toStdString());
    ASSERT_TRUE(WriteReplacementList(file, c.list));
    EXPECT_EQ(bytesOf(file), c.bytes);
  }
}

TEST_F(MultiReplaceFilesTest, LinesTheReaderWouldCutComeBackWhole) {
  const QString file = path("quoted.lst");
  const QString list = "a,b=c\r\n\"q\"=r\r\n x = y \r\nplain=p\r\n";
  ASSERT_TRUE(WriteReplacementList(file, list));
  EXPECT_EQ(bytesOf(file), "\"a,b=c\"\r\n\"\"\"q\"\"=r\"\r\n\" x = y \"\r\nplain=p\r\n");
  EXPECT_EQ(ReadReplacementList(file), list);
}

// The dialog shows a list file's items each followed by CR LF and writes that text back after
// every run: the file grew by an empty line each time ("LastMr.lst": 61, 63, 65... bytes).
TEST_F(MultiReplaceFilesTest, ReadingAndWritingBackKeepsTheFileAsItWas) {
  const QByteArray files[] = {
      "",
      "\r\n",
      "a=b\r\n",
      "a=b\r\nc=d\r\n",
      "a=b\r\n\r\nc=d\r\n\r\n",
      "\"a,b=c\"\r\n\" x =y\"\r\n",
      "\xB8\xE6=\xA8\xC6\r\n",
  };
  const QString file = path("cycle.lst");
  for (const QByteArray& bytes : files) {
    SCOPED_TRACE(bytes.toStdString());
    ASSERT_TRUE(put(file, bytes));
    const std::optional<QString> shown = ReadReplacementList(file);
    ASSERT_TRUE(shown);
    for (int run = 0; run < 3; ++run) {
      ASSERT_TRUE(WriteReplacementList(file, *ReadReplacementList(file)));
      EXPECT_EQ(bytesOf(file), bytes) << "run " << run;
      EXPECT_EQ(ReadReplacementList(file), shown) << "run " << run;
    }
  }
  // A typed list comes back as typed, ended by a line break; written again, the file stays.
  struct Typed {
    QString list;
    QString shown;
  };
  const Typed typed[] = {
      {"a=b", "a=b\r\n"}, {"a=b\r\n", "a=b\r\n"}, {"a=b\r\n\r\n\r\n", "a=b\r\n\r\n\r\n"}};
  for (const Typed& t : typed) {
    SCOPED_TRACE(t.list.toStdString());
    ASSERT_TRUE(WriteReplacementList(file, t.list));
    const QByteArray first = bytesOf(file);
    EXPECT_EQ(ReadReplacementList(file), t.shown);
    ASSERT_TRUE(WriteReplacementList(file, t.shown));
    EXPECT_EQ(bytesOf(file), first);
  }
}

TEST_F(MultiReplaceFilesTest, ReadingGivesEachItemWithCrLf) {
  ASSERT_TRUE(put(path("list.lst"), "a=b\nc=d"));
  EXPECT_EQ(ReadReplacementList(path("list.lst")), "a=b\r\nc=d\r\n");
  ASSERT_TRUE(put(path("empty.lst"), ""));
  EXPECT_EQ(ReadReplacementList(path("empty.lst")), "");
  QString error;
  EXPECT_EQ(ReadReplacementList(path("missing.lst"), &error), std::nullopt);
  EXPECT_FALSE(error.isEmpty());
}

TEST_F(MultiReplaceFilesTest, AppendingLeavesTheOldLinesAsTheyAre) {
  struct Case {
    const char* name;
    std::optional<QByteArray> before;  // nullopt: no file
    QString item;
    QByteArray after;
  };
  const Case cases[] = {
      {"missing file", std::nullopt, "/a.lst", "/a.lst\r\n"},
      {"empty file", "", "/a.lst", "/a.lst\r\n"},
      {"a line", "/old.lst\r\n", "/a.lst", "/old.lst\r\n/a.lst\r\n"},
      {"no final line end", "/old.lst", "/a.lst", "/old.lst\r\n/a.lst\r\n"},
      {"LF line ends", "/old.lst\n", "/a.lst", "/old.lst\n/a.lst\n"},
      {"a line the reader cuts stays", "/x, y.lst\r\n", "/a.lst", "/x, y.lst\r\n/a.lst\r\n"},
      {"quoted", "/old.lst\r\n", "/my, \"lists\".lst",
       "/old.lst\r\n\"/my, \"\"lists\"\".lst\"\r\n"},
      {"Windows-1251", "/\xF1\xF2\xE0\xF0\xFB\xE9.lst\r\n", "/новый.lst",
       "/\xF1\xF2\xE0\xF0\xFB\xE9.lst\r\n/\xED\xEE\xE2\xFB\xE9.lst\r\n"},
      {"UTF-8", "/старый.lst\r\n", "/новый.lst", "/старый.lst\r\n/новый.lst\r\n"},
      {"beyond Windows-1251", "/\xF1\xF2\xE0\xF0\xFB\xE9.lst\r\n", "/日本.lst",
       "/старый.lst\r\n/日本.lst\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file = path(QString::fromUtf8(c.name) + ".lst");
    if (c.before) {
      ASSERT_TRUE(put(file, *c.before));
    }
    EXPECT_TRUE(AppendListItem(file, c.item));
    EXPECT_EQ(bytesOf(file), c.after);
  }
}

TEST_F(MultiReplaceFilesTest, ListItemsInFileOrder) {
  ASSERT_TRUE(put(path("m.lst"), "/a.lst\r\n\"/b, c.lst\"\r\n"));
  EXPECT_EQ(ReadListItems(path("m.lst")), (QStringList{"/a.lst", "/b, c.lst"}));
  EXPECT_EQ(ReadListItems(path("none.lst")), QStringList());
}

}  // namespace
}  // namespace navigation
