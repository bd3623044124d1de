#include "document/piece_load.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "platform/piece_reader.h"
#include "shell/frm_main.h"

namespace document {
namespace {

// The longest the main thread puts pieces into the editor before it lets the window work.
constexpr qint64 kSliceMs = 25;

// Keys that look through a text without changing it: they reach the editor while it loads.
bool looksOnly(const QKeyEvent& key) {
  const auto mods = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (mods == Qt::ControlModifier && (key.key() == Qt::Key_C || key.key() == Qt::Key_Insert))
    return true;
  if (mods != Qt::NoModifier && mods != Qt::ControlModifier) return false;
  switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

// The window while a load runs: every command off (each as it was put back after), Escape stops
// the load, keys that would change the text or run a command go nowhere, and a close waits for
// the load to stop.
// The windows a load runs in (the main thread's only).
std::vector<const shell::FrmMain*>& loadingWindows() {
  static std::vector<const shell::FrmMain*> windows;
  return windows;
}

class LoadingWindow : public QObject {
 public:
  LoadingWindow(shell::FrmMain& window, std::function<void()> stop)
      : m_window(window), m_stop(std::move(stop)) {
    loadingWindows().push_back(&window);
    for (QAction* action : window.commands().allActions()) {
      if (!action->isEnabled()) continue;
      action->setEnabled(false);
      m_disabled.push_back(action);
    }
    const auto off = [this](QWidget* widget) {
      if (!widget || !widget->isEnabled()) return;
      widget->setEnabled(false);
      m_widgets.push_back(widget);
    };
    off(window.menuBar());
    for (QToolBar* bar : window.findChildren<QToolBar*>()) off(bar);
    off(window.sidePanel(shell::Side::Left));
    off(window.sidePanel(shell::Side::Right));
    qApp->installEventFilter(this);
  }
  ~LoadingWindow() override {
    std::erase(loadingWindows(), &m_window);
    qApp->removeEventFilter(this);
    for (const QPointer<QAction>& action : m_disabled)
      if (action) action->setEnabled(true);
    for (const QPointer<QWidget>& widget : m_widgets)
      if (widget) widget->setEnabled(true);
    if (m_closeAfter) QTimer::singleShot(0, &m_window, [window = &m_window] { window->close(); });
  }

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::Close && target == &m_window) {
      m_closeAfter = true;
      m_stop();
      event->ignore();
      return true;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
      return false;
    const auto* widget = qobject_cast<QWidget*>(target);
    if (!widget || widget->window() != &m_window) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() == Qt::Key_Escape) {
      if (event->type() == QEvent::KeyPress) m_stop();
      // Overridden: the exit on Escape must not fire while Escape stops the load.
      event->accept();
      return true;
    }
    return !looksOnly(key);
  }

 private:
  shell::FrmMain& m_window;
  std::function<void()> m_stop;
  std::vector<QPointer<QAction>> m_disabled;
  std::vector<QPointer<QWidget>> m_widgets;
  bool m_closeAfter = false;
};

}  // namespace

QString LoadingStatus(int percent) {
  return QStringLiteral("Загрузка файла: %1%  (Esc — остановить)").arg(percent);
}

bool LoadUnderWay(const shell::FrmMain& window) {
  return std::ranges::find(loadingWindows(), &window) != loadingWindows().end();
}

PieceLoadResult LoadInPieces(shell::FrmMain& window, const QString& path) {
  PieceLoadResult result;
  platform::EditControl& editor = window.txtMain();
  Document& doc = window.document();
  if (!window.isVisible()) window.show();
  const QString statusBefore = window.statusText().text();

  QEventLoop loop;
  QObject pump;
  std::atomic<bool> queued{false};
  std::function<void()> drain;
  // Called by the worker too: one drain waits in the queue at a time.
  const auto post = [&pump, &queued, &drain] {
    if (!queued.exchange(true))
      QMetaObject::invokeMethod(&pump, [&drain] { drain(); }, Qt::QueuedConnection);
  };
  // Declared after the pump, so the worker is gone before anything it posts to.
  auto reader = std::make_unique<platform::PieceReader>(path, post, qsizetype(1) << 20,
                                                        window.txtMain().buffersForLoad());
  bool userStopped = false;
  bool began = false;
  int shownPercent = -1;

  // Once the first piece is in hand the old text goes: up to then a file that cannot be read
  // leaves everything as it was.
  const auto begin = [&] {
    began = true;
    editor.beginLoad(reader->expectedBytes());
    doc.setDirty(false);
    doc.setCurCodir(1);
    doc.setFidelity({});
    doc.setPartial(Partial::Loading);
    doc.setPath(path);
    doc.rememberDiskState();
  };
  drain = [&] {
    queued = false;
    QElapsedTimer slice;
    slice.start();
    bool more = false;
    while (!userStopped) {
      if (slice.elapsed() >= kSliceMs) {
        more = true;
        break;
      }
      std::optional<platform::PieceReader::Piece> piece = reader->take();
      if (!piece) break;
      if (!began) begin();
      editor.appendLoaded(piece->utf8, piece->breaks);
    }
    const qint64 total = reader->bytesTotal();
    const int percent = total > 0 ? int(reader->bytesDone() * 100 / total) : 0;
    if (began && percent != shownPercent) {
      shownPercent = percent;
      window.statusText().setText(LoadingStatus(percent));
      Q_EMIT doc.loadProgress(percent);
    }
    if (userStopped || (reader->done() && !reader->waiting())) {
      loop.quit();
    } else if (more) {
      post();
    }
  };
  LoadingWindow guard(window, [&] {
    userStopped = true;
    reader->stop();
    post();
  });
  // Said at once: reading and sizing up a big file comes before its first piece, a good part
  // of a second for 100 MB, in which the window showed no sign of a load.
  shownPercent = 0;
  window.statusText().setText(LoadingStatus(0));
  loop.exec();
  // The colours foreseen were this file's, even when it never came in.
  editor.expectColours(true);

  bool complete = reader->done() && !reader->waiting() && !reader->stopped();
  const platform::PieceReader::Outcome outcome = reader->finish();
  // A reading that failed after some text came in (memory ran out) left only part of the file.
  complete = complete && !outcome.error;
  if (!began) {
    window.statusText().setText(statusBefore);
    if (outcome.error) {
      result.error = outcome.error;
      return result;
    }
    if (!complete) {
      // Stopped before anything came: the old document stays as it was.
      result.stopped = true;
      return result;
    }
    begin();  // the file was empty by the time it was read
  }
  // A file that changed under the reader may have given bytes the count does not describe.
  editor.endLoad(outcome.format, complete && !outcome.shrunk
                                     ? std::optional<long>(outcome.utf16Length)
                                     : std::nullopt);
  result.replaced = true;
  result.error = outcome.error;
  result.stopped = !complete;
  result.report = {outcome.shrunk || !complete, outcome.fidelity};
  return result;
}

}  // namespace document
