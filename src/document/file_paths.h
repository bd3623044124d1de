// Path helpers shared by the file commands.
#pragma once

#include <QString>

namespace document {

// The extension of the file's own name (text after its last "."), "" when the name has none.
// A dot in a folder name does not count.
QString FileExtension(const QString& name);

// The folder of a path: "" for ""; the path less its last character when it ends in a
// separator; the part before the last separator when the last component holds a "." (a last
// component without a dot counts as a folder, so the whole path comes back); "" without any
// separator.
QString FileFolder(const QString& path);

}  // namespace document
