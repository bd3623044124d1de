#include "document/file_drop.h"

#include <QDropEvent>
#include <QMetaObject>

#include "document/open_file.h"
#include "platform/dropped_files.h"
#include "shell/frm_main.h"

namespace document {
namespace {

// Takes the drops on the window outside the text: the tool bar, the status bar, the frame of
// the panels.
class WindowDrop : public QObject {
 public:
  explicit WindowDrop(shell::FrmMain& window) : QObject(&window), m_window(window) {}

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
          OpenDroppedFiles(m_window, platform::DroppedFiles(drop.mimeData()));
        return true;
      }
      default:
        return false;
    }
  }

 private:
  shell::FrmMain& m_window;
};

}  // namespace

void OpenDroppedFiles(shell::FrmMain& window, const QStringList& paths) {
  if (paths.isEmpty()) return;
  // The one document takes one file. Opening may ask whether to save first; asked inside the
  // drop, the question would hold the file manager's drag until it was answered.
  const QString path = paths.first();
  QMetaObject::invokeMethod(
      &window,
      [&window, path] {
        window.activateWindow();
        LFile(window, path);
        window.focusEditor();
      },
      Qt::QueuedConnection);
}

void InstallFileDrop(shell::FrmMain& window) {
  window.setAcceptDrops(true);
  window.installEventFilter(new WindowDrop(window));
  // The editor, its lower view and the code library's text hand their file drops here.
  platform::SetFileDropHandler(
      window, [&window](const QStringList& paths) { OpenDroppedFiles(window, paths); });
}

}  // namespace document
