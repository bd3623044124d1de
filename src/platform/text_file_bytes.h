// The byte-level pieces the text codec's files share: piece sizes, word-at-a-time tests, UTF-8
// sequences, line-end counting and the UTF-16 conversions. Not for use outside TextFile.
#pragma once

#include <QByteArrayView>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/text_file.h"

namespace platform::TextFile::detail {

// Input bytes per piece: large enough that the sink's per-call cost vanishes, small enough
// that the output buffer stays a few megabytes.
inline constexpr qsizetype kPiece = qsizetype(1) << 20;
// Output bytes per input byte at most, UTF-16 aside: a Windows-1251 byte or a bad UTF-8 byte
// becomes three UTF-8 bytes.
inline constexpr qsizetype kMostGrowth = 3;
// A lone LF of UTF-8 becomes the four bytes of CR LF in UTF-16.
inline constexpr qsizetype kMostUtf16Growth = 4;

// Room for converting `size` input bytes (a piece, and the character or CR LF it ends on): a
// small text, as most list and settings files are, needs no buffer of a whole piece. The slack
// covers that overrun and unconditional four-byte stores.
inline qsizetype bufferFor(qsizetype size, qsizetype growth) {
  return growth * std::min(kPiece, size) + 16;
}

// The output buffer of a conversion, made with bufferFor's size. Left unzeroed: every byte is
// written before it is read, and zeroing three megabytes, most of which a piece never reaches,
// cost a fifth of opening a 1 MB file.
class PieceBuffer {
 public:
  explicit PieceBuffer(qsizetype size) : m_bytes(new char[std::size_t(size)]) {}
  char* data() { return m_bytes.get(); }

 private:
  std::unique_ptr<char[]> m_bytes;
};

using u8 = unsigned char;

inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

inline std::uint64_t load8(const char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

// True when any of the eight bytes is CR or LF.
inline bool hasLineEndByte(std::uint64_t w) {
  const std::uint64_t lf = w ^ (kOnes * '\n');
  const std::uint64_t cr = w ^ (kOnes * '\r');
  return (((lf - kOnes) & ~lf) | ((cr - kOnes) & ~cr)) & kHighBits;
}

// Length of the valid UTF-8 sequence at s[0..n), or 0 when it is not one. Out of line: it is
// the rare path of every loop that calls it, and inlined it slows their common path.
int sequenceLength(const u8* s, qsizetype n);

inline bool isTwoByteSequence(const u8* s, qsizetype n) {
  return n >= 2 && s[0] >= 0xC2 && s[0] <= 0xDF && (s[1] & 0xC0) == 0x80;
}

struct Utf8Scan {
  bool valid = true;
  bool multiByte = false;
};
// Stops at the first bad sequence.
Utf8Scan scanUtf8(QByteArrayView bytes);

// Writes a line end of the given style and returns the new output position.
inline char* putLineEnd(char* out, LineEnd style) {
  if (style != LineEnd::Lf) *out++ = '\r';
  if (style != LineEnd::Cr) *out++ = '\n';
  return out;
}

// After the line-end byte s[i - 1]: a CR takes the LF that follows it.
inline void skipPairedLf(const char* s, qsizetype n, qsizetype& i) {
  if (s[i - 1] == '\r' && i < n && s[i] == '\n') ++i;
}

struct LineEndCounts {
  qsizetype crlf = 0, lf = 0, cr = 0;
  // More than one of the three styles: writing back in one style changes the others.
  bool mixed() const { return (crlf > 0) + (lf > 0) + (cr > 0) > 1; }
  // The most frequent style; CR LF when there is none, or on a tie.
  LineEnd dominant() const {
    if (lf > crlf && lf > cr) return LineEnd::Lf;
    if (cr > crlf && cr > lf) return LineEnd::Cr;
    return LineEnd::CrLf;
  }
};

// The line ends of single-byte or UTF-8 text.
LineEndCounts countLineEnds(QByteArrayView bytes);
// scanUtf8 of `text`, and its line ends into `lineEnds`, in one walk.
Utf8Scan scanUtf8CountingLineEnds(QByteArrayView text, LineEndCounts* lineEnds);
// The size of the UTF-8 with CR LF line ends decodeToUtf8 makes of Windows-1251 `bytes`, whose
// line ends are `lineEnds`.
qsizetype windows1251DecodedSize(QByteArrayView bytes, const LineEndCounts& lineEnds);

struct Converted {
  char* end;
  bool unmappable = false;  // a character without a Windows-1251 code was met
};

// UTF-16 of either byte order, without its byte-order mark.
struct Utf16Scan {
  LineEndCounts lineEnds;
  bool invalid = false;  // a lone surrogate, or an odd byte at the end
  bool nul = false;      // a U+0000 among the first `nulWithin` bytes
};
Utf16Scan scanUtf16(QByteArrayView units, bool bigEndian, qsizetype nulWithin);
// The size of the UTF-8 with CR LF line ends decodeUtf16 makes.
qsizetype utf16DecodedSize(QByteArrayView units, bool bigEndian);
// `skipped`: bytes before `units` in the file (the byte-order mark), counted in the progress.
void decodeUtf16(QByteArrayView units, bool bigEndian, const ByteSink& sink,
                 const InputProgress& progress, qsizetype skipped);
// UTF-16 of UTF-8 text, line ends turned into `style`; a byte that starts no character becomes
// U+FFFD. Writes at most four bytes per input byte (a lone LF becomes CR LF).
Converted encodeUtf16(QByteArrayView utf8, LineEnd style, bool bigEndian, char* out);

}  // namespace platform::TextFile::detail
