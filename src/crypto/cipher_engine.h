// The ciphers as the program sees them. Their one implementation lives in a module of its own
// (libostrel_cipher.so, built from src/cipher), loaded at the first encryption or decryption:
// the two cryptography libraries it needs cost every start 1.4 ms to map and relocate, and most
// sessions encrypt nothing.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

#include "crypto/crypt_result.h"

namespace crypto {

class CipherEngine {
 public:
  virtual ~CipherEngine() = default;
  // The program's format (cipher/modern_cipher.h) with the default derivation limits.
  virtual CryptResult seal(QByteArrayView plain, QByteArrayView password) const = 0;
  virtual CryptResult open(QByteArrayView sealed, QByteArrayView password) const = 0;
  // The old format (cipher/legacy_cipher.h), over Windows-1251 bytes.
  virtual QByteArray legacyEncrypt(QByteArrayView plain, QByteArrayView password) const = 0;
  virtual std::optional<QByteArray> legacyDecrypt(QByteArrayView cipher,
                                                  QByteArrayView password) const = 0;
};

// The module's engine, loaded on first use and kept for the session; null when the module is
// missing or does not load.
const CipherEngine* LoadedCipherEngine();

}  // namespace crypto

// The module's one entry point: its engine, which lives as long as the module.
extern "C" {
using OstrelCipherEngine = const crypto::CipherEngine* (*)();
}
