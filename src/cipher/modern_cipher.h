// The program's encrypted-text format. The password is stretched by Argon2id with a random
// salt, and the text sealed with XChaCha20-Poly1305 under a random nonce, so a wrong password
// and any change to the text are both caught. The result is one line of ASCII, which survives
// the editor, the clipboard, mail and every code page:
//
//   OSTREL-ENC1:<Base64 of: opslimit | memlimit | salt | nonce | cipher text + tag>
//
// opslimit and memlimit (in KiB) are 32-bit little-endian numbers, so later versions can make
// the derivation harder without a new format; the salt is 16 bytes, the nonce 24. The prefix
// and those header fields are authenticated along with the text.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

#include "crypto/crypt_result.h"

namespace crypto::modern {

inline constexpr char kPrefix[] = "OSTREL-ENC1:";
inline constexpr int kSaltBytes = 16;
inline constexpr int kNonceBytes = 24;
inline constexpr int kTagBytes = 16;
inline constexpr int kHeaderBytes = 4 + 4 + kSaltBytes + kNonceBytes;

struct KdfLimits {
  std::uint32_t opsLimit = 0;
  std::uint32_t memLimitKiB = 0;
};

// What new texts use: libsodium's interactive limits for Argon2id.
KdfLimits DefaultLimits();
// The cheapest limits Argon2id accepts: for measuring the cipher apart from the derivation.
KdfLimits MinimalLimits();
// Whether a text may ask for these limits. A text is data from anywhere: the bounds keep a
// crafted one from making the program allocate or compute without end (at most 256 MiB and
// eight passes).
bool AcceptedLimits(const KdfLimits& limits);

// True when `text` starts with the prefix: such text is read as this format only.
inline bool IsSealed(QByteArrayView text) { return text.startsWith(QByteArrayView(kPrefix)); }

// Seals UTF-8 `plain` under the password's bytes. Fails with KeyDerivationFailed when the
// limits are not accepted or the derivation cannot get its memory.
CryptResult Seal(QByteArrayView plain, QByteArrayView password,
                 const KdfLimits& limits = DefaultLimits());

// Opens what Seal wrote; white space inside the Base64 (a mail program's line breaks) is
// ignored. Anything else that differs from Seal's output in a single character, a wrong
// password or limits out of bounds give WrongPasswordOrDamaged.
CryptResult Open(QByteArrayView sealed, QByteArrayView password);

}  // namespace crypto::modern
