#include <QCoreApplication>
#include <QLibrary>

#include "crypto/cipher_engine.h"

namespace crypto {

// Beside the program (the build tree, the tests), else where an installation puts it.
const CipherEngine* LoadedCipherEngine() {
  static const CipherEngine* const engine = []() -> const CipherEngine* {
    for (const QString& dir : {QCoreApplication::applicationDirPath(),
                               QStringLiteral(OSTREL_LIB_DIR)}) {
      QLibrary module(dir + QStringLiteral("/libostrel_cipher.so"));
      // Never unloaded: the engine is the module's own object.
      module.setLoadHints(QLibrary::PreventUnloadHint);
      const auto get = reinterpret_cast<OstrelCipherEngine>(module.resolve("ostrel_cipher_engine"));
      if (get) return get();
    }
    return nullptr;
  }();
  return engine;
}

}  // namespace crypto
