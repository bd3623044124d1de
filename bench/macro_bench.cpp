// A macro script of 10,000 "replace $alltext" statements over a document of about a million
// characters, run through the editor host on a real editing control, as a long replacement list
// would run from the macro menu: the whole run, from reading the text out of the editor to
// writing the result back.
#include <benchmark/benchmark.h>

#include <QStringList>

#include "automation/editor_macro_host.h"
#include "automation/macro_script.h"
#include "bench_text.h"
#include "platform/clipboard.h"
#include "platform/edit_control.h"
#include "platform/shell.h"

namespace {

constexpr qsizetype kDocumentChars = 1000 * 1000;
constexpr int kStatements = 10000;
constexpr int kMarkers = 1000;

// Russian prose with kMarkers words of its own ("[м17]") spread evenly, each there once.
const QString& document() {
  static const QString text = [] {
    const QStringList words = {"съешь", "же", "ещё",   "этих", "мягких", "французских",
                               "булок", "да", "выпей", "Чаю",  "чаю.",   "№42"};
    QString prose = bench::Prose(words, kDocumentChars);
    const qsizetype step = prose.size() / kMarkers;
    for (int i = kMarkers - 1; i >= 0; --i) prose.insert(i * step, QStringLiteral("[м%1] ").arg(i));
    return prose;
  }();
  return text;
}

// Every statement replaces a word; `rarePercent` of them a marker word (found once), `commonIn`
// statements in each ten thousand a word found all over the text (and back again), and the rest
// words the text does not hold.
QString script(int rarePercent, int commonIn) {
  QString out;
  int rare = 0;
  for (int i = 0; i < kStatements; ++i) {
    if (commonIn > 0 && i % (kStatements / commonIn) == 0)
      out += (i / (kStatements / commonIn)) % 2
                 ? QStringLiteral("replace $alltext,булки,булок;\r\n")
                 : QStringLiteral("replace $alltext,булок,булки;\r\n");
    else if (i % 100 < rarePercent)
      out += QStringLiteral("replace $alltext,[м%1],[М%1];\r\n").arg(rare++ % kMarkers);
    else
      out += QStringLiteral("replace $alltext,нетслова%1,слово;\r\n").arg(i);
  }
  return out;
}

void runScript(benchmark::State& state, int rarePercent, int commonIn) {
  const QString macro = script(rarePercent, commonIn);
  platform::Clipboard clipboard;
  platform::Shell shell;
  for (auto _ : state) {
    state.PauseTiming();
    // A fresh control each time, so no undo history grows from run to run.
    auto edit = std::make_unique<platform::EditControl>();
    edit->setText(document());
    platform::SelRange shared;
    automation::EditorMacroHost host(
        *edit, clipboard, shell,
        {[&] { return shared; }, [&](const platform::SelRange& r) { shared = r; },
         [] { return QString(); }});
    state.ResumeTiming();
    automation::RunMacroScript(macro, ";", host, {});
    state.PauseTiming();
    benchmark::DoNotOptimize(edit->textLength());
    edit.reset();
    state.ResumeTiming();
  }
  state.counters["statements"] = kStatements;
}

void BM_MacroReplaceList_NothingFound(benchmark::State& state) { runScript(state, 0, 0); }
void BM_MacroReplaceList_TenPercentRare(benchmark::State& state) { runScript(state, 10, 0); }
void BM_MacroReplaceList_TenPercentRareHundredCommon(benchmark::State& state) {
  runScript(state, 10, 100);
}

BENCHMARK(BM_MacroReplaceList_NothingFound)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MacroReplaceList_TenPercentRare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MacroReplaceList_TenPercentRareHundredCommon)->Unit(benchmark::kMillisecond);

}  // namespace
