// UTF-16 files of either byte order: the scan behind detect, and the conversions between them
// and the program's UTF-8 with CR LF line ends, piece by piece like the other encodings.
#include <algorithm>
#include <vector>

#include "platform/text_file_bytes.h"

namespace platform::TextFile::detail {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

template <bool kBig>
char16_t unitAt(const u8* p, qsizetype k) {
  const u8* q = p + 2 * k;
  return kBig ? char16_t(q[0] << 8 | q[1]) : char16_t(q[1] << 8 | q[0]);
}

bool isSurrogate(char32_t u) { return (u & 0xF800) == 0xD800; }
bool isHighSurrogate(char32_t u) { return (u & 0xFC00) == 0xD800; }
bool isLowSurrogate(char32_t u) { return (u & 0xFC00) == 0xDC00; }

// What one step through UTF-16 text meets.
enum class Met { Character, CrLf, Lf, Cr, LoneSurrogate };

// Walks the n units at p from unit i until `stop`, calling visit(Met, code point) for each
// character and line end (a lone surrogate comes with U+FFFD). A surrogate pair or CR LF that
// starts before `stop` is taken whole, so the walk may end one unit past it; where it ended is
// returned. Pieces cut this way convert independently.
template <bool kBig, typename Visit>
qsizetype walk(const u8* p, qsizetype n, qsizetype i, qsizetype stop, Visit&& visit) {
  while (i < stop) {
    const char32_t u = unitAt<kBig>(p, i++);
    if (u > '\r' && !isSurrogate(u)) [[likely]] {
      visit(Met::Character, u);
    } else if (u == '\n') {
      visit(Met::Lf, u);
    } else if (u == '\r') {
      const bool paired = i < n && unitAt<kBig>(p, i) == '\n';
      i += paired;
      visit(paired ? Met::CrLf : Met::Cr, u);
    } else if (!isSurrogate(u)) {
      visit(Met::Character, u);
    } else if (isHighSurrogate(u) && i < n && isLowSurrogate(unitAt<kBig>(p, i))) {
      const char32_t low = unitAt<kBig>(p, i++);
      visit(Met::Character, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
    } else {
      visit(Met::LoneSurrogate, kReplacement);
    }
  }
  return i;
}

template <bool kBig>
Utf16Scan scan(QByteArrayView units, qsizetype nulWithin) {
  const auto* p = reinterpret_cast<const u8*>(units.data());
  const qsizetype n = units.size() / 2;
  Utf16Scan s;
  s.invalid = units.size() % 2 != 0;
  walk<kBig>(p, n, 0, n, [&s](Met met, char32_t) {
    s.lineEnds.crlf += met == Met::CrLf;
    s.lineEnds.lf += met == Met::Lf;
    s.lineEnds.cr += met == Met::Cr;
    s.invalid |= met == Met::LoneSurrogate;
  });
  const qsizetype head = std::min(n, (nulWithin + 1) / 2);
  for (qsizetype k = 0; k < head && !s.nul; ++k) s.nul = unitAt<kBig>(p, k) == 0;
  return s;
}

int utf8Length(char32_t c) { return 1 + (c >= 0x80) + (c >= 0x800) + (c >= 0x10000); }

template <bool kBig>
qsizetype decodedSizeOf(QByteArrayView units) {
  qsizetype size = units.size() % 2 != 0 ? utf8Length(kReplacement) : 0;
  const qsizetype n = units.size() / 2;
  walk<kBig>(reinterpret_cast<const u8*>(units.data()), n, 0, n, [&size](Met met, char32_t c) {
    // Every line end becomes CR LF: two bytes, whatever it was.
    size += met == Met::Character || met == Met::LoneSurrogate ? utf8Length(c) : 2;
  });
  return size;
}

char* putUtf8(char* out, char32_t c) {
  if (c < 0x80) {
    *out++ = char(c);
  } else if (c < 0x800) {
    *out++ = char(0xC0 | c >> 6);
    *out++ = char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = char(0xE0 | c >> 12);
    *out++ = char(0x80 | ((c >> 6) & 0x3F));
    *out++ = char(0x80 | (c & 0x3F));
  } else {
    *out++ = char(0xF0 | c >> 18);
    *out++ = char(0x80 | ((c >> 12) & 0x3F));
    *out++ = char(0x80 | ((c >> 6) & 0x3F));
    *out++ = char(0x80 | (c & 0x3F));
  }
  return out;
}

template <bool kBig>
void decode(QByteArrayView units, const ByteSink& sink, const InputProgress& progress,
            qsizetype skipped) {
  const auto* p = reinterpret_cast<const u8*>(units.data());
  const qsizetype n = units.size() / 2;
  // At most three bytes out per unit: 1.5 per input byte.
  PieceBuffer buffer(bufferFor(units.size(), 2));
  qsizetype i = 0;
  for (bool done = false; !done;) {
    char* out = buffer.data();
    i = walk<kBig>(p, n, i, std::min(n, i + kPiece / 2), [&out](Met met, char32_t c) {
      if (met == Met::Character || met == Met::LoneSurrogate) {
        out = putUtf8(out, c);
      } else {
        *out++ = '\r';
        *out++ = '\n';
      }
    });
    done = i >= n;
    if (done && units.size() % 2 != 0) out = putUtf8(out, kReplacement);  // the odd last byte
    if (out > buffer.data()) sink(QByteArrayView(buffer.data(), out - buffer.data()));
    if (progress) progress(skipped + (done ? units.size() : 2 * i));
  }
}

template <bool kBig>
char* putUnit(char* out, char32_t u) {
  out[kBig ? 1 : 0] = char(u & 0xFF);
  out[kBig ? 0 : 1] = char(u >> 8);
  return out + 2;
}

template <bool kBig>
char* putCodePoint(char* out, char32_t c) {
  if (c < 0x10000) return putUnit<kBig>(out, c);
  out = putUnit<kBig>(out, 0xD800 + ((c - 0x10000) >> 10));
  return putUnit<kBig>(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
}

// The code point of the valid UTF-8 sequence of `len` bytes at s.
char32_t codePointOf(const u8* s, int len) {
  if (len == 2) return char32_t(s[0] & 0x1F) << 6 | (s[1] & 0x3F);
  if (len == 3) return char32_t(s[0] & 0x0F) << 12 | char32_t(s[1] & 0x3F) << 6 | (s[2] & 0x3F);
  return char32_t(s[0] & 0x07) << 18 | char32_t(s[1] & 0x3F) << 12 | char32_t(s[2] & 0x3F) << 6 |
         (s[3] & 0x3F);
}

// One character or line end of the UTF-8 text at s[i]; returns the next index.
template <bool kBig>
qsizetype encodeOne(const u8* s, qsizetype n, qsizetype i, LineEnd style, char*& out) {
  const u8 c = s[i];
  if (c == '\r' || c == '\n') {
    if (style != LineEnd::Lf) out = putUnit<kBig>(out, '\r');
    if (style != LineEnd::Cr) out = putUnit<kBig>(out, '\n');
    ++i;
    skipPairedLf(reinterpret_cast<const char*>(s), n, i);
    return i;
  }
  if (c < 0x80) {
    out = putUnit<kBig>(out, c);
    return i + 1;
  }
  const int len = isTwoByteSequence(s + i, n - i) ? 2 : sequenceLength(s + i, n - i);
  out = putCodePoint<kBig>(out, len == 0 ? kReplacement : codePointOf(s + i, len));
  return i + std::max(len, 1);
}

template <bool kBig>
Converted encode(QByteArrayView in, LineEnd style, char* out) {
  const auto* s = reinterpret_cast<const u8*>(in.data());
  const qsizetype n = in.size();
  qsizetype i = 0;
  while (i < n) {
    if (n - i >= 8) {
      const std::uint64_t w = load8(in.data() + i);
      if ((w & kHighBits) == 0 && !hasLineEndByte(w)) {  // eight ASCII characters
        for (int k = 0; k < 8; ++k) out = putUnit<kBig>(out, s[i + k]);
        i += 8;
        continue;
      }
    }
    i = encodeOne<kBig>(s, n, i, style, out);
  }
  return {out};
}

}  // namespace

Utf16Scan scanUtf16(QByteArrayView units, bool bigEndian, qsizetype nulWithin) {
  return bigEndian ? scan<true>(units, nulWithin) : scan<false>(units, nulWithin);
}

qsizetype utf16DecodedSize(QByteArrayView units, bool bigEndian) {
  return bigEndian ? decodedSizeOf<true>(units) : decodedSizeOf<false>(units);
}

void decodeUtf16(QByteArrayView units, bool bigEndian, const ByteSink& sink,
                 const InputProgress& progress, qsizetype skipped) {
  if (bigEndian)
    decode<true>(units, sink, progress, skipped);
  else
    decode<false>(units, sink, progress, skipped);
}

Converted encodeUtf16(QByteArrayView utf8, LineEnd style, bool bigEndian, char* out) {
  return bigEndian ? encode<true>(utf8, style, out) : encode<false>(utf8, style, out);
}

}  // namespace platform::TextFile::detail

namespace platform::TextFile {

Utf8Character utf8CharacterAt(QByteArrayView utf8, qsizetype at) {
  const auto* s = reinterpret_cast<const detail::u8*>(utf8.data()) + at;
  const qsizetype n = utf8.size() - at;
  if (s[0] < 0x80) return {s[0], 1};
  const int len = detail::sequenceLength(s, n);
  if (len == 0) return {detail::kReplacement, 1};
  return {detail::codePointOf(s, len), len};
}

}  // namespace platform::TextFile
