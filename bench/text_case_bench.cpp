// Throughput of the case, transliteration and keyboard-layout operations on a 10 MB text
// (10 million characters, one byte each in Windows-1251).
#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>

#include "text/keyboard_layout.h"
#include "text/letter_case.h"
#include "text/transliteration.h"

namespace {

constexpr qsizetype kDocumentChars = 10 * 1000 * 1000;

// Russian prose with Latin words, digits, punctuation and CR LF line ends.
const QString& document() {
  static const QString text = [] {
    const QStringList words = {"съешь",  "же",    "ещё",   "этих",  "мягких", "французских",
                               "булок,", "да",    "выпей", "чаю.",  "Ёлка",   "№42",
                               "Hello",  "world", "—",     "Ghbdtn"};
    QString t;
    t.reserve(kDocumentChars + 64);
    for (quint32 i = 0; t.size() < kDocumentChars; ++i) {
      t += words[(i * 7919u) % words.size()];
      t += (i % 11 == 10) ? QStringLiteral("\r\n") : QStringLiteral(" ");
    }
    t.truncate(kDocumentChars);
    return t;
  }();
  return text;
}

template <QString (*Operation)(const QString&)>
void BM_Operation(benchmark::State& state) {
  const QString& text = document();
  for (auto _ : state) benchmark::DoNotOptimize(Operation(text));
  state.SetBytesProcessed(state.iterations() * text.size());
}

QString randomCase(const QString& text) { return text::RandomCase(text, 12345); }

BENCHMARK_TEMPLATE(BM_Operation, text::ToUpperCase)
    ->Name("ToUpperCase")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Operation, text::ToLowerCase)
    ->Name("ToLowerCase")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Operation, text::CapitalizeLines)
    ->Name("CapitalizeLines")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Operation, text::CapitalizeWords)
    ->Name("CapitalizeWords")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Operation, text::InvertCase)
    ->Name("InvertCase")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Operation, randomCase)->Name("RandomCase")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Operation, text::Transliterate)
    ->Name("Transliterate")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Operation, text::LayoutToLatin)
    ->Name("LayoutToLatin")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Operation, text::LayoutToRussian)
    ->Name("LayoutToRussian")
    ->Unit(benchmark::kMillisecond);

}  // namespace
