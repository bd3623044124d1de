// A script at work in the main window for longer than a moment. After a second the status bar
// tells how far it has come and the window's events run now and then, so that it is painted and
// hears Escape, which stops the script. Meanwhile no key, click or drop reaches the program's
// windows (a modal box that something else raised aside), and closing the window waits for the
// script to stop.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

namespace automation {

// How long a script runs before the window hears from it, and how often then.
inline constexpr qint64 kScriptQuietMs = 1000;
inline constexpr qint64 kScriptEventsEveryMs = 50;

// "Выполнение скрипта: 45%  (Esc — остановить)".
QString ScriptProgressStatus(int percent);

class MacroRunWatch final : public QObject {
 public:
  // `window` is the main window, `status` its status line.
  MacroRunWatch(QWidget& window, QLabel& status, qint64 quietMs = kScriptQuietMs,
                qint64 everyMs = kScriptEventsEveryMs);
  // Puts the status bar back and, when a close was asked for meanwhile, closes the window once
  // the caller is done.
  ~MacroRunWatch() override;
  MacroRunWatch(const MacroRunWatch&) = delete;
  MacroRunWatch& operator=(const MacroRunWatch&) = delete;

  // Asked before each statement (MacroRunOptions::keepGoing): false once the user stopped it.
  bool keepGoing(qsizetype done, qsizetype total);
  bool stoppedByUser() const { return m_stop; }

 protected:
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  void arm();
  void showProgress(qsizetype done, qsizetype total);

  QWidget& m_window;
  QLabel& m_status;
  qint64 m_quietMs;
  qint64 m_everyMs;
  QElapsedTimer m_clock;
  qint64 m_lastEvents = 0;
  int m_shownPercent = -1;
  bool m_armed = false;
  bool m_stop = false;
  bool m_closeAfter = false;
  QString m_statusBefore;
};

}  // namespace automation
