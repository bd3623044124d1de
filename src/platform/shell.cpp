#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

bool Shell::open(const QString& target) {
  if (target.trimmed().isEmpty()) return false;
  const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath())
                                             : QUrl::fromUserInput(target);
  return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace platform
