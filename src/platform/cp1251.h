// The Windows-1251 code of a character: how the text tools judge letters, and how single-byte
// files are read and written. Byte 0x98 (undefined in Windows-1251) maps to U+0098 and back,
// so every byte round-trips.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

namespace cp1251 {

// 0..255, or -1 for a character Windows-1251 lacks.
int code(QChar c);
// The character of a byte; defined for all 256 bytes.
QChar toUnicode(unsigned char byte);
QString decode(QByteArrayView bytes);
// Characters without a code become `replacement`.
QByteArray encode(QStringView text, char replacement = '?');
// True when every character has a code.
bool fits(QStringView text);

}  // namespace cp1251
