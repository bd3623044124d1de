// Searching a 10 MB document through the editing control: replace-all of plain text in either
// case, of whole words and of a regular expression, and a search that finds nothing (the
// longest a find can take), in MB/s of the document.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "bench_text.h"
#include "platform/edit_control.h"

namespace {

using platform::EditControl;
using platform::FindOptions;

constexpr qsizetype kDocumentChars = 10 * 1000 * 1000;

// Russian prose in lines of varying length, about 10 million characters, saved once as UTF-8.
const QString& documentPath() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QStringList words = {"съешь", "же", "ещё",   "этих", "мягких", "французских",
                               "булок", "да", "выпей", "Чаю",  "чаю.",   "№42"};
    const QString text = bench::Prose(words, kDocumentChars);
    const QString file = dir.filePath("document.txt");
    QFile out(file);
    if (out.open(QIODevice::WriteOnly)) out.write(text.toUtf8());
    return file;
  }();
  return path;
}

void runReplaceAll(benchmark::State& state, const QString& what, const QString& with,
                   const FindOptions& options) {
  EditControl edit;
  qint64 bytes = 0;
  int count = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // A fresh document each time, with no undo history to grow from run to run.
    edit.openFile(documentPath());
    bytes += QFile(documentPath()).size();
    state.ResumeTiming();
    count = edit.replaceAll(what, with, options).value_or(-1);
  }
  state.SetBytesProcessed(bytes);
  state.counters["replacements"] = count;
}

void BM_ReplaceAllAnyCase(benchmark::State& state) {
  runReplaceAll(state, "чаю", "кофе", {false, false, false, false, true});
}
void BM_ReplaceAllMatchCase(benchmark::State& state) {
  runReplaceAll(state, "чаю", "кофе", {true, false, false, false, true});
}
void BM_ReplaceAllWholeWord(benchmark::State& state) {
  runReplaceAll(state, "же", "ведь", {false, true, false, false, true});
}
void BM_ReplaceAllRegExp(benchmark::State& state) {
  runReplaceAll(state, R"(№(\d+))", R"(N\1)", {true, false, true, false, true});
}

// A search through the whole text for a word that is not there.
void runFindAbsent(benchmark::State& state, const FindOptions& options) {
  EditControl edit;
  edit.openFile(documentPath());
  for (auto _ : state) {
    edit.setSelection({0, 0, 0, 0});
    benchmark::DoNotOptimize(edit.find("ананас", options));
  }
  state.SetBytesProcessed(state.iterations() * QFile(documentPath()).size());
}

void BM_FindAbsentAnyCase(benchmark::State& state) {
  runFindAbsent(state, {false, false, false, false, false});
}
void BM_FindAbsentMatchCase(benchmark::State& state) {
  runFindAbsent(state, {true, false, false, false, false});
}

BENCHMARK(BM_FindAbsentAnyCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAbsentMatchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllAnyCase)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReplaceAllMatchCase)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReplaceAllWholeWord)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReplaceAllRegExp)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
