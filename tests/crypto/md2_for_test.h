// MD2, for the tests alone: the published conformance vector of the legacy key recipe hashes
// with it, and this system's OpenSSL is built without it. Checked against the RFC 1319 vectors
// in legacy_cipher_test.cpp.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstdint>

namespace crypto_test {

inline QByteArray Md2(QByteArrayView data) {
  // The permutation of 0..255 built from the digits of pi.
  static constexpr std::uint8_t kS[256] = {
     41,  46,  67, 201, 162, 216, 124,   1,  61,  54,  84, 161, 236, 240,   6,  19,
     98, 167,   5, 243, 192, 199, 115, 140, 152, 147,  43, 217, 188,  76, 130, 202,
     30, 155,  87,  60, 253, 212, 224,  22, 103,  66, 111,  24, 138,  23, 229,  18,
    190,  78, 196, 214, 218, 158, 222,  73, 160, 251, 245, 142, 187,  47, 238, 122,
    169, 104, 121, 145,  21, 178,   7,  63, 148, 194,  16, 137,  11,  34,  95,  33,
    128, 127,  93, 154,  90, 144,  50,  39,  53,  62, 204, 231, 191, 247, 151,   3,
    255,  25,  48, 179,  72, 165, 181, 209, 215,  94, 146,  42, 172,  86, 170, 198,
     79, 184,  56, 210, 150, 164, 125, 182, 118, 252, 107, 226, 156, 116,   4, 241,
     69, 157, 112,  89, 100, 113, 135,  32, 134,  91, 207, 101, 230,  45, 168,   2,
     27,  96,  37, 173, 174, 176, 185, 246,  28,  70,  97, 105,  52,  64, 126,  15,
     85,  71, 163,  35, 221,  81, 175,  58, 195,  92, 249, 206, 186, 197, 234,  38,
     44,  83,  13, 110, 133,  40, 132,   9, 211, 223, 205, 244,  65, 129,  77,  82,
    106, 220,  55, 200, 108, 193, 171, 250,  36, 225, 123,   8,  12, 189, 177,  74,
    120, 136, 149, 139, 227,  99, 232, 109, 233, 203, 213, 254,  59,   0,  29,  57,
    242, 239, 183,  14, 102,  88, 208, 228, 166, 119, 114, 248, 235, 117,  75,  10,
     49,  68,  80, 180, 143, 237,  31,  26, 219, 153, 141,  51, 159,  17, 131,  20
  };
  QByteArray message = data.toByteArray();
  const int pad = 16 - int(message.size() % 16);
  message.append(pad, char(pad));
  std::array<std::uint8_t, 16> checksum{};
  std::uint8_t last = 0;
  for (qsizetype block = 0; block < message.size(); block += 16)
    for (int j = 0; j < 16; ++j)
      last = checksum[j] ^= kS[std::uint8_t(message[block + j]) ^ last];
  message.append(reinterpret_cast<const char*>(checksum.data()), 16);

  std::array<std::uint8_t, 48> x{};
  for (qsizetype block = 0; block < message.size(); block += 16) {
    for (int j = 0; j < 16; ++j) {
      x[16 + j] = std::uint8_t(message[block + j]);
      x[32 + j] = x[16 + j] ^ x[j];
    }
    std::uint8_t t = 0;
    for (int round = 0; round < 18; ++round) {
      for (std::uint8_t& b : x) t = b ^= kS[t];
      t = std::uint8_t(t + round);
    }
  }
  return QByteArray(reinterpret_cast<const char*>(x.data()), 16);
}

}  // namespace crypto_test
