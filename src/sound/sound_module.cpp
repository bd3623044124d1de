// The sound module: the key sound played through Qt Multimedia.
#include <QSoundEffect>

#include "sound/sound_device.h"

namespace {

class EffectDevice : public platform::SoundDevice {
 public:
  void play(const QUrl& file) override {
    m_effect.stop();
    // The same file is loaded once; the effect plays it as soon as it is ready.
    if (m_effect.source() != file) m_effect.setSource(file);
    m_effect.play();
  }

 private:
  QSoundEffect m_effect;
};

}  // namespace

extern "C" Q_DECL_EXPORT platform::SoundDevice* ostrel_make_sound_device() {
  return new EffectDevice;
}
