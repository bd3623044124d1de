// The program's encrypted-text format: round trips, its one-line shape, and that a wrong
// password, any changed character and a crafted header are all refused. Derivation runs at the
// cheapest limits except where the default limits themselves are the point.
#include "cipher/modern_cipher.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace crypto::modern {
namespace {

const QByteArray kPassword = QStringLiteral("верный пароль").toUtf8();

QByteArray seal(QByteArrayView plain, QByteArrayView password = kPassword) {
  const CryptResult result = Seal(plain, password, MinimalLimits());
  EXPECT_TRUE(result.ok());
  return result.bytes;
}

// The same text with its header's numbers replaced, encoded as Seal encodes.
QByteArray withLimits(const QByteArray& sealed, std::uint32_t ops, std::uint32_t memKiB) {
  QByteArray raw = QByteArray::fromBase64(sealed.mid(qsizetype(sizeof kPrefix - 1)));
  for (int i = 0; i < 4; ++i) {
    raw[i] = char((ops >> (8 * i)) & 0xFF);
    raw[4 + i] = char((memKiB >> (8 * i)) & 0xFF);
  }
  return QByteArray(kPrefix) + raw.toBase64();
}

TEST(ModernCipher, RoundTripsEveryText) {
  QByteArray megabyte;
  for (int i = 0; megabyte.size() < 1024 * 1024; ++i)
    megabyte += QStringLiteral("Строка %1: ёж, 日本, 🙂\r\n").arg(i).toUtf8();
  struct Case {
    const char* what;
    QByteArray plain;
  } cases[] = {
      {"empty", ""},
      {"one character", "x"},
      {"Cyrillic, CR LF, a zero byte", QStringLiteral("Привет,\r\nмир\0!").toUtf8()},
      {"a megabyte", megabyte},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QByteArray sealed = seal(c.plain);
    EXPECT_EQ(sealed.size(), qsizetype(sizeof kPrefix - 1) +
                                 (kHeaderBytes + c.plain.size() + kTagBytes + 2) / 3 * 4);
    const CryptResult opened = Open(sealed, kPassword);
    ASSERT_TRUE(opened.ok());
    EXPECT_EQ(opened.bytes, c.plain);
  }
}

TEST(ModernCipher, WritesOneLineOfAsciiThatDiffersEachTime) {
  const QByteArray first = seal("Секрет");
  const QByteArray second = seal("Секрет");
  const QRegularExpression shape(QStringLiteral("^OSTREL-ENC1:[A-Za-z0-9+/]+=*$"));
  EXPECT_TRUE(shape.match(QString::fromLatin1(first)).hasMatch()) << first.constData();
  EXPECT_NE(first, second) << "salt and nonce are random";
}

// Opening with them is the round trip in text_cipher_test.cpp.
TEST(ModernCipher, DefaultLimitsAreWrittenIntoTheHeader) {
  const KdfLimits limits = DefaultLimits();
  EXPECT_EQ(limits.opsLimit, 2u);
  EXPECT_EQ(limits.memLimitKiB, 64u * 1024);
  const CryptResult sealed = Seal("текст", kPassword);
  ASSERT_TRUE(sealed.ok());
  const QByteArray raw = QByteArray::fromBase64(sealed.bytes.mid(qsizetype(sizeof kPrefix - 1)));
  EXPECT_EQ(raw.left(8).toHex(), "0200000000000100");
}

TEST(ModernCipher, RefusesAWrongPassword) {
  const QByteArray sealed = seal("текст");
  for (const QByteArray& wrong : {QByteArray("Верный пароль"), QByteArray(""), kPassword + ' ',
                                  kPassword.left(kPassword.size() - 1)}) {
    SCOPED_TRACE(wrong.constData());
    EXPECT_EQ(Open(sealed, wrong).error, CryptError::WrongPasswordOrDamaged);
  }
}

// Every character of the text matters, the last Base64 character's spare bits included.
TEST(ModernCipher, RefusesAnyChangedCharacter) {
  const QByteArray sealed = seal("a");
  ASSERT_TRUE(sealed.endsWith("=")) << "the last data character carries spare bits";
  for (qsizetype at = 0; at < sealed.size(); ++at) {
    QByteArray changed = sealed;
    changed[at] = sealed[at] == 'A' ? 'B' : 'A';
    SCOPED_TRACE(changed.constData());
    EXPECT_EQ(Open(changed, kPassword).error, CryptError::WrongPasswordOrDamaged);
  }
  // Only the spare bits of the last data character changed: the bytes decode the same.
  const QByteArray alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  QByteArray spare = sealed;
  const qsizetype last = sealed.indexOf('=') - 1;
  spare[last] = alphabet[alphabet.indexOf(sealed[last]) ^ 1];
  EXPECT_EQ(QByteArray::fromBase64(spare.mid(12)), QByteArray::fromBase64(sealed.mid(12)));
  EXPECT_EQ(Open(spare, kPassword).error, CryptError::WrongPasswordOrDamaged);
  EXPECT_EQ(Open(sealed.chopped(1), kPassword).error, CryptError::WrongPasswordOrDamaged);
  EXPECT_EQ(Open(sealed + "AAAA", kPassword).error, CryptError::WrongPasswordOrDamaged);
}

TEST(ModernCipher, RefusesMalformedText) {
  const QByteArray sealed = seal("текст");
  struct Case {
    const char* what;
    QByteArray text;
  } cases[] = {
      {"the prefix alone", kPrefix},
      {"too short for header and tag", QByteArray(kPrefix) + QByteArray(63, 'x').toBase64()},
      {"not Base64", QByteArray(sealed).replace(20, 1, "*")},
      {"another version", QByteArray(sealed).replace(10, 1, "2")},
      {"no prefix", sealed.mid(12)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Open(c.text, kPassword).error, CryptError::WrongPasswordOrDamaged);
  }
}

TEST(ModernCipher, SpacesInsideTheBase64AreIgnored) {
  QByteArray wrapped = seal("Письмо");
  for (qsizetype at = 76; at < wrapped.size(); at += 78) wrapped.insert(at, "\r\n");
  wrapped.insert(20, " \t");
  EXPECT_EQ(Open(wrapped, kPassword).bytes, QStringLiteral("Письмо").toUtf8());
}

// A text is data from anywhere: numbers out of bounds are refused before any memory is taken.
// Unchecked, a crafted header fails later as KeyDerivationFailed (4 TiB cannot be had, zero is
// below Argon2id's minimum), takes 256 MiB, or for billions of passes never ends, so that row
// goes through AcceptedLimits alone.
TEST(ModernCipher, RefusesLimitsOutOfBounds) {
  const QByteArray sealed = seal("текст");
  struct Case {
    std::uint32_t ops, memKiB;
    bool accepted;
  } cases[] = {
      {1, 8, true},
      {8, 256 * 1024, true},
      {0, 8, false},
      {9, 8, false},
      {1, 7, false},
      {1, 0, false},
      {1, 256 * 1024 + 1, false},
      {1, 0xFFFFFFFF, false},
      {0xFFFFFFFF, 8, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ops << " passes, " << c.memKiB << " KiB");
    EXPECT_EQ(AcceptedLimits({c.ops, c.memKiB}), c.accepted);
    if (c.accepted) continue;
    EXPECT_EQ(Seal("x", kPassword, {c.ops, c.memKiB}).error, CryptError::KeyDerivationFailed);
    if (c.ops <= 9) {
      EXPECT_EQ(Open(withLimits(sealed, c.ops, c.memKiB), kPassword).error,
                CryptError::WrongPasswordOrDamaged);
    }
  }
  // Limits in bounds but not the ones sealed with derive another key.
  EXPECT_EQ(Open(withLimits(sealed, 2, 8), kPassword).error, CryptError::WrongPasswordOrDamaged);
}

}  // namespace
}  // namespace crypto::modern
