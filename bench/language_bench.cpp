// Switching the interface language with every window open: English and back to Russian, each
// through the language menu as a click does it, painted.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>

#include "bench_window.h"
#include "shell/menu_array.h"

namespace {

// Windows that stay open beside the editor.
const char* const kWindowCommands[] = {
    "mnuSearch", "mnuReplace", "mnuConvert", "mnuSymbols", "mnuHyperLinks",
    "mnuMultiReplace", "mnuSetBookmarks", "mnuLocalBookmarks", "mnuHTMLTags", "mnuCodeLib",
};

void BM_SwitchLanguageWithEveryWindowOpen(benchmark::State& state) {
  bench::BenchWindow bench([](platform::AppPaths& paths, platform::SettingsStore&) {
    QDir(paths.programDir()).mkpath("Languages");
    QFile::copy(QStringLiteral(OSTREL_SOURCE_DATA "/Languages/English.lng"),
                paths.programDir() + "/Languages/English.lng");
  });
  shell::FrmMain& window = *bench.window;
  window.show();
  for (const char* command : kWindowCommands)
    if (QAction* item = window.commands().action(command); item && item->isEnabled())
      item->trigger();
  QApplication::processEvents();
  shell::MenuArray* languages = window.commands().array("mnuLang");
  int next = 1;
  for (auto _ : state) {
    languages->item(next)->trigger();
    if (state.range(0)) QApplication::processEvents();  // the windows repaint
    next = 1 - next;
  }
  state.counters["topLevelWidgets"] = double(QApplication::topLevelWidgets().size());
}
BENCHMARK(BM_SwitchLanguageWithEveryWindowOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
