#include "document/file_paths.h"

namespace document {

QString FileExtension(const QString& name) {
  const qsizetype sep = std::max(name.lastIndexOf('/'), name.lastIndexOf('\\'));
  const qsizetype dot = name.lastIndexOf('.');
  return dot > sep ? name.mid(dot + 1) : QString();
}

QString FileFolder(const QString& path) {
  if (path.isEmpty()) return QString();
  if (path.endsWith('\\') || path.endsWith('/')) return path.chopped(1);
  const QChar sep = path.contains('\\') ? QChar('\\') : QChar('/');
  const qsizetype cut = path.lastIndexOf(sep);
  if (cut < 0) return QString();
  return cut < path.lastIndexOf('.') ? path.left(cut) : path;
}

}  // namespace document
