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

namespace {

// The high bit of every byte of `w` that equals `byte`, and no other bit: exact, unlike the
// quick test of hasLineEndByte, whose borrow can mark the byte after a match.
std::uint64_t bytesEqual(std::uint64_t w, char byte) {
  const std::uint64_t x = w ^ (kOnes * u8(byte));
  const std::uint64_t low7 = ~kHighBits;
  return ~(((x & low7) + low7) | x | low7);
}

// How many bytes a mask of bytesEqual marks, by one multiplication: std::popcount is a library
// call on a plain x86-64 build.
qsizetype marked(std::uint64_t mask) { return qsizetype(((mask >> 7) * kOnes) >> 56); }

}  // namespace

// Eight bytes at a time: the LFs, the CRs and the CRs an LF follows are counted by masks, the
// pair across two words by the top byte of one and the bottom byte of the next. Byte by byte,
// each line end cost eight steps, and counting was a seventh of opening a 100 MB file.
LineEndCounts countLineEnds(QByteArrayView bytes) {
  const char* p = bytes.data();
  const qsizetype n = bytes.size();
  qsizetype lf = 0, cr = 0, pairs = 0;
  bool crBefore = false;  // the byte before the current word is a CR
  qsizetype i = 0;
  for (; n - i >= 8; i += 8) {
    const std::uint64_t w = load8(p + i);
    if (!hasLineEndByte(w)) {
      crBefore = false;
      continue;
    }
    const std::uint64_t lfMask = bytesEqual(w, '\n');
    const std::uint64_t crMask = bytesEqual(w, '\r');
    lf += marked(lfMask);
    cr += marked(crMask);
    // A little-endian load puts the first byte lowest: a CR's LF sits one byte higher.
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN)
      pairs += marked((crMask << 8) & lfMask);
    else
      pairs += marked((crMask >> 8) & lfMask);
    if (crBefore && p[i] == '\n') ++pairs;
    crBefore = p[i + 7] == '\r';
  }
  for (; i < n; ++i) {
    if (p[i] == '\n') {
      ++lf;
      if (crBefore) ++pairs;
    } else if (p[i] == '\r') {
      ++cr;
    }
    crBefore = p[i] == '\r';
  }
  LineEndCounts counts;
  counts.crlf = pairs;
  counts.lf = lf - pairs;
  counts.cr = cr - pairs;
  return counts;
}

// The validity scan and the line-end count in one walk over the text, a block at a time: each
// block is counted while it is still in the cache. Two walks over a 100 MB file cost its opening
// 50 ms more.
Utf8Scan scanUtf8CountingLineEnds(QByteArrayView text, LineEndCounts* lineEnds) {
  constexpr qsizetype kBlock = qsizetype(64) << 10;
  Utf8Scan scan;
  LineEndCounts total;
  for (qsizetype at = 0; at < text.size();) {
    qsizetype end = std::min(text.size(), at + kBlock);
    // Cut before a byte that starts a character, so that no sequence is split: a character
    // has three continuation bytes at most, and a longer run is invalid wherever it is cut.
    for (int k = 0; k < 3 && end < text.size() && (u8(text[end]) & 0xC0) == 0x80; ++k) ++end;
    const QByteArrayView block = text.sliced(at, end - at);
    if (scan.valid) {
      const Utf8Scan part = scanUtf8(block);
      scan.valid = part.valid;
      scan.multiByte |= part.multiByte;
    }
    const LineEndCounts c = countLineEnds(block);
    total.crlf += c.crlf;
    total.lf += c.lf;
    total.cr += c.cr;
    // A CR LF cut in two was counted as a lone CR and a lone LF.
    if (at > 0 && text[at - 1] == '\r' && text[at] == '\n') {
      ++total.crlf;
      --total.cr;
      --total.lf;
    }
    at = end;
  }
  *lineEnds = total;
  return scan;
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
  // decodedSize of the bytes when the scans gave it, else -1.
  qsizetype size = -1;
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
  LineEndCounts counts;
  if (bytes.startsWith("\xEF\xBB\xBF")) {
    d.format = {Encoding::Utf8, true};
    text = bytes.sliced(3);
    d.fidelity.invalidBytes = !detail::scanUtf8CountingLineEnds(text, &counts).valid;
  } else {
    const detail::Utf8Scan scan = detail::scanUtf8CountingLineEnds(bytes, &counts);
    if (scan.valid && scan.multiByte) d.format.encoding = Encoding::Utf8;
  }
  d.format.lineEnd = counts.dominant();
  d.fidelity.mixedLineEnds = counts.mixed();
  // Every line end becomes CR LF, as decodedSize counts.
  d.size = d.format.encoding == Encoding::Utf8
               ? text.size() + counts.lf + counts.cr
               : detail::windows1251DecodedSize(bytes, counts);
  const qsizetype head = std::min(bytes.size(), kBinaryWithin);
  d.fidelity.binary = head > 0 && std::memchr(bytes.data(), 0, size_t(head)) != nullptr;
  return d;
}

}  // namespace

TextFormat detect(QByteArrayView bytes, ReadFidelity* fidelity, qsizetype* size) {
  // FF and FE never occur in UTF-8, so a UTF-16 mark is never the start of UTF-8 text, with or
  // without its mark: a file that begins with one is UTF-16, whatever else it looks like.
  const Detected d = bytes.startsWith("\xFF\xFE")   ? detectUtf16(bytes, Encoding::Utf16Le)
                     : bytes.startsWith("\xFE\xFF") ? detectUtf16(bytes, Encoding::Utf16Be)
                                                    : detectSingleOrUtf8(bytes);
  if (fidelity) *fidelity = d.fidelity;
  if (size) *size = d.size >= 0 ? d.size : decodedSize(bytes, d.format);
  return d.format;
}

}  // namespace TextFile
}  // namespace platform
