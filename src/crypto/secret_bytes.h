// Copies of a password that are wiped when they go, so the password does not linger in freed
// memory longer than the operation that needed it.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstring>

namespace crypto {

// Owns one byte copy of a secret and zeroes it on destruction. Defined here whole: the cipher
// module uses it as well as the program.
class SecretBytes {
 public:
  explicit SecretBytes(QByteArray bytes) : m_bytes(std::move(bytes)) { m_bytes.detach(); }
  // explicit_bzero, unlike memset, is never left out because the memory is freed next.
  ~SecretBytes() {
    if (!m_bytes.isEmpty()) explicit_bzero(m_bytes.data(), size_t(m_bytes.size()));
  }
  SecretBytes(const SecretBytes&) = delete;
  SecretBytes& operator=(const SecretBytes&) = delete;

  const QByteArray& bytes() const { return m_bytes; }

 private:
  QByteArray m_bytes;
};

// Zeroes the characters of `text` and empties it. Wipes the buffer itself only when `text` is
// its sole owner; otherwise it just lets go of its share.
void WipeString(QString& text);

}  // namespace crypto
