// Multiple replacement: a list of 100 pairs over a 10 MB document of Russian prose. A dozen pairs
// find words of the text (some of them cascading), the rest are typo fixes that find nothing, as
// in a real list. Measured: the pairs applied to the text alone, in either case mode, on a text
// holding a character that folds to another length and on one holding a byte that is no UTF-8
// (searched character by character), and the whole run through the window, from reading the
// editor's text to the undo step and the list file written.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "bench_text.h"
#include "bench_window.h"
#include "navigation/frm_multi_replace.h"
#include "navigation/multi_replace.h"
#include "platform/edit_control.h"

namespace {

constexpr qsizetype kDocumentBytes = 10 * 1000 * 1000;

const QByteArray& document() {
  static const QByteArray text = [] {
    QList<QByteArray> words;
    for (const char* w : {"съешь", "же", "ещё", "этих", "мягких", "французских", "булок", "да",
                          "выпей", "Чаю", "чаю.", "№42", "Ёлка", "ёлки", "Hello", "world"})
      words.append(QByteArray(w));
    QByteArray t = bench::Prose(words, kDocumentBytes);
    t.truncate(kDocumentBytes);
    // Cut at a character boundary.
    while (!t.isEmpty() && (uchar(t.back()) & 0xC0) == 0x80) t.chop(1);
    if (!t.isEmpty() && uchar(t.back()) >= 0xC0) t.chop(1);
    return t;
  }();
  return text;
}

// A pseudo-word of 5 to 9 Cyrillic letters, which the prose does not hold.
QString typo(unsigned seed) {
  QString word;
  const int length = 5 + int(seed % 5);
  for (int i = 0; i < length; ++i) {
    seed = seed * 1103515245u + 12345u;
    word += QChar(0x0430 + int((seed >> 16) % 32));
  }
  return word;
}

QString pairList() {
  QStringList lines = {
      "чаю=кофе",  "булок=булочек", "мягких=мягоньких", "ёлка=ель",
      "ель=сосна", "hello=привет",  "world=мир",        "№42=N 42",
      "же=ведь",   "выпей=выпейте", "этих=тех",         "французских=венских",
  };
  for (unsigned i = 0; lines.size() < 100; ++i) lines << typo(i) + "=" + typo(i + 1000);
  return lines.join("\r\n");
}

void BM_ApplyPairs(benchmark::State& state) {
  const bool matchCase = state.range(0) != 0;
  const QByteArray& text = document();
  const auto pairs = navigation::ParseReplacementList(pairList());
  qsizetype count = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(navigation::ApplyReplacements(text, pairs, matchCase, &count));
  state.SetBytesProcessed(state.iterations() * text.size());
  state.counters["pairs"] = double(pairs.size());
  state.counters["replacements"] = double(count);
}
BENCHMARK(BM_ApplyPairs)->ArgName("matchCase")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One KELVIN SIGN in the text: it folds to "k", one byte shorter, so it stays unfolded in the
// case-folded shadow, and only search texts holding a "k" (none here) are searched character by
// character.
void BM_ApplyPairsOddCharacter(benchmark::State& state) {
  const QByteArray text = document() + "\u212A";
  const auto pairs = navigation::ParseReplacementList(pairList());
  for (auto _ : state) benchmark::DoNotOptimize(navigation::ApplyReplacements(text, pairs, false));
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ApplyPairsOddCharacter)->Unit(benchmark::kMillisecond);

// The slowest case: a byte that is no UTF-8 (the editor never holds one) leaves no shadow, and
// every pair is searched with the control's character-by-character finder.
void BM_ApplyPairsBadByte(benchmark::State& state) {
  const QByteArray text = document() + "\xFF";
  const auto pairs = navigation::ParseReplacementList(pairList());
  for (auto _ : state) benchmark::DoNotOptimize(navigation::ApplyReplacements(text, pairs, false));
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ApplyPairsBadByte)->Unit(benchmark::kMillisecond)->Iterations(2);

const QString& documentPath() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QString file = dir.filePath("document.txt");
    QFile out(file);
    if (out.open(QIODevice::WriteOnly)) out.write(document());
    return file;
  }();
  return path;
}

// The run as the user starts it: the button of the open window, with the default "any case".
void BM_WindowRun(benchmark::State& state) {
  bench::BenchWindow session;
  shell::FrmMain& window = *session.window;
  window.commands().action("mnuMultiReplace")->trigger();
  auto* dialog = window.findChild<navigation::FrmMultiReplace*>("frmMultiReplace");
  if (!dialog) {
    state.SkipWithError("no window");
    return;
  }
  dialog->setListText(pairList());
  QPushButton* run = dialog->findChild<QPushButton*>("cmdRepl");
  for (auto _ : state) {
    state.PauseTiming();
    // A fresh document each time, with no undo history to grow from run to run.
    window.txtMain().openFile(documentPath());
    QCoreApplication::processEvents();
    state.ResumeTiming();
    run->click();
    // What the run leaves for the event loop (the editor's own updates) is part of it.
    QCoreApplication::processEvents();
  }
  state.SetBytesProcessed(state.iterations() * document().size());
}
BENCHMARK(BM_WindowRun)->Unit(benchmark::kMillisecond);

}  // namespace
