// The cipher module: the program's format through libsodium, the old one through OpenSSL.
#include "cipher/legacy_cipher.h"
#include "cipher/modern_cipher.h"
#include "crypto/cipher_engine.h"

namespace {

class Engine : public crypto::CipherEngine {
 public:
  crypto::CryptResult seal(QByteArrayView plain, QByteArrayView password) const override {
    return crypto::modern::Seal(plain, password);
  }
  crypto::CryptResult open(QByteArrayView sealed, QByteArrayView password) const override {
    return crypto::modern::Open(sealed, password);
  }
  QByteArray legacyEncrypt(QByteArrayView plain, QByteArrayView password) const override {
    return crypto::legacy::Encrypt(plain, password);
  }
  std::optional<QByteArray> legacyDecrypt(QByteArrayView cipher,
                                          QByteArrayView password) const override {
    return crypto::legacy::Decrypt(cipher, password);
  }
};

}  // namespace

extern "C" Q_DECL_EXPORT const crypto::CipherEngine* ostrel_cipher_engine() {
  static const Engine engine;
  return &engine;
}
