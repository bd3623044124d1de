#include "document/file_drop.h"

#include <QDropEvent>
#include <QMetaObject>
#include <QStringList>
#include <QWidget>

#include "platform/dropped_files.h"

namespace document {
namespace {

// The one document takes one file. Opening may ask whether to save first; asked inside the
// drop, the question would hold the file manager's drag until it was answered.
void openFirst(QWidget& window, const OpenDropped& open, const QStringList& paths) {
  if (paths.isEmpty()) return;
  QMetaObject::invokeMethod(
      &window,
      [&window, open, path = paths.first()] {
        window.activateWindow();
        open(path);
      },
      Qt::QueuedConnection);
}

// Takes the drops on the window outside the text: the tool bar, the status bar, the frame of
// the panels.
class WindowDrop : public QObject {
 public:
  WindowDrop(QWidget& window, OpenDropped open)
      : QObject(&window), m_window(window), m_open(std::move(open)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &m_window) return false;
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop: {
        auto& drop = *static_cast<QDropEvent*>(event);
        if (!platform::AcceptFileDrag(drop)) return false;
        if (event->type() == QEvent::Drop)
          openFirst(m_window, m_open, platform::DroppedFiles(drop.mimeData()));
        return true;
      }
      default:
        return false;
    }
  }

 private:
  QWidget& m_window;
  OpenDropped m_open;
};

}  // namespace

void InstallFileDrop(QWidget& window, OpenDropped open) {
  window.setAcceptDrops(true);
  window.installEventFilter(new WindowDrop(window, open));
  // The editor, its lower view and the code library's text hand their file drops here.
  platform::SetFileDropHandler(window, [&window, open](const QStringList& paths) {
    openFirst(window, open, paths);
  });
}

}  // namespace document
