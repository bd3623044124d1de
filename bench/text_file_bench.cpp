// Throughput of the open and save paths on a 100 MB document, in Windows-1251, UTF-8 and UTF-16.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "bench_text.h"
#include "platform/cp1251.h"
#include "platform/text_file.h"

namespace {

using platform::Encoding;
using platform::LineEnd;
using platform::TextFormat;
namespace TextFile = platform::TextFile;

const QByteArray& utf8Document() {
  static const QByteArray text = bench::RussianText(Encoding::Utf8, bench::kDocumentBytes);
  return text;
}

const QByteArray& cp1251Document() {
  static const QByteArray text = bench::RussianText(Encoding::Windows1251, bench::kDocumentBytes);
  return text;
}

// The UTF-8 document's text as UTF-16 LE with its byte-order mark.
const QByteArray& utf16Document() {
  static const QByteArray text = [] {
    const QString s = QString::fromUtf8(utf8Document());
    return "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(s.utf16()), 2 * s.size());
  }();
  return text;
}

void consume(QByteArrayView piece) { benchmark::DoNotOptimize(piece.data()); }

void runDecode(benchmark::State& state, const QByteArray& file) {
  const TextFormat format = TextFile::detect(file);
  for (auto _ : state) TextFile::decodeToUtf8(file, format, consume);
  state.SetBytesProcessed(state.iterations() * file.size());
}

void runEncode(benchmark::State& state, const QByteArray& file) {
  const TextFormat format = TextFile::detect(file);
  QByteArray utf8;
  TextFile::decodeToUtf8(file, format, [&](QByteArrayView p) { utf8.append(p); });
  for (auto _ : state) TextFile::encodeFromUtf8(utf8, format, consume);
  state.SetBytesProcessed(state.iterations() * utf8.size());
}

void runDetect(benchmark::State& state, const QByteArray& file) {
  for (auto _ : state) benchmark::DoNotOptimize(TextFile::detect(file));
  state.SetBytesProcessed(state.iterations() * file.size());
}

void BM_DetectCp1251(benchmark::State& state) { runDetect(state, cp1251Document()); }
void BM_DetectUtf8(benchmark::State& state) { runDetect(state, utf8Document()); }
void BM_DetectUtf16(benchmark::State& state) { runDetect(state, utf16Document()); }
void BM_DecodeCp1251(benchmark::State& state) { runDecode(state, cp1251Document()); }
void BM_DecodeUtf8(benchmark::State& state) { runDecode(state, utf8Document()); }
void BM_DecodeUtf16(benchmark::State& state) { runDecode(state, utf16Document()); }
void BM_EncodeCp1251(benchmark::State& state) { runEncode(state, cp1251Document()); }
void BM_EncodeUtf8(benchmark::State& state) { runEncode(state, utf8Document()); }
void BM_EncodeUtf16(benchmark::State& state) { runEncode(state, utf16Document()); }

void BM_EncodeUtf8ToLf(benchmark::State& state) {
  const QByteArray& utf8 = utf8Document();
  const TextFormat lf{Encoding::Utf8, false, LineEnd::Lf};
  for (auto _ : state) TextFile::encodeFromUtf8(utf8, lf, consume);
  state.SetBytesProcessed(state.iterations() * utf8.size());
}

BENCHMARK(BM_DetectCp1251)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCp1251)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeCp1251)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeUtf8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeUtf16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeUtf8ToLf)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
