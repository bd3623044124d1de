// Encrypting and decrypting a 10 MB document, and showing the result. "Minimal" derives the key at the cheapest limits
// Argon2id allows, so it measures the cipher, Base64 and conversions apart from the deliberate
// cost of the key derivation; "Default" is what the command does. bytes_per_second counts the
// document's UTF-8 bytes.
#include <benchmark/benchmark.h>

#include "bench_text.h"
#include "bench_window.h"
#include "cipher/modern_cipher.h"
#include "crypto/text_cipher.h"
#include "platform/edit_control.h"

namespace {

constexpr qsizetype kDocumentBytes = 10 * 1000 * 1000;
const QString kPassword = QStringLiteral("длинный пароль для замера");

const QByteArray& document() {
  static const QByteArray text = bench::RussianText(platform::Encoding::Utf8, kDocumentBytes);
  return text;
}

crypto::modern::KdfLimits limits(const benchmark::State& state) {
  return state.range(0) ? crypto::modern::DefaultLimits() : crypto::modern::MinimalLimits();
}

// Sealing as the command does, with the derivation's limits as the argument.
void BM_EncryptModern(benchmark::State& state) {
  const QByteArray password = kPassword.toUtf8();
  for (auto _ : state) {
    crypto::CryptResult sealed = crypto::modern::Seal(document(), password, limits(state));
    benchmark::DoNotOptimize(sealed.bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * document().size());
}
BENCHMARK(BM_EncryptModern)->ArgName("default_kdf")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// DecryptText reads the limits from the text, so the text is sealed with the limits measured.
void BM_DecryptModern(benchmark::State& state) {
  const QByteArray sealed =
      crypto::modern::Seal(document(), kPassword.toUtf8(), limits(state)).bytes;
  for (auto _ : state) {
    crypto::CryptResult plain = crypto::DecryptText(sealed, kPassword);
    if (!plain.ok()) state.SkipWithError("did not decrypt");
    benchmark::DoNotOptimize(plain.bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * document().size());
}
BENCHMARK(BM_DecryptModern)->ArgName("default_kdf")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The key derivation alone, at the limits new texts use.
void BM_KeyDerivation(benchmark::State& state) {
  const QByteArray password = kPassword.toUtf8();
  for (auto _ : state) {
    crypto::CryptResult sealed = crypto::modern::Seal("", password);
    benchmark::DoNotOptimize(sealed.bytes.data());
  }
}
BENCHMARK(BM_KeyDerivation)->Unit(benchmark::kMillisecond);

void BM_EncryptLegacy(benchmark::State& state) {
  for (auto _ : state) {
    crypto::CryptResult cipher =
        crypto::EncryptText(document(), kPassword, crypto::CipherFormat::Legacy);
    benchmark::DoNotOptimize(cipher.bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * document().size());
}
BENCHMARK(BM_EncryptLegacy)->Unit(benchmark::kMillisecond);

void BM_DecryptLegacy(benchmark::State& state) {
  const QByteArray cipher =
      crypto::EncryptText(document(), kPassword, crypto::CipherFormat::Legacy).bytes;
  for (auto _ : state) {
    crypto::CryptResult plain = crypto::DecryptText(cipher, kPassword);
    if (!plain.ok()) state.SkipWithError("did not decrypt");
    benchmark::DoNotOptimize(plain.bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * document().size());
}
BENCHMARK(BM_DecryptLegacy)->Unit(benchmark::kMillisecond);

// An encrypted document is one line, which the editor lays out whole the first time it paints
// it: putting the sealed text in place and painting it once. Argument: the plain size in KB.
void BM_ShowSealedDocument(benchmark::State& state) {
  bench::BenchWindow program;
  program.window->resize(800, 600);
  program.window->show();
  const QByteArray sealed =
      crypto::modern::Seal(document().left(state.range(0) * 1000), kPassword.toUtf8(),
                           crypto::modern::MinimalLimits())
          .bytes;
  for (auto _ : state) {
    program.window->txtMain().setTextUtf8(sealed);
    program.window->grab();
    state.PauseTiming();
    program.window->txtMain().setTextUtf8("");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ShowSealedDocument)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
