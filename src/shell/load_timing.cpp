// Start-up timing for measurement: step marks, the event loop's longest gap, and the end of the
// program once the window has painted.
#include "shell/load_timing.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>

namespace shell {
namespace {

// Often enough to see a gap of a few milliseconds, rarely enough to cost nothing.
constexpr int kTickMs = 2;
// Gaps a user would feel as a stall are listed one by one.
constexpr qint64 kNotedGapNs = 50'000'000;

}  // namespace

bool LoadTiming::requested() { return qEnvironmentVariable("OSTREL_QUIT_AFTER_LOAD") == "1"; }

LoadTiming::LoadTiming(const QElapsedTimer& started) : m_started(started) {
  // Until the loop first comes round, everything since the start is one gap.
  m_lastTick = 0;
  m_ticks.setInterval(kTickMs);
  connect(&m_ticks, &QTimer::timeout, this, [this] { tick(); });
  m_ticks.start();
}

void LoadTiming::mark(const char* step) { m_steps.emplace_back(step, m_started.nsecsElapsed()); }

void LoadTiming::tick() {
  const qint64 now = m_started.nsecsElapsed();
  m_longestGap = std::max(m_longestGap, now - m_lastTick);
  if (now - m_lastTick > kNotedGapNs) m_gaps.emplace_back(m_lastTick, now - m_lastTick);
  m_lastTick = now;
  if (!m_window) return;
  QWindow* handle = m_window->windowHandle();
  if (!handle || !handle->isExposed()) return;
  m_window->repaint();
  mark("painted");
  m_window = nullptr;
  std::fprintf(stderr, "%s\n", qPrintable(report()));
  // The moment by the wall clock, for a timer outside the process: the window is idle from here,
  // and what ending the process costs is no part of starting it.
  std::fprintf(stderr, "painted at %lld us\n",
               static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::system_clock::now().time_since_epoch()).count()));
  QCoreApplication::exit(0);
}

void LoadTiming::quitWhenPainted(QWidget& window) { m_window = &window; }

QString LoadTiming::report() const {
  QString text = QStringLiteral("ostrel start-up (ms since main):");
  for (const auto& [step, at] : m_steps)
    text += QStringLiteral(" %1 %2").arg(QString::fromLatin1(step)).arg(double(at) / 1e6, 0, 'f', 1);
  text += QStringLiteral("; longest event-loop gap %1 ms").arg(double(m_longestGap) / 1e6, 0, 'f', 1);
  if (!m_gaps.empty()) text += QStringLiteral("; gaps over 50 ms (from, ms):");
  for (const auto& [from, length] : m_gaps)
    text += QStringLiteral(" %1 %2").arg(double(from) / 1e6, 0, 'f', 0).arg(double(length) / 1e6, 0, 'f', 0);
  return text;
}

}  // namespace shell
