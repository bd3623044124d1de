#include "platform/sound_player.h"

#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QLibrary>
#include <QUrl>
#include <QtEndian>

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

// The sound module: beside the program (the build tree), else where an installation puts it.
std::unique_ptr<SoundDevice> loadSoundDevice() {
  for (const QString& dir : {QCoreApplication::applicationDirPath(),
                             QStringLiteral(OSTREL_LIB_DIR)}) {
    QLibrary module(dir + QStringLiteral("/libostrel_sound.so"));
    // Never unloaded: the device's code must outlive every sound.
    module.setLoadHints(QLibrary::PreventUnloadHint);
    const auto make =
        reinterpret_cast<OstrelMakeSoundDevice>(module.resolve("ostrel_make_sound_device"));
    if (make) return std::unique_ptr<SoundDevice>(make());
  }
  return nullptr;
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
