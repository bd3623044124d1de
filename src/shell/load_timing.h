// For measuring only. With OSTREL_QUIT_AFTER_LOAD=1 the program ends as soon as its window has
// painted with the document loaded, and tells on standard error when each start-up step ended and
// the longest stretch in which its event loop did not come round. scripts/whole-process-bench.sh
// times whole starts this way beside a bare editing component.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <utility>
#include <vector>

class QWidget;

namespace shell {

class LoadTiming : public QObject {
 public:
  // True when the environment asks for it.
  static bool requested();

  // `started`: running since the program began.
  explicit LoadTiming(const QElapsedTimer& started);

  void mark(const char* step);
  // Ends the program once `window` has painted on the screen, with the report.
  void quitWhenPainted(QWidget& window);
  QString report() const;

 private:
  void tick();

  QElapsedTimer m_started;
  QTimer m_ticks;
  qint64 m_lastTick = 0;
  std::vector<std::pair<qint64, qint64>> m_gaps;  // start and length, ns
  qint64 m_longestGap = 0;
  std::vector<std::pair<const char*, qint64>> m_steps;
  QWidget* m_window = nullptr;
};

}  // namespace shell
