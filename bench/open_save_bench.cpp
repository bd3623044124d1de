// Opening and saving a 100 MB document through the editing control, against yardsticks: the
// same file read and set into a bare QsciScintilla; a plain write of the same bytes; and the same
// bytes written safely (temporary file, flushed to the disk, renamed), as every save must be.
// Peak memory is the process's high-water mark: run one open benchmark alone for its figure,
// e.g. --benchmark_filter=OpenProgram/utf8:0/.
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include "bench_text.h"
#include "platform/edit_control.h"

namespace {

using platform::Encoding;

// The documents are kept between runs, so a run that measures peak memory does not count the
// memory that made them.
struct Documents {
  QDir dir{QDir::temp().filePath("ostrel-bench")};
  QString cp1251 = dir.filePath("doc-1251.txt");
  QString utf8 = dir.filePath("doc-utf8.txt");
  Documents() {
    dir.mkpath(".");
    for (const auto& [path, encoding] :
         {std::pair{cp1251, Encoding::Windows1251}, std::pair{utf8, Encoding::Utf8}}) {
      if (QFileInfo(path).size() >= bench::kDocumentBytes) continue;
      QFile f(path);
      f.open(QIODevice::WriteOnly);
      f.write(bench::RussianText(encoding, bench::kDocumentBytes));
    }
  }
  const QString& path(bool isUtf8) const { return isUtf8 ? utf8 : cp1251; }
};

const Documents& documents() {
  static const Documents docs;
  return docs;
}

void reportPeak(benchmark::State& state, qint64 bytes) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
  state.SetBytesProcessed(state.iterations() * bytes);
}

void OpenYardstick(benchmark::State& state) {
  const bool utf8 = state.range(0);
  const QString& path = documents().path(utf8);
  for (auto _ : state) {
    QsciScintilla editor;
    editor.setUtf8(true);
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    editor.setText(utf8 ? QString::fromUtf8(bytes) : QStringDecoder("windows-1251").decode(bytes));
    benchmark::DoNotOptimize(editor.length());
  }
  reportPeak(state, QFileInfo(path).size());
}

void OpenProgram(benchmark::State& state) {
  const bool utf8 = state.range(0);
  const QString& path = documents().path(utf8);
  for (auto _ : state) {
    platform::EditControl editor;
    if (editor.openFile(path)) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(editor.lineCount());
  }
  reportPeak(state, QFileInfo(path).size());
}

void SaveProgram(benchmark::State& state) {
  const bool utf8 = state.range(0);
  platform::EditControl editor;
  editor.openFile(documents().path(utf8));
  const QString target = documents().dir.filePath("saved.txt");
  for (auto _ : state)
    if (editor.saveFile(target)) state.SkipWithError("save failed");
  reportPeak(state, QFileInfo(target).size());
}

QByteArray documentBytes(bool utf8) {
  QFile source(documents().path(utf8));
  source.open(QIODevice::ReadOnly);
  return source.readAll();
}

void SavePlainWrite(benchmark::State& state) {
  const QByteArray bytes = documentBytes(state.range(0));
  const QString target = documents().dir.filePath("plain.txt");
  for (auto _ : state) {
    QFile f(target);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
  }
  reportPeak(state, bytes.size());
}

// The same bytes through a temporary file renamed over the old one and flushed to the disk,
// which is what a save that cannot lose the old file has to pay at least.
void SavePlainSafeWrite(benchmark::State& state) {
  const QByteArray bytes = documentBytes(state.range(0));
  const QString target = documents().dir.filePath("plain-safe.txt");
  for (auto _ : state) {
    QSaveFile f(target);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    if (!f.commit()) state.SkipWithError("commit failed");
  }
  reportPeak(state, bytes.size());
}

// Every benchmark here runs on the Windows-1251 document (utf8:0) and the UTF-8 one (utf8:1).
void bothDocuments(benchmark::internal::Benchmark* b) {
  b->ArgName("utf8")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
}

}  // namespace

BENCHMARK(OpenYardstick)->Apply(bothDocuments);
BENCHMARK(OpenProgram)->Apply(bothDocuments);
BENCHMARK(SaveProgram)->Apply(bothDocuments);
BENCHMARK(SavePlainWrite)->Apply(bothDocuments);
BENCHMARK(SavePlainSafeWrite)->Apply(bothDocuments);
