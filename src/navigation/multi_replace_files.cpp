#include "navigation/multi_replace_files.h"

#include <QFileInfo>

#include "navigation/multi_replace.h"
#include "platform/file_reader.h"
#include "platform/list_file.h"
#include "platform/text_file.h"

namespace navigation {

using platform::Encoding;
using platform::TextFormat;
namespace TextFile = platform::TextFile;
namespace ListFile = platform::ListFile;

std::optional<QString> ReadReplacementList(const QString& path, QString* error) {
  const auto file = TextFile::read(path, error);
  if (!file) return std::nullopt;
  QString list;
  for (const QString& item : ListFile::parse(file->text)) list += item + QStringLiteral("\r\n");
  return list;
}

bool WriteReplacementList(const QString& path, const QString& list, QString* error) {
  QStringList lines = ReplacementListLines(list);
  // The list shown for a file ends in a line break; written as the start of one more, empty
  // line, every run or save made the file an empty line longer.
  if (lines.last().isEmpty()) lines.removeLast();
  return ListFile::write(path, lines, error);
}

QStringList ReadListItems(const QString& path) {
  return ListFile::read(path).value_or(QStringList());
}

bool AppendListItem(const QString& path, const QString& item, QString* error) {
  const QString line = ListFile::format({item});
  if (!QFileInfo::exists(path)) return ListFile::write(path, {item}, error);
  const auto old = platform::ReadRegularFile(path, error);
  if (!old) return false;
  if (old->bytes.isEmpty()) return ListFile::write(path, {item}, error);
  const TextFormat format = TextFile::detect(old->bytes);
  // The new item starts a line of its own even when the last line has no line end.
  const char last = old->bytes.back();
  const QString added = (last == '\n' || last == '\r' ? QString() : QStringLiteral("\r\n")) + line;
  const QByteArray utf8 = added.toUtf8();
  if (format.encoding == Encoding::Windows1251 && !TextFile::fitsWindows1251(utf8)) {
    const QString whole = TextFile::decode(old->bytes) + added;
    return TextFile::write(path, whole, TextFormat{Encoding::Utf8, false, format.lineEnd}, error);
  }
  QByteArray bytes;
  TextFile::encodeFromUtf8(utf8, TextFormat{format.encoding, false, format.lineEnd},
                           [&bytes](QByteArrayView piece) { bytes.append(piece); });
  return TextFile::appendBytes(path, bytes, error);
}

}  // namespace navigation
