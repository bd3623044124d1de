#include "navigation/bookmark_file.h"

#include <QFileInfo>

#include "platform/list_file.h"
#include "platform/text_file.h"

namespace navigation {

BookmarkList ReadBookmarks(const QString& path) {
  const auto items = platform::ListFile::read(path);
  return items ? BookmarkList(*items) : BookmarkList();
}

bool AppendBookmark(const QString& path, const BookmarkFields& fields, QString* error) {
  const QStringList item{BookmarkItem(fields)};
  if (!QFileInfo::exists(path)) return platform::ListFile::write(path, item, error);
  const auto file = platform::TextFile::read(path, error);
  if (!file) return false;
  QString addition = platform::ListFile::format(item);
  if (!file->text.isEmpty() && !file->text.endsWith(u'\n')) addition.prepend(QStringLiteral("\r\n"));
  const QByteArray utf8 = addition.toUtf8();
  platform::TextFormat format = file->format;
  if (format.encoding == platform::Encoding::Windows1251 &&
      !platform::TextFile::fitsWindows1251(utf8))
    return platform::TextFile::write(path, file->text + addition, format, error);
  format.bom = false;  // the file has its mark already, if any
  QByteArray bytes;
  platform::TextFile::encodeFromUtf8(utf8, format,
                                     [&bytes](QByteArrayView piece) { bytes.append(piece); });
  return platform::TextFile::appendBytes(path, bytes, error);
}

bool WriteBookmarks(const QString& path, const BookmarkList& list, QString* error) {
  return platform::ListFile::write(path, list.items(), error);
}

}  // namespace navigation
