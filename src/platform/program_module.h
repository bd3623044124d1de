// The program's own modules (the key sound's device, the ciphers): libraries it loads on first
// use, so that a session that never needs them never maps them or what they depend on.
#pragma once

#include <QFunctionPointer>
#include <QString>

namespace platform {

// The entry point `symbol` of the module `fileName`, looked for beside the program (the build
// tree, the tests) and then where an installation puts it; null when neither has it. The module
// stays loaded for the rest of the session: what it made must outlive every use.
QFunctionPointer ProgramModuleEntry(const QString& fileName, const char* symbol);

}  // namespace platform
