// Long scripts run from the macro menu of a whole program window, with every listener of the
// editor (status bar, menus, auto-complete, recovery) attached as a user has them: 20,000
// "setselectedtext" statements, each of which used to cost a millisecond and a half.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "automation/macro_runner.h"
#include "bench_window.h"
#include "platform/edit_control.h"

namespace {

constexpr int kStatements = 20000;

QString scriptOf(const QString& statement) {
  QString script;
  script.reserve(qsizetype(kStatements) * (statement.size() + 2));
  for (int i = 0; i < kStatements; ++i) script += statement + QStringLiteral("\r\n");
  return script;
}

void runInWindow(benchmark::State& state, const QString& script, const QString& document) {
  bench::BenchWindow window;
  automation::MacroRunner* runner = automation::MacroRunnerOf(*window.window);
  if (!runner) return state.SkipWithError("no macro runner installed");
  window.window->show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    state.PauseTiming();
    // A fresh text each time, so no undo history grows from run to run.
    window.window->txtMain().setText(document);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    runner->runScript(script);
    // What the window does with the run's result (painting, the status bar) is part of it.
    QCoreApplication::processEvents();
  }
  state.counters["per_statement_us"] = benchmark::Counter(
      double(kStatements) * double(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::OneK::kIs1000);
}

// Words typed one after another on one line: the line grows to 120,000 characters.
void BM_MacroRun_SetSelectedTextOneLine(benchmark::State& state) {
  runInWindow(state, scriptOf(QStringLiteral("setselectedtext слово ;")), QString());
}

// Into the middle of a text of 2,000 lines, as a template script fills in a document.
void BM_MacroRun_SetSelectedTextInText(benchmark::State& state) {
  QString document;
  for (int i = 0; i < 2000; ++i) document += QStringLiteral("строка номер %1 текста\r\n").arg(i);
  runInWindow(state, scriptOf(QStringLiteral("setselectedtext x;")), document);
}

// Statements that only move the selection, each a selection event of the editor.
void BM_MacroRun_Find(benchmark::State& state) {
  QString document;
  for (int i = 0; i < 2000; ++i) document += QStringLiteral("строка номер %1 текста\r\n").arg(i);
  runInWindow(state, scriptOf(QStringLiteral("find $alltext,номер 1999;")), document);
}

BENCHMARK(BM_MacroRun_SetSelectedTextOneLine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MacroRun_SetSelectedTextInText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MacroRun_Find)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
