// Throughput of the line and character operations, the paragraph formatter and the sort on a
// 10 MB text (counted in characters, one byte each in Windows-1251), and tag stripping on a 4 MB
// HTML page.
#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>
#include <cstdint>
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

// An HTML page of `megabytes` MB whose links, classes and ids carry numbers, so most tags differ.
// With scripts, the page loads a script file first and holds inline scripts whose comparisons put
// a "<" of no tag before "</script>": that span loses its end to the earlier "</script>" and runs
// on over the tags after it, so the deletions are replayed one after the other.
QString htmlPage(bool scripts, qsizetype megabytes) {
  const qsizetype size = megabytes * 1000 * 1000;
  std::uint32_t seed = 7;
  const auto number = [&seed](std::uint32_t below) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % below;
  };
  QString page;
  page.reserve(size + 256);
  if (scripts) page += QStringLiteral("<script src=\"/js/main.js\"></script>\r\n");
  while (page.size() < size) {
    page += QStringLiteral("<div class=\"c%1\"><p>Съешь же ещё этих мягких ").arg(number(5000));
    page += QStringLiteral("<a href=\"/page/%1.html\">французских</a> булок, ").arg(number(100000));
    page += QStringLiteral("<span id=\"s%1\">да выпей</span> чаю.<br></p></div>\r\n")
                .arg(number(20000));
    if (scripts && number(10) == 0)
      page += QStringLiteral("<script>if (a < b%1) show();</script>\r\n").arg(number(1000));
  }
  return page;
}

// Arguments: with scripts (0 or 1), megabytes.
void BM_StripTagsHtml(benchmark::State& state) {
  const QString page = htmlPage(state.range(0) != 0, state.range(1));
  for (auto _ : state) benchmark::DoNotOptimize(text::StripTags(page).size());
  state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_StripTagsHtml)
    ->Args({0, 4})
    ->Args({1, 1})
    ->Args({1, 4})
    ->Unit(benchmark::kMillisecond);

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
