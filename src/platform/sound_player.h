// The key sound: a wave file played in the background while the user goes on typing.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QIODevice;

namespace platform {

class SoundDevice;

// True for a RIFF WAVE whose format chunk comes before a data chunk that is all there. The
// sound decoder never finishes loading a file that ends early or is no wave at all, and then
// hangs when the next sound replaces it; such a file is not handed to it.
bool IsWholeWave(QIODevice& file);

class SoundPlayer : public QObject {
  Q_OBJECT
 public:
  explicit SoundPlayer(QObject* parent = nullptr);
  ~SoundPlayer() override;

  // Starts the file and returns at once; a sound still playing is cut off by the new one. A
  // missing file, one that is no whole wave, an empty path or a machine without sound plays
  // nothing and says nothing.
  void play(const QString& path);
  // The file asked for last ("" before the first).
  QString source() const { return m_source; }
  // The file really handed to the sound device last ("" while none was).
  QString playing() const { return m_playing; }

 private:
  // Made at the first sound, from the sound module: a silent session loads no audio libraries.
  std::unique_ptr<SoundDevice> m_device;
  bool m_noDevice = false;  // the module could not be loaded: no sound this session
  QString m_source;
  QString m_playing;
};

}  // namespace platform
