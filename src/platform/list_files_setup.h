// The standard list files every start makes sure of.
#pragma once

#include <QStringList>

namespace platform {

class AppPaths;

// Creates each standard list file that is missing, empty; existing ones are left untouched.
// Returns the names it created.
QStringList EnsureListFiles(const AppPaths& paths);

}  // namespace platform
