// The sound device as the program sees it. Its one implementation lives in a module of its own
// (libostrel_sound.so), loaded at the first key sound: the multimedia libraries it needs are
// two dozen, and a session that plays no sound never maps them.
#pragma once

#include <QUrl>

namespace platform {

class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // Cuts off a sound still playing and plays this wave file, returning at once.
  virtual void play(const QUrl& file) = 0;
};

}  // namespace platform

// The module's one entry point: a new device, owned by the caller.
extern "C" {
using OstrelMakeSoundDevice = platform::SoundDevice* (*)();
}
