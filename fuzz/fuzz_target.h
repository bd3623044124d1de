// One fuzz target: a function that takes any bytes and must neither crash nor trip a sanitizer
// nor break the property it checks. Built with libFuzzer (OSTREL_LIBFUZZER) each target is a
// program of its own; otherwise the targets register themselves by name, so that the test suite
// replays the seed corpus of each through them.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzz {

using Target = void (*)(QByteArrayView data);
bool Register(const char* name, Target target);

// A broken property: libFuzzer keeps the input that broke it, the replay test fails on it.
[[noreturn]] void Broken(const char* what, QByteArrayView data);
inline void Check(bool property, const char* what, QByteArrayView data) {
  if (!property) Broken(what, data);
}

// The bytes as the program reads a text file: detected encoding, line ends made CR LF.
QString TextOf(QByteArrayView data);
// The bytes written to a fresh file of a private temporary folder, for readers that take a path.
QString FileOf(QByteArrayView data, const char* name);

}  // namespace fuzz

#ifdef OSTREL_LIBFUZZER
#define OSTREL_FUZZ_TARGET(name)                                                      \
  static void name##Target(QByteArrayView data);                                      \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) { \
    name##Target(QByteArrayView(reinterpret_cast<const char*>(bytes), qsizetype(size))); \
    return 0;                                                                         \
  }                                                                                   \
  static void name##Target(QByteArrayView data)
#else
#define OSTREL_FUZZ_TARGET(name)                                                   \
  static void name##Target(QByteArrayView data);                                   \
  [[maybe_unused]] static const bool name##Registered = fuzz::Register(#name, name##Target); \
  static void name##Target(QByteArrayView data)
#endif
