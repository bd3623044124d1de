// Helpers for the tests of TextFile's byte conversions: decoding into pieces, encoding into one
// array, and files made in a given encoding without going through the code under test.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/cp1251.h"
#include "platform/text_file.h"

namespace text_codec {

inline std::vector<QByteArray> decodePieces(const QByteArray& bytes,
                                            const platform::TextFormat& format) {
  std::vector<QByteArray> pieces;
  platform::TextFile::decodeToUtf8(bytes, format,
                                   [&](QByteArrayView p) { pieces.push_back(p.toByteArray()); });
  return pieces;
}

inline QByteArray joined(const std::vector<QByteArray>& pieces) {
  QByteArray all;
  for (const QByteArray& p : pieces) all += p;
  return all;
}

inline QByteArray encode(const QByteArray& utf8, const platform::TextFormat& format) {
  QByteArray out;
  platform::TextFile::encodeFromUtf8(utf8, format, [&](QByteArrayView p) { out.append(p); });
  return out;
}

// UTF-16 code units as bytes of the given order, mark first when asked.
inline QByteArray utf16Bytes(const std::u16string& units, bool bigEndian, bool bom = true) {
  QByteArray bytes;
  if (bom) bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t u : units) {
    const char hi = char(u >> 8), lo = char(u & 0xFF);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}

// The text as a file in the given encoding; UTF-8 and UTF-16 with their byte-order mark when
// `bom`.
inline QByteArray fileOf(const QString& text, platform::Encoding encoding, bool bom) {
  switch (encoding) {
    case platform::Encoding::Windows1251:
      return cp1251::encode(text);
    case platform::Encoding::Utf8:
      return (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
    case platform::Encoding::Utf16Le:
    case platform::Encoding::Utf16Be:
      break;
  }
  return utf16Bytes(std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), text.size()),
                    encoding == platform::Encoding::Utf16Be, bom);
}

}  // namespace text_codec
