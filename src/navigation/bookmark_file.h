// "Bookmarks.lst" on disk: read as a list file, a new bookmark appended as one line of its own,
// every other change written whole.
#pragma once

#include <QString>

#include "navigation/bookmark_list.h"

namespace navigation {

// The bookmarks of the file; a missing or unreadable file has none.
BookmarkList ReadBookmarks(const QString& path);

// Adds one line after the others, quoted as the list reader needs and in the file's own
// encoding and line ends; the lines already there keep their bytes. A last line without its
// line end gets one first, so the new bookmark never joins it. A file whose encoding cannot
// hold the new line is written whole in one that can. Creates a missing file.
bool AppendBookmark(const QString& path, const BookmarkFields& fields, QString* error = nullptr);

// Writes the list whole, one item per line.
bool WriteBookmarks(const QString& path, const BookmarkList& list, QString* error = nullptr);

}  // namespace navigation
