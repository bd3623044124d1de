// Backup copies of the document.
#pragma once

#include <QString>

namespace document {

// The backup of a file: its own name with the extension replaced by "bak", in the same folder;
// a name without extension gets ".bak" added. A dot in a folder name plays no part.
QString BackupPath(const QString& path);

}  // namespace document
