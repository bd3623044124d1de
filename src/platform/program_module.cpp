#include "platform/program_module.h"

#include <QCoreApplication>
#include <QLibrary>

namespace platform {

QFunctionPointer ProgramModuleEntry(const QString& fileName, const char* symbol) {
  for (const QString& dir : {QCoreApplication::applicationDirPath(),
                             QStringLiteral(OSTREL_LIB_DIR)}) {
    QLibrary module(dir + QLatin1Char('/') + fileName);
    module.setLoadHints(QLibrary::PreventUnloadHint);
    if (const QFunctionPointer entry = module.resolve(symbol)) return entry;
  }
  return nullptr;
}

}  // namespace platform
