#include "crypto/secret_bytes.h"

#include <sodium.h>

namespace crypto {

SecretBytes::~SecretBytes() {
  if (!m_bytes.isEmpty()) sodium_memzero(m_bytes.data(), size_t(m_bytes.size()));
}

void WipeString(QString& text) {
  // data() on a shared string would copy it first and wipe only the copy.
  if (!text.isEmpty() && text.isDetached())
    sodium_memzero(text.data(), size_t(text.size()) * sizeof(QChar));
  text.clear();
}

}  // namespace crypto
