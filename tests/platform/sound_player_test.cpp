// The key sound fails silently: no sound device here, a missing file, and files the decoder
// would hang on (no wave at all, or one that ends early) are never handed to it.
#include "platform/sound_player.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace platform {
namespace {

QByteArray chunk(const char* id, const QByteArray& body, quint32 declared = 0) {
  const quint32 size = qToLittleEndian<quint32>(declared ? declared : body.size());
  return QByteArray(id, 4) + QByteArray(reinterpret_cast<const char*>(&size), 4) + body +
         QByteArray(body.size() % 2, '\0');
}

// 8 kHz mono 8-bit PCM: tag 1, channels 1, rate, bytes per second, block 1, 8 bits.
const QByteArray kFormat = chunk("fmt ", QByteArray::fromHex("01000100401f0000401f000001000800"));
const QByteArray kWave = chunk("RIFF", "WAVE" + kFormat + chunk("data", QByteArray(801, '\x80')));
const QByteArray kCut = chunk("RIFF", "WAVE" + kFormat + chunk("data", "ab", 800));

TEST(SoundPlayer, PlaysWholeWavesAndSkipsTheRest) {
  QTemporaryDir dir;
  auto write = [&dir](const char* name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
  };
  const QString wave = write("click.wav", kWave), cut = write("cut.wav", kCut);
  const QString text = write("text.wav", "not a sound");
  const QString dataFirst =
      write("first.wav", chunk("RIFF", "WAVE" + chunk("data", "ab") + kFormat));
  struct Step {
    QString path;
    QString playing;  // what the device was given last
  };
  const Step steps[] = {{"", ""},    {dir.filePath("none.wav"), ""},
                        {text, ""},  {wave, wave},
                        {cut, wave}, {dataFirst, wave},
                        {text, wave}};
  SoundPlayer player;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.path.toStdString());
    player.play(s.path);
    QCoreApplication::processEvents();
    EXPECT_EQ(player.source(), s.path);
    EXPECT_EQ(player.playing(), s.playing);
  }
}

}  // namespace
}  // namespace platform
