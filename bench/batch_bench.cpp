// Batch processing of a folder: 1,000 files of 100 KB, three actions (upper case, removing extra
// spaces, the replacement list), read, transformed and written back safely, with the run off the
// interface thread as the window runs it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "automation/batch_job.h"
#include "bench_text.h"

namespace {

constexpr int kFiles = 1000;
constexpr qsizetype kFileBytes = 100 * 1000;

void BM_BatchFolder(benchmark::State& state) {
  QTemporaryDir dir;
  const QByteArray content = bench::RussianText(platform::Encoding::Utf8, kFileBytes);
  QStringList names;
  for (int i = 0; i < kFiles; ++i) names << QStringLiteral("%1.txt").arg(i);
  for (auto _ : state) {
    state.PauseTiming();
    for (const QString& name : names) {
      QFile file(dir.filePath(name));
      if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write the folder");
      file.write(content);
    }
    automation::BatchRequest request;
    request.folder = dir.path();
    request.files = names;
    request.actions = {3, 9, automation::kBatchMultiReplace};
    request.settings.multiList = QStringLiteral("ПРИ=при\r\nТО=то");
    state.ResumeTiming();
    automation::BatchJob job(request);
    bool done = false;
    QObject::connect(&job, &automation::BatchJob::finished, [&done] { done = true; });
    job.start();
    while (!done) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  state.SetBytesProcessed(state.iterations() * kFiles * kFileBytes);
}
BENCHMARK(BM_BatchFolder)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
