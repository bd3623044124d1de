// The bookmark records of "Bookmarks.lst": reading the position, what makes an item a bookmark,
// and that changing one bookmark leaves every other item of the file as it was.
#include "navigation/bookmark_list.h"

#include <gtest/gtest.h>

namespace navigation {
namespace {

TEST(LeadingPosition, ReadsTheDigitsAtTheStartAndNeverOverflows) {
  struct {
    QString text;
    int expect;
  } cases[] = {
      {"", 0},
      {"7", 7},
      {"12abc", 12},
      {"  17", 17},
      {"0017", 17},
      {"abc", 0},
      {"-3", 0},
      {"+3", 0},
      {"1 2", 1},
      {"2147483647", kMaxBookmarkPosition},
      {"2147483648", kMaxBookmarkPosition},
      {"99999999999999999999999999", kMaxBookmarkPosition},
      {"١٢", 0},  // digits of another script are no position
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(LeadingPosition(c.text), c.expect);
  }
}

TEST(ParseBookmark, TakesTheFirstThreeFields) {
  struct {
    QString item;
    std::optional<Bookmark> expect;
  } cases[] = {
      {"/home/u/a.txt>Письмо>17", Bookmark{"/home/u/a.txt", "Письмо", 17}},
      {"a>b>12abc", Bookmark{"a", "b", 12}},
      {"a>b>", Bookmark{"a", "b", 0}},
      {">>", Bookmark{"", "", 0}},
      {"a>b>5>extra", Bookmark{"a", "b", 5}},
      {"a>b", std::nullopt},
      {"just a path", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item.toStdString());
    EXPECT_EQ(ParseBookmark(c.item), c.expect);
  }
}

TEST(BookmarkProblem, RefusesWhatTheFileCannotHold) {
  struct {
    const char* name;
    BookmarkFields fields;
    bool refused;
  } cases[] = {
      {"ordinary", {"/a.txt", "a", "3"}, false},
      {"position any text", {"/a.txt", "a", "12abc"}, false},
      {"empty position", {"/a.txt", "a", ""}, false},
      {"commas and quotes", {"/a,\"b\".txt", "x, \"y\"", "1"}, false},
      {"separator in name", {"/a.txt", "a>b", "1"}, true},
      {"separator in document", {"/a>b.txt", "a", "1"}, true},
      {"separator in position", {"/a.txt", "a", "1>2"}, true},
      {"no document", {"", "a", "1"}, true},
      {"blank name", {"/a.txt", "  ", "1"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BookmarkProblem(c.fields).has_value(), c.refused);
  }
}

TEST(BookmarkList, ShowsOnlyBookmarksButKeepsEveryOtherItem) {
  const BookmarkList list({"/a>A>1", "half>written", "", "/b>B>2x", "note"});
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.bookmarks()[0], (Bookmark{"/a", "A", 1}));
  EXPECT_EQ(list.bookmarks()[1], (Bookmark{"/b", "B", 2}));
  // Empty items go; a line someone wrote by hand stays.
  EXPECT_EQ(list.items(), QStringList({"/a>A>1", "half>written", "/b>B>2x", "note"}));
}

TEST(BookmarkList, RemovingOrChangingOneLeavesTheOthersAsWritten) {
  const QStringList three{"/one>Один>3", "/two>Два>12abc", "skip", "/three>Три>0"};
  {
    SCOPED_TRACE("remove the middle one");
    BookmarkList list(three);
    list.remove(1);
    EXPECT_EQ(list.items(), QStringList({"/one>Один>3", "skip", "/three>Три>0"}));
    // The places after the removed one still find their own items.
    list.replace(1, {"/3", "Три", 9});
    EXPECT_EQ(list.items(), QStringList({"/one>Один>3", "skip", "/3>Три>9"}));
  }
  {
    SCOPED_TRACE("places outside the list");
    BookmarkList list(three);
    list.remove(3);
    list.remove(-1);
    list.replace(3, {"/x", "x", 1});
    EXPECT_EQ(list.items(), three);
  }
}

}  // namespace
}  // namespace navigation
