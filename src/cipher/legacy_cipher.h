// The old encrypted-text format, still read so that texts made by earlier versions open, and
// written only on the user's explicit request. It is weak by construction and kept exactly:
// the MD5 of the password bytes gives the key material, of which the first five bytes are used
// and the other eleven of the sixteen key bytes are zero; RC2 with 40 effective key bits over
// those sixteen bytes, CBC with a zero IV, PKCS#5 padding. No salt and no integrity check: a
// wrong password is caught only when the padding it decrypts to happens to be invalid.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace crypto::legacy {

inline constexpr int kKeyBytes = 16;
inline constexpr int kHashBytesKept = 5;
inline constexpr int kEffectiveBits = 40;
inline constexpr int kBlockBytes = 8;

enum class Direction { Encrypt, Decrypt };

QByteArray Md5(QByteArrayView data);

// The sixteen key bytes made from a hash: its first five bytes, then eleven zeros.
QByteArray KeyFromHash(QByteArrayView hash);

// RC2 in CBC mode with a zero IV and PKCS#5 padding, `key` of any length 1..128 bytes limited
// to `effectiveBits`. Decrypting gives nullopt for data that is not whole blocks or whose
// padding is not valid; encrypting always succeeds.
std::optional<QByteArray> Rc2Cbc(QByteArrayView key, int effectiveBits, QByteArrayView data,
                                 Direction direction);

// The whole recipe over the password's bytes (Windows-1251 in this program).
QByteArray Encrypt(QByteArrayView plain, QByteArrayView password);
std::optional<QByteArray> Decrypt(QByteArrayView cipher, QByteArrayView password);

}  // namespace crypto::legacy
