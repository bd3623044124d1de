// The legacy recipe, pinned by the provider's published conformance vector and checked against
// OpenSSL's own RC2 (its legacy provider) as an independent oracle, plus the padding check that
// is all a legacy decryption has to notice a wrong password.
#include "cipher/legacy_cipher.h"

#include <gtest/gtest.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include "crypto/md2_for_test.h"
#include "crypto/text_cipher.h"
#include "platform/cp1251.h"

namespace crypto::legacy {
namespace {

using crypto_test::Md2;

QByteArray fromHex(const char* hex) { return QByteArray::fromHex(hex); }

// The 2,000 bytes 0, 1, ..., 255, 0, 1, ... of the conformance vector.
QByteArray countingBytes(int count) {
  QByteArray bytes;
  for (int i = 0; i < count; ++i) bytes.append(char(i % 256));
  return bytes;
}

// RC2 and MD5 from OpenSSL's providers, in a library context of their own.
class Oracle {
 public:
  Oracle()
      : m_context(OSSL_LIB_CTX_new()),
        m_legacy(OSSL_PROVIDER_load(m_context, "legacy")),
        m_default(OSSL_PROVIDER_load(m_context, "default")),
        m_rc2(EVP_CIPHER_fetch(m_context, "RC2-CBC", nullptr)),
        m_md5(EVP_MD_fetch(m_context, "MD5", nullptr)) {}
  ~Oracle() {
    EVP_MD_free(m_md5);
    EVP_CIPHER_free(m_rc2);
    if (m_default) OSSL_PROVIDER_unload(m_default);
    if (m_legacy) OSSL_PROVIDER_unload(m_legacy);
    OSSL_LIB_CTX_free(m_context);
  }
  bool available() const { return m_rc2 && m_md5; }

  QByteArray md5(QByteArrayView data) const {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data.data(), size_t(data.size()), digest, &length, m_md5, nullptr);
    return QByteArray(reinterpret_cast<const char*>(digest), int(length));
  }

  // CBC, zero IV, PKCS#5; empty on a padding error.
  QByteArray rc2(QByteArrayView key, size_t effectiveBits, QByteArrayView data,
                 bool encrypt) const {
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    size_t keyLength = size_t(key.size());
    const OSSL_PARAM params[] = {
        OSSL_PARAM_construct_size_t(OSSL_CIPHER_PARAM_KEYLEN, &keyLength),
        OSSL_PARAM_construct_size_t(OSSL_CIPHER_PARAM_RC2_KEYBITS, &effectiveBits),
        OSSL_PARAM_construct_end()};
    const unsigned char iv[8] = {};
    QByteArray out(data.size() + 16, '\0');
    int written = 0, last = 0;
    bool ok =
        EVP_CipherInit_ex2(ctx, m_rc2, nullptr, nullptr, encrypt, params) &&
        EVP_CipherInit_ex2(ctx, nullptr, reinterpret_cast<const unsigned char*>(key.data()), iv,
                           encrypt, nullptr) &&
        EVP_CipherUpdate(ctx, reinterpret_cast<unsigned char*>(out.data()), &written,
                         reinterpret_cast<const unsigned char*>(data.data()), int(data.size())) &&
        EVP_CipherFinal_ex(ctx, reinterpret_cast<unsigned char*>(out.data()) + written, &last);
    EVP_CIPHER_CTX_free(ctx);
    return ok ? out.left(written + last) : QByteArray();
  }

 private:
  OSSL_LIB_CTX* m_context;
  OSSL_PROVIDER* m_legacy;
  OSSL_PROVIDER* m_default;
  EVP_CIPHER* m_rc2;
  EVP_MD* m_md5;
};

TEST(Md2ForTest, MatchesTheReferenceVectors) {
  EXPECT_EQ(Md2("").toHex(), "8350e5a3e24c153df2275c9f80692773");
  EXPECT_EQ(Md2("abc").toHex(), "da853b0d3f88d99b30283a69e6ded6bb");
  EXPECT_EQ(Md2("message digest").toHex(), "ab4f496bfb2a530b219ff33031fe06b0");
}

// Key material: the first five bytes of MD2 over the 2,000 counting bytes, then eleven zeros;
// RC2 at 40 effective bits, CBC, zero IV, PKCS#5: the first 13 bytes encrypt to this.
TEST(LegacyRecipe, ReproducesTheConformanceVector) {
  const QByteArray key = KeyFromHash(Md2(countingBytes(2000)));
  ASSERT_EQ(key.size(), kKeyBytes);
  EXPECT_EQ(key.right(11), QByteArray(11, '\0'));
  const QByteArray plain = countingBytes(13);
  const std::optional<QByteArray> cipher = Rc2Cbc(key, kEffectiveBits, plain, Direction::Encrypt);
  ASSERT_TRUE(cipher);
  EXPECT_EQ(cipher->toHex(), "c09ae42f0a476711fb1887ce0c7507b1");
  EXPECT_EQ(Rc2Cbc(key, kEffectiveBits, *cipher, Direction::Decrypt), plain);
}

// The three details that are easy to get wrong each change the result.
TEST(LegacyRecipe, OtherKeyLengthsOrEffectiveBitsDoNotMatch) {
  const QByteArray hash = Md2(countingBytes(2000));
  const QByteArray plain = countingBytes(13);
  const QByteArray expected = fromHex("c09ae42f0a476711fb1887ce0c7507b1");
  struct Case {
    const char* what;
    QByteArray key;
    int bits;
  } cases[] = {
      {"128 effective bits", KeyFromHash(hash), 128},
      {"the whole hash as key", hash, kEffectiveBits},
      {"five key bytes without the zeros", hash.left(kHashBytesKept), kEffectiveBits},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_NE(Rc2Cbc(c.key, c.bits, plain, Direction::Encrypt), expected);
  }
}

TEST(LegacyRecipe, AgreesWithOpenSslProviders) {
  const Oracle oracle;
  if (!oracle.available()) GTEST_SKIP() << "OpenSSL's legacy provider is not installed";
  const QByteArray vectorKey = KeyFromHash(Md2(countingBytes(2000)));
  ASSERT_EQ(oracle.rc2(vectorKey, kEffectiveBits, countingBytes(13), true).toHex(),
            "c09ae42f0a476711fb1887ce0c7507b1")
      << "the oracle itself must reproduce the vector";

  // What the legacy encrypt path writes decrypts by the bare recipe: MD5 of the password's
  // Windows-1251 bytes, its first five bytes and eleven zeros, RC2 at 40 bits.
  const QString text = QStringLiteral("Привет, мир!\r\nЁлка «ёж» — №5");
  const QString password = QStringLiteral("Пароль-ёжик");
  const CryptResult encrypted = EncryptText(text.toUtf8(), password, CipherFormat::Legacy);
  ASSERT_TRUE(encrypted.ok());
  const QByteArray cipher = cp1251::encode(QString::fromUtf8(encrypted.bytes));
  EXPECT_EQ(cipher.size() % kBlockBytes, 0);
  const QByteArray key = KeyFromHash(oracle.md5(cp1251::encode(password)));
  EXPECT_EQ(oracle.rc2(key, kEffectiveBits, cipher, false), cp1251::encode(text));

  // And the other way: the oracle's cipher text decrypts here, for every length of a block.
  for (int length = 0; length <= 17; ++length) {
    SCOPED_TRACE(length);
    const QByteArray plain = countingBytes(length);
    const QByteArray made = oracle.rc2(key, kEffectiveBits, plain, true);
    EXPECT_EQ(Encrypt(plain, cp1251::encode(password)), made);
    EXPECT_EQ(Decrypt(made, cp1251::encode(password)), plain);
  }
}

// The last block is all a wrong password can be caught by. One block encrypted alone decrypts
// to itself, so its last bytes act as the padding.
TEST(LegacyRecipe, DecryptionChecksThePadding) {
  const QByteArray key = KeyFromHash(Md5("пароль"));
  struct Case {
    const char* what;
    QByteArray lastBlock;
    std::optional<QByteArray> expect;
  } cases[] = {
      {"pad 1",
       fromHex("41424344454647"
               "01"),
       fromHex("41424344454647")},
      {"pad 8", QByteArray(8, '\x08'), QByteArray()},
      {"pad 0",
       fromHex("41424344454647"
               "00"),
       std::nullopt},
      {"pad 9",
       fromHex("41424344454647"
               "09"),
       std::nullopt},
      {"pad 2 over a 3",
       fromHex("414243444546"
               "0302"),
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QByteArray cipher =
        Rc2Cbc(key, kEffectiveBits, c.lastBlock, Direction::Encrypt)->left(kBlockBytes);
    EXPECT_EQ(Rc2Cbc(key, kEffectiveBits, cipher, Direction::Decrypt), c.expect);
  }
  EXPECT_EQ(Rc2Cbc(key, kEffectiveBits, "", Direction::Decrypt), std::nullopt);
  EXPECT_EQ(Rc2Cbc(key, kEffectiveBits, "1234567", Direction::Decrypt), std::nullopt);
  EXPECT_EQ(Rc2Cbc(key, kEffectiveBits, "123456789", Direction::Decrypt), std::nullopt);
}

}  // namespace
}  // namespace crypto::legacy
