#include "cipher/modern_cipher.h"

#include <sodium.h>

#include <array>

#include "cipher/sodium_ready.h"

namespace crypto::modern {
namespace {

constexpr std::uint32_t kMinOps = crypto_pwhash_argon2id_OPSLIMIT_MIN;
constexpr std::uint32_t kMaxOps = 8;
constexpr std::uint32_t kMinMemKiB = crypto_pwhash_argon2id_MEMLIMIT_MIN / 1024;
constexpr std::uint32_t kMaxMemKiB = 256 * 1024;
constexpr qsizetype kPrefixLength = sizeof kPrefix - 1;
// Where the fields lie in the header.
constexpr qsizetype kOpsAt = 0;
constexpr qsizetype kMemAt = 4;
constexpr qsizetype kSaltAt = 8;
constexpr qsizetype kNonceAt = kSaltAt + kSaltBytes;

using Key = std::array<unsigned char, crypto_aead_xchacha20poly1305_ietf_KEYBYTES>;

static_assert(kSaltBytes == crypto_pwhash_argon2id_SALTBYTES);
static_assert(kNonceBytes == crypto_aead_xchacha20poly1305_ietf_NPUBBYTES);
static_assert(kTagBytes == crypto_aead_xchacha20poly1305_ietf_ABYTES);

const unsigned char* bytes(QByteArrayView view) {
  return reinterpret_cast<const unsigned char*>(view.data());
}

void putNumber(QByteArray& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.append(char((value >> shift) & 0xFF));
}

std::uint32_t numberAt(QByteArrayView in, qsizetype at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[at + i]);
  return value;
}

// Wipes the key however the operation ends.
struct KeyGuard {
  Key key{};
  ~KeyGuard() { sodium_memzero(key.data(), key.size()); }
};

bool deriveKey(Key& key, QByteArrayView password, QByteArrayView salt, const KdfLimits& limits) {
  if (!AcceptedLimits(limits)) return false;
  return crypto_pwhash(key.data(), key.size(), password.data(),
                       static_cast<unsigned long long>(password.size()), bytes(salt),
                       limits.opsLimit, size_t(limits.memLimitKiB) * 1024,
                       crypto_pwhash_ALG_ARGON2ID13) == 0;
}

// The prefix and the header, as the cipher authenticates them.
QByteArray associatedData(QByteArrayView header) {
  QByteArray data(kPrefix, kPrefixLength);
  data.append(header);
  return data;
}

// libsodium's Base64 is strict: padding as written and spare bits zero, so no character can
// change without notice; white space is skipped.
std::optional<QByteArray> decodeBody(QByteArrayView body) {
  QByteArray decoded(body.size() / 4 * 3 + 3, Qt::Uninitialized);
  size_t length = 0;
  if (sodium_base642bin(reinterpret_cast<unsigned char*>(decoded.data()), size_t(decoded.size()),
                        body.data(), size_t(body.size()), " \t\r\n", &length, nullptr,
                        sodium_base64_VARIANT_ORIGINAL) != 0)
    return std::nullopt;
  decoded.truncate(qsizetype(length));
  return decoded;
}

}  // namespace

KdfLimits DefaultLimits() {
  return {crypto_pwhash_argon2id_OPSLIMIT_INTERACTIVE,
          crypto_pwhash_argon2id_MEMLIMIT_INTERACTIVE / 1024};
}

KdfLimits MinimalLimits() { return {kMinOps, kMinMemKiB}; }

bool AcceptedLimits(const KdfLimits& limits) {
  return limits.opsLimit >= kMinOps && limits.opsLimit <= kMaxOps &&
         limits.memLimitKiB >= kMinMemKiB && limits.memLimitKiB <= kMaxMemKiB;
}

CryptResult Seal(QByteArrayView plain, QByteArrayView password, const KdfLimits& limits) {
  if (!SodiumReady()) return CryptResult::failure(CryptError::KeyDerivationFailed);
  QByteArray header;
  header.reserve(kHeaderBytes);
  putNumber(header, limits.opsLimit);
  putNumber(header, limits.memLimitKiB);
  header.resize(kHeaderBytes);
  randombytes_buf(header.data() + kSaltAt, kSaltBytes + kNonceBytes);
  const QByteArrayView salt = QByteArrayView(header).sliced(kSaltAt, kSaltBytes);
  const QByteArrayView nonce = QByteArrayView(header).sliced(kNonceAt, kNonceBytes);

  KeyGuard guard;
  if (!deriveKey(guard.key, password, salt, limits))
    return CryptResult::failure(CryptError::KeyDerivationFailed);
  const QByteArray ad = associatedData(header);
  QByteArray sealed = header;
  sealed.resize(kHeaderBytes + plain.size() + kTagBytes);
  unsigned long long written = 0;
  crypto_aead_xchacha20poly1305_ietf_encrypt(
      reinterpret_cast<unsigned char*>(sealed.data()) + kHeaderBytes, &written, bytes(plain),
      static_cast<unsigned long long>(plain.size()), bytes(ad), size_t(ad.size()), nullptr,
      bytes(nonce), guard.key.data());
  sealed.truncate(kHeaderBytes + qsizetype(written));
  return {QByteArray(kPrefix, kPrefixLength) + sealed.toBase64(), CryptError::None};
}

CryptResult Open(QByteArrayView text, QByteArrayView password) {
  if (!SodiumReady()) return CryptResult::failure(CryptError::KeyDerivationFailed);
  const auto damaged = CryptResult::failure(CryptError::WrongPasswordOrDamaged);
  if (!IsSealed(text)) return damaged;
  const std::optional<QByteArray> sealed = decodeBody(text.sliced(kPrefixLength));
  if (!sealed || sealed->size() < kHeaderBytes + kTagBytes) return damaged;
  const QByteArrayView all(*sealed);
  const KdfLimits limits{numberAt(all, kOpsAt), numberAt(all, kMemAt)};
  if (!AcceptedLimits(limits)) return damaged;
  const QByteArrayView header = all.first(kHeaderBytes);
  const QByteArrayView cipher = all.sliced(kHeaderBytes);

  KeyGuard guard;
  if (!deriveKey(guard.key, password, header.sliced(kSaltAt, kSaltBytes), limits))
    return CryptResult::failure(CryptError::KeyDerivationFailed);
  const QByteArray ad = associatedData(header);
  QByteArray plain(cipher.size() - kTagBytes, Qt::Uninitialized);
  unsigned long long length = 0;
  if (crypto_aead_xchacha20poly1305_ietf_decrypt(
          reinterpret_cast<unsigned char*>(plain.data()), &length, nullptr, bytes(cipher),
          static_cast<unsigned long long>(cipher.size()), bytes(ad), size_t(ad.size()),
          bytes(header.sliced(kNonceAt, kNonceBytes)), guard.key.data()) != 0)
    return damaged;
  plain.truncate(qsizetype(length));
  return {std::move(plain), CryptError::None};
}

}  // namespace crypto::modern
