#include "platform/font_warm_up.h"

#include <fontconfig/fontconfig.h>

namespace platform {

// FcInit is safe to race: a second caller either finds the configuration loaded or builds its
// own and drops it, and Qt calls it again itself in any case.
FontWarmUp::FontWarmUp() : m_worker([] { FcInit(); }) {}

FontWarmUp::~FontWarmUp() {
  if (m_worker.joinable()) m_worker.join();
}

}  // namespace platform
