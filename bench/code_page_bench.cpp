// Code-page conversion and detection on a 100 MB text. One character is one byte of the file, so
// bytes_per_second reads as MB/s of the file.
#include <benchmark/benchmark.h>

#include <QString>
#include <utility>

#include "text/code_page.h"

namespace {

constexpr qsizetype kTextSize = 100 * 1000 * 1000;

const QString& russianText() {
  static const QString text = [] {
    const QString line =
        QStringLiteral(u"Съешь же ещё этих мягких французских булок, да выпей чаю. 1234567890\r\n");
    QString t;
    t.reserve(kTextSize + line.size());
    while (t.size() < kTextSize) t += line;
    t.truncate(kTextSize);
    return t;
  }();
  return text;
}

// A new string: the first touch of its 200 MB costs more than the conversion itself. Arguments:
// the code pages from and to.
void BM_ConvertCodePage(benchmark::State& state) {
  const QString& text = russianText();
  for (auto _ : state) {
    QString converted = text::ConvertCodePage(text, int(state.range(0)), int(state.range(1)));
    benchmark::DoNotOptimize(converted.data());
  }
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ConvertCodePage)
    ->Args({text::kWindows1251, text::kDos866})
    ->Args({text::kWindows1251, text::kKoi8R})
    ->Args({text::kKoi8R, text::kWindows1251})
    ->Unit(benchmark::kMillisecond);

// The whole document converted in its own buffer, as the code-page commands do: there and back,
// so every pass converts letters.
void BM_ConvertCodePageInPlace(benchmark::State& state) {
  QString text = russianText();
  int from = text::kWindows1251, to = text::kKoi8R;
  for (auto _ : state) {
    text::ConvertCodePageInPlace(text, from, to);
    std::swap(from, to);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ConvertCodePageInPlace)->Unit(benchmark::kMillisecond);

void BM_DetectCodePage(benchmark::State& state) {
  const QString koi = text::ConvertCodePage(russianText(), text::kWindows1251, text::kKoi8R);
  for (auto _ : state) benchmark::DoNotOptimize(text::DetectCodePage(koi));
  state.SetBytesProcessed(state.iterations() * koi.size());
}
BENCHMARK(BM_DetectCodePage)->Unit(benchmark::kMillisecond);

// The worst case for sampling: a text without Russian letters is scanned whole for them.
void BM_DetectCodePageLatin(benchmark::State& state) {
  QString latin;
  latin.reserve(kTextSize);
  while (latin.size() < kTextSize) latin += QStringLiteral("for (int i = 0; i < n; ++i) sum += i;\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(text::DetectCodePage(latin));
  state.SetBytesProcessed(state.iterations() * latin.size());
}
BENCHMARK(BM_DetectCodePageLatin)->Unit(benchmark::kMillisecond);

}  // namespace
