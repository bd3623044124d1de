// "Bookmarks.lst" on disk: every bookmark reads back as it was written, commas and quotes
// included, and a new bookmark is added after the lines already there without touching them.
#include "navigation/bookmark_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/test_files.h"

namespace navigation {
namespace {

using test_files::bytesOf;

class BookmarkFileTest : public ::testing::Test {
 protected:
  QString path() const { return m_dir.filePath("Bookmarks.lst"); }
  QTemporaryDir m_dir;
};

// Regression: a comma in a path or a name cut the line into two items, neither a bookmark.
TEST_F(BookmarkFileTest, CommasAndQuotesReadBackAsWritten) {
  const BookmarkFields cases[] = {
      {"/home/u/a,b.txt", "plain", "3"},
      {"/home/u/a.txt", "Письмо, черновик", "17"},
      {"/home/u/\"q\".txt", "say \"hi\"", "0"},
      {"/home/u/x.txt", "\"", "1"},
      {" /lead.txt", "trail ", "2"},
      {"/home/u/a.txt", "12abc", "12abc"},
  };
  QList<Bookmark> expect;
  for (const BookmarkFields& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    ASSERT_TRUE(AppendBookmark(path(), c));
    expect.append({c.document, c.name, LeadingPosition(c.position)});
    EXPECT_EQ(ReadBookmarks(path()).bookmarks(), expect);
  }
  // Written whole, they come back the same again.
  ASSERT_TRUE(WriteBookmarks(path(), ReadBookmarks(path())));
  EXPECT_EQ(ReadBookmarks(path()).bookmarks(), expect);
}

TEST_F(BookmarkFileTest, MissingFileHasNoBookmarksAndIsMadeByTheFirst) {
  EXPECT_EQ(ReadBookmarks(path()).count(), 0);
  ASSERT_TRUE(AppendBookmark(path(), {"/a.txt", "a", "5"}));
  EXPECT_EQ(bytesOf(path()), "/a.txt>a>5\r\n");
}

TEST_F(BookmarkFileTest, AppendingLeavesTheLinesBeforeItAsTheyWere) {
  struct {
    const char* name;
    QByteArray before;
    QByteArray after;
  } cases[] = {
      {"crlf", "/a>A>1\r\nhand written\r\n", "/a>A>1\r\nhand written\r\n/n>N,1>7\r\n"},
      {"no final line end", "/a>A>1", "/a>A>1\r\n/n>N,1>7\r\n"},
      {"lf file keeps lf", "/a>A>1\n/b>B>2\n", "/a>A>1\n/b>B>2\n/n>N,1>7\n"},
      {"windows-1251 stays", "/a>\xCF\xF0\xE8\xE2\xE5\xF2>1\r\n",
       "/a>\xCF\xF0\xE8\xE2\xE5\xF2>1\r\n/n>N,1>7\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(test_files::put(path(), c.before));
    ASSERT_TRUE(AppendBookmark(path(), {"/n", "N,1", "7"}));
    // The name holds a comma, so the new line's item is quoted.
    QByteArray expect = c.after;
    expect.replace("/n>N,1>7", "\"/n>N,1>7\"");
    EXPECT_EQ(bytesOf(path()), expect);
    EXPECT_EQ(ReadBookmarks(path()).bookmarks().last(), (Bookmark{"/n", "N,1", 7}));
  }
}

// A name Windows-1251 cannot hold would have become "?" in a file of that code page.
TEST_F(BookmarkFileTest, NameBeyondTheFilesCodePageWidensTheFile) {
  ASSERT_TRUE(test_files::put(path(), "/a>\xCF\xF0\xE8\xE2\xE5\xF2>1\r\n"));
  ASSERT_TRUE(AppendBookmark(path(), {"/b", "日本", "2"}));
  const QList<Bookmark> expect{{"/a", "Привет", 1}, {"/b", "日本", 2}};
  EXPECT_EQ(ReadBookmarks(path()).bookmarks(), expect);
  EXPECT_EQ(bytesOf(path()), QString("/a>Привет>1\r\n/b>日本>2\r\n").toUtf8());
}

}  // namespace
}  // namespace navigation
