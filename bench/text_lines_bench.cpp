// Throughput of the line and character operations, the paragraph formatter and the sort on a
// 10 MB text (counted in characters, one byte each in Windows-1251).
#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>
#include <functional>

#include "bench_text.h"
#include "text/lines.h"
#include "text/paragraph.h"
#include "text/sort.h"

namespace {

constexpr qsizetype kTextChars = 10 * 1000 * 1000;

// Russian prose with runs of spaces, tabs, tags, empty lines and CR LF line ends.
const QString& document() {
  static const QString text = [] {
    const QStringList words = {"съешь",  "же", "ещё",     "этих", "  мягких", "<b>французских</b>",
                               "булок,", "да", "\tвыпей", "чаю.", "Ёлка",     "      №42"};
    return bench::Prose(words, kTextChars, 7);
  }();
  return text;
}

void run(benchmark::State& state, const std::function<QString(const QString&)>& operation) {
  const QString& text = document();
  for (auto _ : state) benchmark::DoNotOptimize(operation(text).size());
  state.SetBytesProcessed(state.iterations() * text.size());
}

#define LINE_BENCH(name, expr)                         \
  void BM_##name(benchmark::State& state) {            \
    run(state, [](const QString& t) { return expr; }); \
  }                                                    \
  BENCHMARK(BM_##name)->Unit(benchmark::kMillisecond);

LINE_BENCH(AddTemplate, text::AddTemplate(t, "<p>", "</p>"))
LINE_BENCH(NumberLines, text::NumberLines(t))
LINE_BENCH(CutLineEnds, text::CutLineEnds(t, 3, 2))
LINE_BENCH(RemoveEmptyLines, text::RemoveEmptyLines(t))
LINE_BENCH(JoinLines, text::JoinLines(t))
LINE_BENCH(RemoveAllSpaces, text::RemoveAllSpaces(t))
LINE_BENCH(SqueezeSpaces, text::SqueezeSpaces(t))
LINE_BENCH(StripTags, text::StripTags(t))
LINE_BENCH(RemoveSpans, text::RemoveSpans(t, "ё", "."))
LINE_BENCH(PadLines, text::PadLines(t, 4, 1))
LINE_BENCH(TabsToSpaces, text::TabsToSpaces(t))
LINE_BENCH(SpacesToTabs, text::SpacesToTabs(t))
LINE_BENCH(RemoveEvery, text::RemoveEvery(t, "же"))
LINE_BENCH(FormatParagraphs, text::FormatParagraphs(t, "3", "3", true))

void BM_SortLines(benchmark::State& state) {
  const QString& text = document();
  const QStringList lines = text::SplitLines(text);
  for (auto _ : state) {
    QStringList copy = lines;
    text::SortLines(copy, true, state.range(0) != 0);
    benchmark::DoNotOptimize(copy.size());
  }
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_SortLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
