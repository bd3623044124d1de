// The key sound: a wave file played in the background while the user goes on typing.
#pragma once

#include <QObject>
#include <QString>

class QIODevice;
class QSoundEffect;

namespace platform {

// True for a RIFF WAVE whose format chunk comes before a data chunk that is all there. The
// sound decoder never finishes loading a file that ends early or is no wave at all, and then
// hangs when the next sound replaces it; such a file is not handed to it.
bool IsWholeWave(QIODevice& file);

class SoundPlayer : public QObject {
  Q_OBJECT
 public:
  explicit SoundPlayer(QObject* parent = nullptr);

  // Starts the file and returns at once; a sound still playing is cut off by the new one. A
  // missing file, one that is no whole wave, an empty path or a machine without sound plays
  // nothing and says nothing.
  void play(const QString& path);
  // The file asked for last ("" before the first).
  QString source() const { return m_source; }
  // The file really handed to the sound device last ("" while none was).
  QString playing() const { return m_playing; }

 private:
  QSoundEffect* m_effect = nullptr;  // made at the first sound: a silent session opens no audio
  QString m_source;
  QString m_playing;
};

}  // namespace platform
