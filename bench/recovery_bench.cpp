// What keeping a 100 MB unsaved document for crash recovery costs the window: the copy of the
// text taken on the interface thread (the writing happens beside it), against the whole keep
// including the write to the recovery file.
#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QTemporaryDir>

#include "bench_text.h"
#include "document/recovery_file.h"
#include "platform/edit_control.h"

namespace {

struct Document {
  platform::EditControl editor;
  Document() {
    editor.setTextUtf8(bench::RussianText(platform::Encoding::Utf8, bench::kDocumentBytes));
  }
};

Document& document() {
  static Document d;
  return d;
}

void BM_RecoveryCopyOnWindowThread(benchmark::State& state) {
  Document& d = document();
  // An edit in the middle puts the editor's gap there, as typing does.
  d.editor.setSelection({1000, 0, 1000, 0});
  d.editor.setSelectedText(QStringLiteral("x"));
  QByteArray copy;
  for (auto _ : state) {
    d.editor.copyTextUtf8(copy);
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(state.iterations() * bench::kDocumentBytes);
}
BENCHMARK(BM_RecoveryCopyOnWindowThread)->Unit(benchmark::kMillisecond);

void BM_RecoveryWriteBesideTheWindow(benchmark::State& state) {
  Document& d = document();
  QTemporaryDir dir;
  document::RecoveredDocument header;
  header.saved = QDateTime::currentDateTimeUtc();
  const QByteArray text = d.editor.textUtf8();
  for (auto _ : state)
    benchmark::DoNotOptimize(document::WriteRecoveryFile(dir.filePath("d.orec"), header, text));
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_RecoveryWriteBesideTheWindow)->Unit(benchmark::kMillisecond);

}  // namespace
