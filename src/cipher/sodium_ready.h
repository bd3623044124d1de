// libsodium must be initialised once before any of its calls; this does it on first use.
#pragma once

namespace crypto {

// False only when libsodium could not initialise (no source of randomness).
bool SodiumReady();

}  // namespace crypto
