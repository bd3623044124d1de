#include "automation/macro_run_watch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace automation {
namespace {

bool isUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

}  // namespace

QString ScriptProgressStatus(int percent) {
  return QStringLiteral("Выполнение скрипта: %1%  (Esc — остановить)").arg(percent);
}

MacroRunWatch::MacroRunWatch(QWidget& window, QLabel& status, qint64 quietMs, qint64 everyMs)
    : m_window(window), m_status(status), m_quietMs(quietMs), m_everyMs(everyMs) {
  m_clock.start();
}

MacroRunWatch::~MacroRunWatch() {
  if (!m_armed) return;
  qApp->removeEventFilter(this);
  m_status.setText(m_statusBefore);
  if (m_closeAfter) QTimer::singleShot(0, &m_window, [window = &m_window] { window->close(); });
}

bool MacroRunWatch::keepGoing(qsizetype done, qsizetype total) {
  if (m_stop) return false;
  const qint64 now = m_clock.elapsed();
  if (!m_armed) {
    if (now < m_quietMs) return true;
    arm();
  } else if (now - m_lastEvents < m_everyMs) {
    return true;
  }
  m_lastEvents = now;
  showProgress(done, total);
  QCoreApplication::processEvents();
  return !m_stop;
}

void MacroRunWatch::arm() {
  m_armed = true;
  m_statusBefore = m_status.text();
  qApp->installEventFilter(this);
}

void MacroRunWatch::showProgress(qsizetype done, qsizetype total) {
  const int percent = total > 0 ? int(done * 100 / total) : 0;
  if (percent == m_shownPercent) return;
  m_shownPercent = percent;
  m_status.setText(ScriptProgressStatus(percent));
}

bool MacroRunWatch::eventFilter(QObject* target, QEvent* event) {
  if (event->type() == QEvent::Close && target == &m_window) {
    m_stop = true;
    m_closeAfter = true;
    event->ignore();
    return true;
  }
  if (!isUserInput(event->type())) return false;
  const auto* widget = qobject_cast<QWidget*>(target);
  if (!widget) return false;
  // A modal box raised meanwhile (by a timer's work, not by the script) must still be answerable.
  if (const QWidget* modal = QApplication::activeModalWidget(); modal && widget->window() == modal)
    return false;
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() == Qt::Key_Escape && event->type() == QEvent::KeyPress) m_stop = true;
    // Taken as overridden, so that no shortcut (the exit on Escape among them) fires; the key
    // then comes as a press, and goes nowhere either.
    event->accept();
  }
  return true;
}

}  // namespace automation
