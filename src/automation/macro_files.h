// The file steps of macro scripts: finding a path that the script lower-cased on a file system
// that tells letter case apart, and deleting files by a wildcard without ever touching a folder.
#pragma once

#include <QString>
#include <QStringView>

namespace automation {

// The path with every leading component that exists matched without regard to letter case (the
// exact spelling wins when it exists); the components beyond the last existing one stay as they
// are spelled. "/home/user/notes.txt" finds "/home/User/Notes.txt", and "/home/user/new.txt"
// becomes "/home/User/new.txt" when only the folder exists.
QString ResolveLoweredPath(const QString& path);

// A file name against a pattern of "*" (any run of characters) and "?" (one character), without
// regard to letter case; every other character stands for itself. A name that starts with "."
// matches only a pattern that starts with "." too, as hidden files are left alone by wildcards.
bool MatchesWildcard(QStringView name, QStringView pattern);

// Deletes `path` when it is a regular file or a symbolic link that does not lead to a folder (the
// link itself goes, never what it leads to). With "*" or "?" in the name part, deletes every such
// entry of that one folder whose name matches; subfolders are never entered. Returns how many
// entries were deleted.
int KillFiles(const QString& path);

}  // namespace automation
