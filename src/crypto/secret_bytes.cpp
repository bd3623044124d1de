#include "crypto/secret_bytes.h"

namespace crypto {

void WipeString(QString& text) {
  // data() on a shared string would copy it first and wipe only the copy.
  if (!text.isEmpty() && text.isDetached())
    explicit_bzero(text.data(), size_t(text.size()) * sizeof(QChar));
  text.clear();
}

}  // namespace crypto
