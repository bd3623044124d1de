#include "document/backup.h"

#include "document/file_paths.h"

namespace document {

QString BackupPath(const QString& path) {
  if (path.isEmpty()) return QString();
  const QString extension = FileExtension(path);
  if (extension.isEmpty()) return (path.endsWith('.') ? path : path + ".") + "bak";
  return path.chopped(extension.size()) + "bak";
}

}  // namespace document
