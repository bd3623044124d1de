#include "platform/sound_player.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QtEndian>

#include "platform/program_module.h"
#include "sound/sound_device.h"

namespace platform {
namespace {

bool readChunkHeader(QIODevice& file, QByteArray* id, quint32* size) {
  const QByteArray header = file.read(8);
  if (header.size() < 8) return false;
  *id = header.left(4);
  *size = qFromLittleEndian<quint32>(header.constData() + 4);
  return true;
}

std::unique_ptr<SoundDevice> loadSoundDevice() {
  const auto make = reinterpret_cast<OstrelMakeSoundDevice>(
      ProgramModuleEntry(QStringLiteral("libostrel_sound.so"), "ostrel_make_sound_device"));
  return make ? std::unique_ptr<SoundDevice>(make()) : nullptr;
}

}  // namespace

bool IsWholeWave(QIODevice& file) {
  const QByteArray riff = file.read(12);
  if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") return false;
  bool format = false;
  QByteArray id;
  quint32 size = 0;
  while (readChunkHeader(file, &id, &size)) {
    const qint64 start = file.pos();
    if (qint64(size) > file.size() - start) return false;
    if (id == "data") return format;
    if (id == "fmt ") format = size >= 16;
    // Chunks are padded to an even length.
    if (!file.seek(start + size + (size & 1))) return false;
  }
  return false;
}

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString& path) {
  m_source = path;
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || !IsWholeWave(file)) return;
  if (!m_device && !m_noDevice) {
    m_device = loadSoundDevice();
    m_noDevice = !m_device;
  }
  if (!m_device) return;
  m_device->play(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  m_playing = path;
}

}  // namespace platform
