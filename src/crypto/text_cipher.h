// Encrypting and decrypting document text with a password: the choice between the program's
// format and the old one, the conversions between text and bytes each needs, and the messages
// the user sees when it fails. Text goes in and comes out as UTF-8, as the editor holds it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "crypto/crypt_result.h"

namespace crypto {

enum class CipherFormat {
  Modern,  // see modern_cipher.h; every character round-trips
  Legacy,  // see legacy_cipher.h; weak, Windows-1251 text only
};

// The shortest password accepted for encrypting, in characters. Decrypting takes any password,
// as texts made by earlier versions may have shorter ones.
inline constexpr int kMinPasswordLength = 8;
bool LongEnoughToEncrypt(QStringView password);

// The modern format seals the text's UTF-8 under the password's UTF-8. The legacy format
// encrypts the text's Windows-1251 bytes under the password's Windows-1251 bytes and writes one
// character per cipher byte; it refuses text or a password Windows-1251 cannot hold, rather
// than lose characters.
CryptResult EncryptText(QByteArrayView utf8, QStringView password, CipherFormat format);

// Text in the modern format (white space around it allowed and kept) is opened as that format;
// anything else is taken for a legacy text, one Windows-1251 byte per character, with the
// password's Windows-1251 bytes (a character it lacks as "?", as earlier versions converted).
CryptResult DecryptText(QByteArrayView utf8, QStringView password);

// The message shown for a failure (not for CryptError::None).
QString CryptErrorMessage(CryptError error);

}  // namespace crypto
