#include "crypto/cipher_engine.h"
#include "platform/program_module.h"

namespace crypto {

const CipherEngine* LoadedCipherEngine() {
  static const CipherEngine* const engine = []() -> const CipherEngine* {
    const auto get = reinterpret_cast<OstrelCipherEngine>(platform::ProgramModuleEntry(
        QStringLiteral("libostrel_cipher.so"), "ostrel_cipher_engine"));
    return get ? get() : nullptr;
  }();
  return engine;
}

}  // namespace crypto
