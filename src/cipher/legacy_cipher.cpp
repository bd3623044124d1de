#include "cipher/legacy_cipher.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
// The low-level RC2 calls are the one OpenSSL interface that takes the effective key bits apart
// from the key length without loading the legacy provider; OpenSSL 3 marks them deprecated.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <openssl/rc2.h>

#include "crypto/secret_bytes.h"

namespace crypto::legacy {
namespace {

// Holds an expanded key and wipes it when the operation ends.
struct Rc2Key {
  RC2_KEY schedule;
  Rc2Key(QByteArrayView key, int effectiveBits) {
    RC2_set_key(&schedule, int(key.size()), reinterpret_cast<const unsigned char*>(key.data()),
                effectiveBits);
  }
  ~Rc2Key() { OPENSSL_cleanse(&schedule, sizeof schedule); }
};

void runCbc(Rc2Key& key, const char* in, char* out, qsizetype length, int mode) {
  unsigned char iv[kBlockBytes] = {};
  RC2_cbc_encrypt(reinterpret_cast<const unsigned char*>(in), reinterpret_cast<unsigned char*>(out),
                  long(length), &key.schedule, iv, mode);
}

std::optional<qsizetype> paddedLength(const QByteArray& plain) {
  if (plain.isEmpty()) return std::nullopt;
  const int pad = static_cast<unsigned char>(plain.back());
  if (pad < 1 || pad > kBlockBytes) return std::nullopt;
  for (qsizetype i = plain.size() - pad; i < plain.size(); ++i)
    if (static_cast<unsigned char>(plain[i]) != pad) return std::nullopt;
  return plain.size() - pad;
}

std::optional<QByteArray> withPasswordKey(QByteArrayView data, QByteArrayView password,
                                          Direction direction) {
  QByteArray hash = Md5(password);
  const SecretBytes key(KeyFromHash(hash));
  OPENSSL_cleanse(hash.data(), size_t(hash.size()));
  return Rc2Cbc(key.bytes(), kEffectiveBits, data, direction);
}

}  // namespace

QByteArray Md5(QByteArrayView data) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(data.data(), size_t(data.size()), digest, &length, EVP_md5(), nullptr);
  QByteArray hash(reinterpret_cast<const char*>(digest), int(length));
  OPENSSL_cleanse(digest, sizeof digest);
  return hash;
}

QByteArray KeyFromHash(QByteArrayView hash) {
  QByteArray key(kKeyBytes, '\0');
  std::copy_n(hash.data(), std::min<qsizetype>(hash.size(), kHashBytesKept), key.data());
  return key;
}

std::optional<QByteArray> Rc2Cbc(QByteArrayView key, int effectiveBits, QByteArrayView data,
                                 Direction direction) {
  Rc2Key schedule(key, effectiveBits);
  if (direction == Direction::Encrypt) {
    const qsizetype pad = kBlockBytes - data.size() % kBlockBytes;
    QByteArray padded = data.toByteArray();
    padded.append(pad, char(pad));
    runCbc(schedule, padded.constData(), padded.data(), padded.size(), RC2_ENCRYPT);
    return padded;
  }
  if (data.isEmpty() || data.size() % kBlockBytes != 0) return std::nullopt;
  QByteArray plain(data.size(), Qt::Uninitialized);
  runCbc(schedule, data.data(), plain.data(), data.size(), RC2_DECRYPT);
  const std::optional<qsizetype> length = paddedLength(plain);
  if (!length) return std::nullopt;
  plain.truncate(*length);
  return plain;
}

QByteArray Encrypt(QByteArrayView plain, QByteArrayView password) {
  return *withPasswordKey(plain, password, Direction::Encrypt);
}

std::optional<QByteArray> Decrypt(QByteArrayView cipher, QByteArrayView password) {
  return withPasswordKey(cipher, password, Direction::Decrypt);
}

}  // namespace crypto::legacy

#pragma GCC diagnostic pop
