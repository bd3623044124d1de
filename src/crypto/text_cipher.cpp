#include "crypto/text_cipher.h"

#include "cipher/modern_cipher.h"
#include "crypto/cipher_engine.h"
#include "crypto/secret_bytes.h"
#include "platform/cp1251.h"

namespace crypto {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

CryptResult encryptLegacy(const CipherEngine& engine, QByteArrayView utf8,
                          QStringView password) {
  if (!cp1251::fits(password)) return CryptResult::failure(CryptError::PasswordOutsideCodePage);
  const QString text = QString::fromUtf8(utf8);
  if (!cp1251::fits(text)) return CryptResult::failure(CryptError::TextOutsideCodePage);
  const SecretBytes secret(cp1251::encode(password));
  const QByteArray cipher = engine.legacyEncrypt(cp1251::encode(text), secret.bytes());
  return {cp1251::decode(cipher).toUtf8(), CryptError::None};
}

CryptResult decryptLegacy(const CipherEngine& engine, QByteArrayView utf8,
                          QStringView password) {
  const QString text = QString::fromUtf8(utf8);
  // A character outside Windows-1251 was never a cipher byte.
  if (!cp1251::fits(text)) return CryptResult::failure(CryptError::WrongPasswordOrDamaged);
  const SecretBytes secret(cp1251::encode(password));
  const std::optional<QByteArray> plain =
      engine.legacyDecrypt(cp1251::encode(text), secret.bytes());
  if (!plain) return CryptResult::failure(CryptError::WrongPasswordOrDamaged);
  return {cp1251::decode(*plain).toUtf8(), CryptError::None};
}

}  // namespace

bool LongEnoughToEncrypt(QStringView password) {
  // Characters as the user counts them: a pair of surrogates is one.
  qsizetype count = 0;
  for (qsizetype i = 0; i < password.size(); ++i)
    if (!password[i].isLowSurrogate()) ++count;
  return count >= kMinPasswordLength;
}

CryptResult EncryptText(QByteArrayView utf8, QStringView password, CipherFormat format) {
  const CipherEngine* engine = LoadedCipherEngine();
  if (!engine) return CryptResult::failure(CryptError::ModuleMissing);
  if (format == CipherFormat::Legacy) return encryptLegacy(*engine, utf8, password);
  const SecretBytes secret(password.toUtf8());
  return engine->seal(utf8, secret.bytes());
}

CryptResult DecryptText(QByteArrayView utf8, QStringView password) {
  // A line selected with its line break, or a text pasted with spaces around it.
  qsizetype first = 0;
  qsizetype end = utf8.size();
  while (first < end && isSpace(utf8[first])) ++first;
  while (end > first && isSpace(utf8[end - 1])) --end;
  const QByteArrayView core = utf8.sliced(first, end - first);
  const CipherEngine* engine = LoadedCipherEngine();
  if (!engine) return CryptResult::failure(CryptError::ModuleMissing);
  if (!modern::IsSealed(core)) return decryptLegacy(*engine, utf8, password);
  const SecretBytes secret(password.toUtf8());
  CryptResult result = engine->open(core, secret.bytes());
  if (!result.ok() || (first == 0 && end == utf8.size())) return result;
  QByteArray framed = utf8.first(first).toByteArray();
  framed.append(result.bytes).append(utf8.sliced(end));
  return {std::move(framed), CryptError::None};
}

QString CryptErrorMessage(CryptError error) {
  switch (error) {
    case CryptError::None:
      break;
    case CryptError::WrongPasswordOrDamaged:
      return QStringLiteral("Неверный пароль или поврежденный текст");
    case CryptError::KeyDerivationFailed:
      return QStringLiteral("Недостаточно памяти, чтобы получить ключ из пароля.");
    case CryptError::TextOutsideCodePage:
      return QStringLiteral(
          "В тексте есть знаки, которых нет в кодировке Windows-1251: старый формат их не "
          "сохранит. Зашифруйте текст без флажка «Старый формат».");
    case CryptError::PasswordOutsideCodePage:
      return QStringLiteral(
          "В пароле есть знаки, которых нет в кодировке Windows-1251: для старого формата "
          "выберите другой пароль.");
    case CryptError::ModuleMissing:
      return QStringLiteral(
          "Не найден модуль шифрования libostrel_cipher.so: программа установлена не полностью. "
          "Текст не изменен.");
  }
  return QString();
}

}  // namespace crypto
