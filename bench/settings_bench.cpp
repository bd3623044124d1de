// Opening the settings window, from the command to a window shown with all twelve pages filled,
// in a program folder seeded with the shipped data (schemes, templates, language files), then
// closing it: the window is made anew each time it opens.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>

#include "bench_window.h"
#include "settings/frm_settings.h"

namespace {

struct Session : bench::BenchWindow {
  Session()
      : BenchWindow([](platform::AppPaths& paths, platform::SettingsStore&) {
          platform::AppPaths::seed(QStringLiteral(OSTREL_SOURCE_DATA), paths.programDir());
        }) {}
};

void BM_OpenSettingsWindow(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    session.window->commands().action("mnuSettings")->trigger();
    settings::FrmSettings* shown = settings::FindSettings(*session.window);
    QCoreApplication::processEvents();
    state.PauseTiming();
    shown->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenSettingsWindow)->Unit(benchmark::kMillisecond);

}  // namespace
