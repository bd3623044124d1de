// Document text through both formats: what each keeps, what the legacy one refuses rather than
// lose, which format a text is read as, and the messages.
#include "crypto/text_cipher.h"

#include <gtest/gtest.h>

#include "cipher/legacy_cipher.h"
#include "cipher/modern_cipher.h"
#include "platform/cp1251.h"

namespace crypto {
namespace {

const QString kPassword = QStringLiteral("пароль из слов");

QByteArray sealCheaply(const QString& text, const QString& password = kPassword) {
  return modern::Seal(text.toUtf8(), password.toUtf8(), modern::MinimalLimits()).bytes;
}

TEST(EncryptText, ModernRoundTripWithDefaultLimits) {
  const QString text =
      QStringLiteral("Всё, что угодно: 日本語, 🙂, ½ и \u0098\r\n");
  const CryptResult encrypted = EncryptText(text.toUtf8(), kPassword, CipherFormat::Modern);
  ASSERT_TRUE(encrypted.ok());
  EXPECT_TRUE(encrypted.bytes.startsWith(modern::kPrefix));
  const CryptResult decrypted = DecryptText(encrypted.bytes, kPassword);
  ASSERT_TRUE(decrypted.ok());
  EXPECT_EQ(QString::fromUtf8(decrypted.bytes), text);
}

// Every Windows-1251 character survives the old format, which holds one byte per character.
TEST(EncryptText, LegacyRoundTripsEveryWindows1251Character) {
  QString all;
  for (int byte = 0; byte < 256; ++byte) all += cp1251::toUnicode(static_cast<unsigned char>(byte));
  for (const QString& text : {all, QString(), QStringLiteral("ёЁ")}) {
    SCOPED_TRACE(text.size());
    const CryptResult encrypted = EncryptText(text.toUtf8(), kPassword, CipherFormat::Legacy);
    ASSERT_TRUE(encrypted.ok());
    EXPECT_EQ(cp1251::encode(QString::fromUtf8(encrypted.bytes)).size(),
              (text.size() / legacy::kBlockBytes + 1) * legacy::kBlockBytes);
    EXPECT_EQ(QString::fromUtf8(DecryptText(encrypted.bytes, kPassword).bytes), text);
  }
}

TEST(EncryptText, LegacyRefusesWhatWindows1251CannotHold) {
  EXPECT_EQ(EncryptText(QByteArray("текст 日本"), kPassword, CipherFormat::Legacy).error,
            CryptError::TextOutsideCodePage);
  EXPECT_EQ(EncryptText(QByteArray("текст"), u"пароль 🙂", CipherFormat::Legacy).error,
            CryptError::PasswordOutsideCodePage);
}

TEST(DecryptText, ModernTextKeepsTheSpaceAroundIt) {
  const QByteArray sealed = sealCheaply(QStringLiteral("тайна"));
  struct Case {
    QByteArray before, after;
  } cases[] = {{"", ""}, {"\r\n", "\r\n"}, {"  ", "\t \r\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before.size() * 10 + c.after.size());
    EXPECT_EQ(DecryptText(c.before + sealed + c.after, kPassword).bytes,
              c.before + QStringLiteral("тайна").toUtf8() + c.after);
  }
}

// Text not in the program's format is read as a legacy text, whose failures are all alike.
TEST(DecryptText, LegacyFailuresAreReportedWithoutOutput) {
  const QByteArray legacy =
      EncryptText(QByteArray("1234567"), kPassword, CipherFormat::Legacy).bytes;
  struct Case {
    const char* what;
    QByteArray text;
  } cases[] = {
      {"empty text", ""},
      {"plain text", "просто текст"},
      {"one character short", legacy.chopped(1)},
      {"a character outside Windows-1251", legacy + "日"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CryptResult result = DecryptText(c.text, kPassword);
    EXPECT_EQ(result.error, CryptError::WrongPasswordOrDamaged);
    EXPECT_TRUE(result.bytes.isEmpty());
  }
}

// Texts of earlier versions were made with the password converted to the system's code page,
// a character it lacked becoming "?".
TEST(DecryptText, LegacyPasswordConvertsAsEarlierVersionsDid) {
  const QByteArray cipher = legacy::Encrypt(cp1251::encode(u"текст"), "ab?");
  EXPECT_EQ(DecryptText(cp1251::decode(cipher).toUtf8(), u"ab🙂").bytes,
            QStringLiteral("текст").toUtf8());
}

TEST(LongEnoughToEncrypt, CountsCharacters) {
  struct Case {
    QString password;
    bool enough;
  } cases[] = {
      {"1234567", false},
      {"12345678", true},
      {QStringLiteral("пароль!"), false},
      {QStringLiteral("пароль!!"), true},
      {QStringLiteral("🙂🙂🙂🙂"), false},  // eight UTF-16 units, four characters
      {QStringLiteral("🙂🙂🙂🙂🙂🙂🙂🙂"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.password.toStdString());
    EXPECT_EQ(LongEnoughToEncrypt(c.password), c.enough);
  }
}

}  // namespace
}  // namespace crypto
