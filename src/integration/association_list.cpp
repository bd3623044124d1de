// "Associated.lst": one extension per line, "En" in front of a checked one. The file has always
// begun with an empty line, which readers skip like any other empty item.
#include "integration/association_list.h"

#include "platform/list_file.h"

namespace integration {
namespace {

const QString kCheckedPrefix = QStringLiteral("En");

bool isForbidden(QChar c) {
  if (c.category() == QChar::Other_Control) return true;
  return c == u'/' || c == u'\\' || c == u'*' || c == u'?' || c == u'[' || c == u']';
}

}  // namespace

std::optional<QString> normalizeExtension(const QString& extension) {
  QString ext = extension.trimmed();
  if (ext.isEmpty()) return std::nullopt;
  if (!ext.startsWith(u'.')) ext.prepend(u'.');
  // NAME_MAX bounds a file name, and so any extension a file can have.
  if (ext.size() < 2 || ext.size() > 255) return std::nullopt;
  for (const QChar c : ext)
    if (isForbidden(c)) return std::nullopt;
  return ext;
}

QStringList associationLines(const AssociationList& list) {
  QStringList lines;
  lines.reserve(list.size());
  for (const AssociationItem& item : list) {
    if (item.checked)
      lines.append(kCheckedPrefix + item.extension);
    else if (item.extension.startsWith(kCheckedPrefix))
      lines.append(u'.' + item.extension);
    else
      lines.append(item.extension);
  }
  return lines;
}

AssociationList parseAssociationLines(const QStringList& lines) {
  AssociationList list;
  for (const QString& line : lines) {
    if (line.isEmpty()) continue;
    AssociationItem item;
    item.checked = line.startsWith(kCheckedPrefix);
    item.extension = item.checked ? line.sliced(kCheckedPrefix.size()) : line;
    if (!normalizeExtension(item.extension)) continue;
    list.append(item);
  }
  return list;
}

AssociationList LoadAssociations(const QString& path) {
  const auto lines = platform::ListFile::read(path);
  return lines ? parseAssociationLines(*lines) : AssociationList{};
}

bool SaveAssociations(const QString& path, const AssociationList& list, QString* error) {
  // The leading empty item makes the file begin with a line break, as it always has.
  return platform::ListFile::write(path, QStringList{QString()} + associationLines(list), error);
}

}  // namespace integration
