// Global bookmarks as "Bookmarks.lst" holds them: one list item per bookmark, made of the
// document's path, the bookmark's name and the caret's column, separated by ">".
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace navigation {

struct Bookmark {
  QString document;
  QString name;
  int position = 0;  // a character column, never negative
  bool operator==(const Bookmark&) const = default;
};

// The three texts of a bookmark as the user typed them: the position may be any text.
struct BookmarkFields {
  QString document;
  QString name;
  QString position;
  bool operator==(const BookmarkFields&) const = default;
};

// The largest position kept; a longer run of digits means the end of the line anyway.
inline constexpr int kMaxBookmarkPosition = 2147483647;

// The number at the start of a position text: blanks skipped, then the digits, capped at
// kMaxBookmarkPosition; 0 without digits. Examples: "12abc" is 12, " 7" is 7, "-3" and "" are 0.
int LeadingPosition(const QString& text);

// One item of the file: document ">" name ">" position (the position text as given).
QString BookmarkItem(const BookmarkFields& fields);
QString BookmarkItem(const Bookmark& bookmark);

// The bookmark an item holds: its first three ">"-separated fields (more are ignored); nullopt
// for an item with fewer than three.
std::optional<Bookmark> ParseBookmark(const QString& item);

// Why these fields cannot be a bookmark, in the user's words; nullopt when they can. A ">"
// would move every field after it; a bookmark without a document or a name leads nowhere.
std::optional<QString> BookmarkProblem(const BookmarkFields& fields);

// The items of the file with the bookmarks among them, in file order. Items that hold no
// bookmark are not shown but stay in the file when it is written again, so a line someone
// wrote by hand is never lost; empty items are dropped.
class BookmarkList {
 public:
  BookmarkList() = default;
  explicit BookmarkList(const QStringList& items);

  const QList<Bookmark>& bookmarks() const { return m_bookmarks; }
  int count() const { return int(m_bookmarks.size()); }
  // What writing the list puts in the file, one item per line.
  const QStringList& items() const { return m_items; }

  // Both do nothing for an index outside the list.
  void remove(int index);
  void replace(int index, const Bookmark& bookmark);

 private:
  QStringList m_items;
  QList<Bookmark> m_bookmarks;
  QList<int> m_itemOf;  // the item each bookmark stands in
};

}  // namespace navigation
