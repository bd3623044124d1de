// What an encryption or decryption gives back: the bytes, or why there are none. A failure
// never comes with partial output, so a caller that keeps the document on failure loses nothing.
#pragma once

#include <QByteArray>

namespace crypto {

enum class CryptError {
  None,
  // A modern text fails its check, or a legacy text does not decrypt to validly padded data.
  WrongPasswordOrDamaged,
  // The memory the key derivation needs could not be had.
  KeyDerivationFailed,
  // The legacy format stores one Windows-1251 byte per character; these cannot be kept.
  TextOutsideCodePage,
  PasswordOutsideCodePage,
  // The cipher module is not where the program looks for it (an incomplete installation).
  ModuleMissing,
};

struct CryptResult {
  QByteArray bytes;
  CryptError error = CryptError::None;

  bool ok() const { return error == CryptError::None; }
  static CryptResult failure(CryptError why) { return {QByteArray(), why}; }
};

}  // namespace crypto
