#include "platform/dropped_files.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace platform {

QStringList DroppedFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    if (!QFileInfo(path).isDir()) files << path;
  }
  return files;
}

bool AcceptFileDrag(QDropEvent& event) {
  if (DroppedFiles(event.mimeData()).isEmpty()) return false;
  const Qt::DropActions offered = event.possibleActions();
  if (offered & Qt::CopyAction)
    event.setDropAction(Qt::CopyAction);
  else if (offered & Qt::LinkAction)
    event.setDropAction(Qt::LinkAction);
  else
    return false;
  event.accept();
  return true;
}

}  // namespace platform
