#include "platform/dropped_files.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace platform {
namespace {

// The window's handler, a child of the window so that it goes with it.
class DropHandlerHolder : public QObject {
 public:
  static constexpr char kName[] = "ostrelFileDropHandler";
  DropHandlerHolder(QWidget& window, FileDropHandler open)
      : QObject(&window), open(std::move(open)) {
    setObjectName(kName);
  }
  FileDropHandler open;
};

DropHandlerHolder* holderOf(const QWidget& window) {
  // Found by name: without a meta-object of its own the class cannot be looked for by type.
  return dynamic_cast<DropHandlerHolder*>(window.findChild<QObject*>(
      QLatin1String(DropHandlerHolder::kName), Qt::FindDirectChildrenOnly));
}

}  // namespace

QStringList DroppedFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    const QFileInfo file(path);
    if (file.exists() && !file.isDir()) files << path;
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

void SetFileDropHandler(QWidget& window, FileDropHandler open) {
  if (DropHandlerHolder* holder = holderOf(window))
    holder->open = std::move(open);
  else
    new DropHandlerHolder(window, std::move(open));
}

const FileDropHandler* FileDropHandlerOf(const QWidget& widget) {
  const QWidget* window = widget.window();
  const DropHandlerHolder* holder = window ? holderOf(*window) : nullptr;
  return holder && holder->open ? &holder->open : nullptr;
}

}  // namespace platform
