#include "navigation/bookmark_list.h"

#include <algorithm>

namespace navigation {
namespace {

constexpr QChar kSeparator = u'>';

}  // namespace

int LeadingPosition(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  qint64 value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
    value = std::min<qint64>(kMaxBookmarkPosition, value * 10 + (text[i].unicode() - u'0'));
  return int(value);
}

QString BookmarkItem(const BookmarkFields& fields) {
  return fields.document + kSeparator + fields.name + kSeparator + fields.position;
}

QString BookmarkItem(const Bookmark& bookmark) {
  return BookmarkItem({bookmark.document, bookmark.name, QString::number(bookmark.position)});
}

std::optional<Bookmark> ParseBookmark(const QString& item) {
  const QStringList fields = item.split(kSeparator);
  if (fields.size() < 3) return std::nullopt;
  return Bookmark{fields[0], fields[1], LeadingPosition(fields[2])};
}

std::optional<QString> BookmarkProblem(const BookmarkFields& fields) {
  if (fields.document.contains(kSeparator) || fields.name.contains(kSeparator) ||
      fields.position.contains(kSeparator))
    return QStringLiteral("Документ, название и позиция закладки не могут содержать знак «>».");
  if (fields.document.trimmed().isEmpty()) return QStringLiteral("Укажите документ закладки.");
  if (fields.name.trimmed().isEmpty()) return QStringLiteral("Укажите название закладки.");
  return std::nullopt;
}

BookmarkList::BookmarkList(const QStringList& items) {
  for (const QString& item : items) {
    if (item.isEmpty()) continue;
    if (const auto bookmark = ParseBookmark(item)) {
      m_bookmarks.append(*bookmark);
      m_itemOf.append(int(m_items.size()));
    }
    m_items.append(item);
  }
}

void BookmarkList::remove(int index) {
  if (index < 0 || index >= count()) return;
  m_items.removeAt(m_itemOf[index]);
  m_bookmarks.removeAt(index);
  m_itemOf.removeAt(index);
  for (int k = index; k < count(); ++k) --m_itemOf[k];
}

void BookmarkList::replace(int index, const Bookmark& bookmark) {
  if (index < 0 || index >= count()) return;
  m_bookmarks[index] = bookmark;
  m_items[m_itemOf[index]] = BookmarkItem(bookmark);
}

}  // namespace navigation
