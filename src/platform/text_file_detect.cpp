// What a file's bytes are: the encoding, the line-end style, and whether reading the file and
// writing its text back would give the same bytes. Found in the scans that pick the encoding and
// count the line ends, so opening a large file pays no extra pass for it (a file with a UTF-8
// mark gets the validity scan a file without one always had).
#include <QStringList>
#include <algorithm>
#include <cstring>

#include "platform/text_file_bytes.h"

namespace platform {

QString ReadFidelity::describe() const {
  QStringList reasons;
  if (mixedLineEnds) reasons << QStringLiteral("смешанные концы строк");
  if (invalidBytes) reasons << QStringLiteral("недопустимые байты");
  if (binary) reasons << QStringLiteral("двоичные данные");
  return reasons.join(QStringLiteral(", "));
}

namespace TextFile {
namespace detail {

int sequenceLength(const u8* s, qsizetype n) {
  const u8 c = s[0];
  int len = 0;
  u8 lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    if (c == 0xE0) lo = 0xA0;  // overlong
    if (c == 0xED) hi = 0x9F;  // surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    if (c == 0xF0) lo = 0x90;  // overlong
    if (c == 0xF4) hi = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (n < len || s[1] < lo || s[1] > hi) return 0;
  for (int k = 2; k < len; ++k)
    if ((s[k] & 0xC0) != 0x80) return 0;
  return len;
}

Utf8Scan scanUtf8(QByteArrayView bytes) {
  const auto* s = reinterpret_cast<const u8*>(bytes.data());
  const qsizetype n = bytes.size();
  Utf8Scan scan;
  qsizetype i = 0;
  while (i < n) {
    if (n - i >= 16 && ((load8(bytes.data() + i) | load8(bytes.data() + i + 8)) & kHighBits) == 0) {
      i += 16;
      continue;
    }
    if (s[i] < 0x80) {
      ++i;
      continue;
    }
    scan.multiByte = true;
    if (isTwoByteSequence(s + i, n - i)) {  // Cyrillic and most of Europe
      i += 2;
      continue;
    }
    const int len = sequenceLength(s + i, n - i);
    if (len == 0) return {false, true};
    i += len;
  }
  return scan;
}

LineEndCounts countLineEnds(QByteArrayView bytes) {
  const char* p = bytes.data();
  const qsizetype n = bytes.size();
  LineEndCounts counts;
  qsizetype i = 0;
  while (i < n) {
    if (n - i >= 8 && !hasLineEndByte(load8(p + i))) {
      i += 8;
      continue;
    }
    const char c = p[i++];
    if (c == '\n') {
      ++counts.lf;
    } else if (c == '\r') {
      if (i < n && p[i] == '\n') {
        ++counts.crlf;
        ++i;
      } else {
        ++counts.cr;
      }
    }
  }
  return counts;
}

}  // namespace detail

namespace {

using detail::LineEndCounts;

// A NUL this near the start says "binary" (executables, images and archives all have one in
// their headers); a text file with a stray NUL further on is still a text file.
constexpr qsizetype kBinaryWithin = qsizetype(64) << 10;

struct Detected {
  TextFormat format;
  ReadFidelity fidelity;
};

Detected detectUtf16(QByteArrayView bytes, Encoding encoding) {
  const detail::Utf16Scan scan =
      detail::scanUtf16(bytes.sliced(2), encoding == Encoding::Utf16Be, kBinaryWithin - 2);
  return {{encoding, true, scan.lineEnds.dominant()},
          {scan.lineEnds.mixed(), scan.invalid, scan.nul}};
}

// UTF-8 or Windows-1251. Text without a byte-order mark is only UTF-8 when valid, so only text
// after one can hold bad sequences.
Detected detectSingleOrUtf8(QByteArrayView bytes) {
  Detected d;
  QByteArrayView text = bytes;
  if (bytes.startsWith("\xEF\xBB\xBF")) {
    d.format = {Encoding::Utf8, true};
    text = bytes.sliced(3);
    d.fidelity.invalidBytes = !detail::scanUtf8(text).valid;
  } else {
    const detail::Utf8Scan scan = detail::scanUtf8(bytes);
    if (scan.valid && scan.multiByte) d.format.encoding = Encoding::Utf8;
  }
  const LineEndCounts counts = detail::countLineEnds(text);
  d.format.lineEnd = counts.dominant();
  d.fidelity.mixedLineEnds = counts.mixed();
  const qsizetype head = std::min(bytes.size(), kBinaryWithin);
  d.fidelity.binary = head > 0 && std::memchr(bytes.data(), 0, size_t(head)) != nullptr;
  return d;
}

}  // namespace

TextFormat detect(QByteArrayView bytes, ReadFidelity* fidelity) {
  // FF and FE never occur in UTF-8, so a UTF-16 mark is never the start of UTF-8 text, with or
  // without its mark: a file that begins with one is UTF-16, whatever else it looks like.
  const Detected d = bytes.startsWith("\xFF\xFE")   ? detectUtf16(bytes, Encoding::Utf16Le)
                     : bytes.startsWith("\xFE\xFF") ? detectUtf16(bytes, Encoding::Utf16Be)
                                                    : detectSingleOrUtf8(bytes);
  if (fidelity) *fidelity = d.fidelity;
  return d.format;
}

}  // namespace TextFile
}  // namespace platform
