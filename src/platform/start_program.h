// Starting another program with arguments, detached from this one and without a shell, so no
// argument is ever read as shell syntax.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// False when the program could not be started (missing, not executable, empty name).
bool StartProgram(const QString& program, const QStringList& arguments);

}  // namespace platform
