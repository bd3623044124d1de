#include "platform/start_program.h"

#include <QProcess>

namespace platform {

bool StartProgram(const QString& program, const QStringList& arguments) {
  if (program.trimmed().isEmpty()) return false;
  return QProcess::startDetached(program, arguments);
}

}  // namespace platform
