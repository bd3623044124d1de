#include "cipher/sodium_ready.h"

#include <sodium.h>

namespace crypto {

bool SodiumReady() {
  // A function-local static runs sodium_init() exactly once, even with several threads.
  static const bool ready = sodium_init() >= 0;
  return ready;
}

}  // namespace crypto
