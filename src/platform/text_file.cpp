// The byte-level conversions between a file's bytes and the program's UTF-8 with CR LF line
// ends (UTF-16 in text_file_utf16.cpp, detection in text_file_detect.cpp). These run on every
// open and save, so they work on raw bytes in bounded pieces and never build a whole-text QString.
#include "platform/text_file.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/cp1251.h"
#include "platform/ordered_pieces.h"
#include "platform/text_file_bytes.h"

namespace platform::TextFile {
namespace {

using namespace detail;

// Pieces converted ahead of the one being written when a save converts on helper threads.
constexpr std::size_t kConvertAhead = 3;

bool isUtf16(Encoding encoding) {
  return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be;
}

QByteArrayView byteOrderMark(Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf8:
      return "\xEF\xBB\xBF";
    case Encoding::Utf16Le:
      return "\xFF\xFE";
    case Encoding::Utf16Be:
      return "\xFE\xFF";
    case Encoding::Windows1251:
      break;
  }
  return {};
}

// The length of the encoding's byte-order mark when the bytes start with it, else 0.
qsizetype markAtStart(QByteArrayView bytes, Encoding encoding) {
  const QByteArrayView mark = byteOrderMark(encoding);
  return !mark.isEmpty() && bytes.startsWith(mark) ? mark.size() : 0;
}

// The end of a piece that starts at `begin`: kPiece bytes on, moved so that it splits neither a
// UTF-8 sequence nor the CR LF of one line end. Pieces cut this way convert independently.
qsizetype utf8PieceEnd(QByteArrayView bytes, qsizetype begin) {
  const qsizetype n = bytes.size();
  if (n - begin <= kPiece) return n;
  qsizetype end = begin + kPiece;
  for (int back = 0; back < 3 && (u8(bytes[end]) & 0xC0) == 0x80; ++back) --end;
  if ((u8(bytes[end]) & 0xC0) == 0x80) end = begin + kPiece;
  if (bytes[end - 1] == '\r' && bytes[end] == '\n') ++end;
  return end;
}

std::vector<qsizetype> utf8PieceEnds(QByteArrayView bytes) {
  std::vector<qsizetype> ends;
  for (qsizetype begin = 0; begin < bytes.size(); begin = ends.back())
    ends.push_back(utf8PieceEnd(bytes, begin));
  return ends;
}

// Copies `in`, turning every line end (CR LF, LF, lone CR) into `style`.
Converted copyLineEnds(QByteArrayView in, LineEnd style, char* out) {
  const char* s = in.data();
  const qsizetype n = in.size();
  qsizetype i = 0;
  while (i < n) {
    if (n - i >= 8 && !hasLineEndByte(load8(s + i))) {
      std::memcpy(out, s + i, 8);
      out += 8;
      i += 8;
      continue;
    }
    const char c = s[i++];
    if (c != '\r' && c != '\n') {
      *out++ = c;
      continue;
    }
    out = putLineEnd(out, style);
    skipPairedLf(s, n, i);
  }
  return {out};
}

// UTF-8 of every Windows-1251 byte; LF already widened to CR LF. CR has size 0: it needs a look
// at the next byte.
struct Utf8OfByte {
  char bytes[4];
  std::uint8_t size;
};

std::array<Utf8OfByte, 256> buildByteTable() {
  std::array<Utf8OfByte, 256> table{};
  for (int b = 0; b < 256; ++b) {
    const char16_t u = cp1251::toUnicode(u8(b)).unicode();
    Utf8OfByte& e = table[b];
    if (u < 0x80) {
      e = {{char(u)}, 1};
    } else if (u < 0x800) {
      e = {{char(0xC0 | (u >> 6)), char(0x80 | (u & 0x3F))}, 2};
    } else {
      e = {{char(0xE0 | (u >> 12)), char(0x80 | ((u >> 6) & 0x3F)), char(0x80 | (u & 0x3F))}, 3};
    }
  }
  table['\n'] = {{'\r', '\n'}, 2};
  table['\r'] = {{}, 0};
  return table;
}

const std::array<Utf8OfByte, 256>& byteTable() {
  static const std::array<Utf8OfByte, 256> table = buildByteTable();
  return table;
}

void decodeWindows1251(QByteArrayView bytes, const ByteSink& sink, const InputProgress& progress) {
  const std::array<Utf8OfByte, 256>& table = byteTable();
  const char* p = bytes.data();
  const qsizetype n = bytes.size();
  PieceBuffer buffer(bufferFor(n, kMostGrowth));
  qsizetype i = 0;
  while (i < n) {
    const qsizetype end = std::min(n, i + kPiece);
    char* out = buffer.data();
    while (i < end) {
      const Utf8OfByte& e = table[u8(p[i++])];
      if (e.size == 0) {  // CR, alone or the start of CR LF (whose LF may open the next piece)
        out[0] = '\r';
        out[1] = '\n';
        out += 2;
        if (i < n && p[i] == '\n') ++i;
        continue;
      }
      std::memcpy(out, e.bytes, 4);
      out += e.size;
    }
    sink(QByteArrayView(buffer.data(), out - buffer.data()));
    if (progress) progress(i);
  }
}

// `skipped`: bytes before `bytes` in the file (a byte-order mark), counted in the progress.
void decodeUtf8(QByteArrayView bytes, const ByteSink& sink, const InputProgress& progress,
                qsizetype skipped, bool knownValid) {
  PieceBuffer buffer(bufferFor(bytes.size(), kMostGrowth));
  qsizetype i = 0;
  while (i < bytes.size()) {
    const qsizetype end = utf8PieceEnd(bytes, i);
    QByteArrayView piece = bytes.sliced(i, end - i);
    QByteArray repaired;  // a bad sequence becomes U+FFFD, so the sink always gets valid UTF-8
    if (!knownValid && !scanUtf8(piece).valid) {
      repaired = textOfUtf8(piece).toUtf8();
      piece = repaired;
    }
    const Converted c = copyLineEnds(piece, LineEnd::CrLf, buffer.data());
    sink(QByteArrayView(buffer.data(), c.end - buffer.data()));
    i = end;
    if (progress) progress(skipped + i);
  }
}

// Windows-1251 codes of U+0000..U+07FF, the two-byte range of UTF-8 that holds Cyrillic, so the
// common character of a save costs one lookup.
std::array<std::int16_t, 0x800> buildTwoByteCodes() {
  std::array<std::int16_t, 0x800> t;
  for (char16_t u = 0; u < 0x800; ++u) t[u] = std::int16_t(cp1251::code(QChar(u)));
  return t;
}
const std::array<std::int16_t, 0x800> kTwoByteCodes = buildTwoByteCodes();

// The Windows-1251 code of the UTF-8 character at s[0..n), -1 when it has none (or the byte
// starts no character); `len` gets the bytes it takes.
int codeAt(const u8* s, qsizetype n, int& len) {
  if (isTwoByteSequence(s, n)) {
    len = 2;
    return kTwoByteCodes[(s[0] & 0x1F) << 6 | (s[1] & 0x3F)];
  }
  len = sequenceLength(s, n);
  if (len == 3)
    return cp1251::code(QChar(char16_t((s[0] & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F))));
  len = std::max(len, 1);  // beyond the Basic Multilingual Plane, or not UTF-8
  return -1;
}

// Bytes the main loop of encodeWindows1251 leaves to the careful step: line ends, bytes that
// cannot open a two-byte sequence (continuations, overlong leads) and the leads of longer ones.
std::array<std::uint8_t, 256> buildCarefulBytes() {
  std::array<std::uint8_t, 256> t{};
  t['\r'] = t['\n'] = 1;
  for (int b = 0x80; b < 0xC2; ++b) t[b] = 1;
  for (int b = 0xE0; b < 0x100; ++b) t[b] = 1;
  return t;
}
const std::array<std::uint8_t, 256> kCarefulBytes = buildCarefulBytes();

struct EncodeState {
  char* out;
  bool unmappable = false;
};

// One character (or line end) at s[i], with every check; returns the next index.
qsizetype encodeOneCarefully(const u8* s, qsizetype n, qsizetype i, LineEnd style,
                             EncodeState& st) {
  if (s[i] == '\r' || s[i] == '\n') {
    st.out = putLineEnd(st.out, style);
    ++i;
    skipPairedLf(reinterpret_cast<const char*>(s), n, i);
    return i;
  }
  if (s[i] < 0x80) {
    *st.out++ = char(s[i]);
    return i + 1;
  }
  int len;
  const int b = codeAt(s + i, n - i, len);
  st.unmappable |= b < 0;
  *st.out++ = b >= 0 ? char(b) : '?';
  return i + len;
}

// One stretch of the text that encodes on its own: [pos, end) read, written from `st.out`.
struct Chain {
  qsizetype pos, end;
  char* room;  // where its output starts
  EncodeState st;
};

// Encodes the character at the chain's position. The common characters (ASCII, two-byte
// sequences) are chosen between without a branch; everything rarer takes the careful step.
inline void encodeStep(const u8* s, LineEnd style, Chain& c) {
  const unsigned b0 = s[c.pos];
  const unsigned b1 = s[c.pos + 1];
  const unsigned multi = b0 >> 7;
  // Bitwise rather than logical operators, or the compiler brings the branches back.
  const auto code = unsigned(std::uint16_t(kTwoByteCodes[(b0 & 0x1F) << 6 | (b1 & 0x3F)]));
  // A lead byte needs a continuation byte after it and a character the code page has.
  const unsigned badPair = (code >> 8) | ((b1 & 0xC0) ^ 0x80);
  const unsigned careful = kCarefulBytes[b0] | ((0u - multi) & badPair);
  if (careful) [[unlikely]] {
    c.pos = encodeOneCarefully(s, c.end, c.pos, style, c.st);
    return;
  }
  *c.st.out++ = char((code & (0u - multi)) | (b0 & (multi - 1)));
  c.pos += 1 + multi;
}

// Windows-1251 bytes of UTF-8 text with line ends turned into `style`; see copyLineEnds.
// Each character's length depends on its first byte, so one pass through the text is a chain of
// dependent loads. The text is cut into stretches encoded side by side, which lets the processor
// work on several chains at once; each writes to its own room (a stretch grows at most twice,
// by line ends) and the results are closed up at the end.
Converted encodeWindows1251(QByteArrayView in, LineEnd style, char* out) {
  const auto* s = reinterpret_cast<const u8*>(in.data());
  const qsizetype n = in.size();
  constexpr int kChains = 4;
  std::array<Chain, kChains> chains;
  qsizetype begin = 0;
  for (int k = 0; k < kChains; ++k) {
    qsizetype end = n;
    if (k + 1 < kChains) {
      // A stretch starts on a character, and never between the CR and LF of one line end.
      end = std::max(begin, n * (k + 1) / kChains);
      while (end < n && ((s[end] & 0xC0) == 0x80 || s[end] == '\n')) ++end;
    }
    char* room = out + 2 * begin;
    chains[k] = {begin, end, room, EncodeState{room}};
    begin = end;
  }
  auto roomy = [](const Chain& c) { return c.pos + 1 < c.end; };
  while (std::all_of(chains.begin(), chains.end(), roomy))
    for (Chain& c : chains) encodeStep(s, style, c);
  for (Chain& c : chains) {
    while (roomy(c)) encodeStep(s, style, c);
    if (c.pos < c.end) encodeOneCarefully(s, c.end, c.pos, style, c.st);
  }
  char* end = chains[0].st.out;
  bool unmappable = chains[0].st.unmappable;
  for (int k = 1; k < kChains; ++k) {
    const qsizetype size = chains[k].st.out - chains[k].room;
    std::memmove(end, chains[k].room, size);
    end += size;
    unmappable |= chains[k].st.unmappable;
  }
  return {end, unmappable};
}

}  // namespace

qsizetype decodedSize(QByteArrayView bytes, const TextFormat& format) {
  const qsizetype mark = markAtStart(bytes, format.encoding);
  if (isUtf16(format.encoding))
    return utf16DecodedSize(bytes.sliced(mark), format.encoding == Encoding::Utf16Be);
  // Every line end becomes CR LF: two bytes, whatever it was.
  if (format.encoding == Encoding::Utf8) {
    bytes = bytes.sliced(mark);
    const LineEndCounts c = countLineEnds(bytes);
    return bytes.size() + c.lf + c.cr;
  }
  return detail::windows1251DecodedSize(bytes, countLineEnds(bytes));
}

void decodeToUtf8(QByteArrayView bytes, const TextFormat& format, const ByteSink& sink,
                  const InputProgress& progress, const ReadFidelity* fidelity) {
  const qsizetype mark = markAtStart(bytes, format.encoding);
  if (format.encoding == Encoding::Windows1251)
    decodeWindows1251(bytes, sink, progress);
  else if (format.encoding == Encoding::Utf8)
    decodeUtf8(bytes.sliced(mark), sink, progress, mark, fidelity && !fidelity->invalidBytes);
  else
    decodeUtf16(bytes.sliced(mark), format.encoding == Encoding::Utf16Be, sink, progress, mark);
}

qsizetype stretchEnd(QByteArrayView bytes) {
  if (const qsizetype lf = bytes.lastIndexOf('\n'); lf >= 0) return lf + 1;
  for (qsizetype at = bytes.size() - 1; at > 0; --at)
    if ((u8(bytes[at]) & 0xC0) != 0x80 && bytes[at - 1] != '\r') return at;
  return 0;
}

void decodeStretchToUtf8(QByteArrayView stretch, qsizetype offset, const TextFormat& format,
                         const ByteSink& sink, const InputProgress& progress,
                         const ReadFidelity* fidelity) {
  const InputProgress fromStart = [&progress, offset](qsizetype consumed) {
    if (progress) progress(offset + consumed);
  };
  if (format.encoding == Encoding::Windows1251) {
    decodeWindows1251(stretch, sink, fromStart);
  } else if (format.encoding == Encoding::Utf8) {
    const qsizetype mark = offset == 0 ? markAtStart(stretch, format.encoding) : 0;
    decodeUtf8(stretch.sliced(mark), sink, fromStart, mark, fidelity && !fidelity->invalidBytes);
  } else {
    Q_ASSERT_X(false, "decodeStretchToUtf8", "UTF-16 is decoded whole");
  }
}

// One unit per character, two for one beyond the BMP (a 4-byte sequence); eight bytes at a time,
// since this runs over every byte of a file as it is opened.
namespace {

// How many bytes of a mask hold their high bit (the only bit a mask here has). The program is
// built for any x86-64, which has no popcount instruction: std::popcount became a library call
// per word. Shifted down, the bytes are 0 or 1, and one multiplication adds them all up.
int highBytes(std::uint64_t mask) {
  return int(((mask >> 7) * 0x0101010101010101ULL) >> 56);
}

}  // namespace

long utf16Length(QByteArrayView utf8) {
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  const char* p = utf8.data();
  const qsizetype n = utf8.size();
  long units = 0;
  qsizetype i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, p + i, 8);
    // A continuation byte is 10xxxxxx; a four-byte lead is 11110xxx.
    const std::uint64_t continuation = w & ~(w << 1) & kHigh;
    const std::uint64_t fourByteLead = w & (w << 1) & (w << 2) & (w << 3) & kHigh;
    units += 8 - highBytes(continuation) + highBytes(fourByteLead);
  }
  for (; i < n; ++i) {
    const auto byte = static_cast<unsigned char>(p[i]);
    units += ((byte & 0xC0) != 0x80) + (byte >= 0xF0);
  }
  return units;
}

bool fitsWindows1251(QByteArrayView utf8) {
  const auto* s = reinterpret_cast<const u8*>(utf8.data());
  const qsizetype n = utf8.size();
  qsizetype i = 0;
  while (i < n) {
    if (n - i >= 8 && (load8(utf8.data() + i) & kHighBits) == 0) {
      i += 8;
    } else if (s[i] < 0x80) {
      ++i;
    } else {
      int len;
      if (codeAt(s + i, n - i, len) < 0) return false;
      i += len;
    }
  }
  return true;
}

TextFormat formatForWriting(QByteArrayView utf8, const TextFormat& format) {
  if (format.encoding != Encoding::Windows1251 || fitsWindows1251(utf8)) return format;
  return {Encoding::Utf8, false, format.lineEnd};
}

void encodeFromUtf8(QByteArrayView utf8, const TextFormat& format, const ByteSink& sink) {
  encodeFromUtf8Strict(utf8, format, sink, false);
}

bool encodeFromUtf8Strict(QByteArrayView utf8, const TextFormat& format, const ByteSink& sink,
                          bool strict) {
  const Encoding encoding = format.encoding;
  if (format.bom && encoding != Encoding::Windows1251) sink(byteOrderMark(encoding));
  const std::vector<qsizetype> ends = utf8PieceEnds(utf8);
  auto convert = [&](std::size_t k, char* out) {
    const qsizetype begin = k == 0 ? 0 : ends[k - 1];
    const QByteArrayView piece = utf8.sliced(begin, ends[k] - begin);
    if (encoding == Encoding::Windows1251) return encodeWindows1251(piece, format.lineEnd, out);
    if (encoding == Encoding::Utf8) return copyLineEnds(piece, format.lineEnd, out);
    return encodeUtf16(piece, format.lineEnd, encoding == Encoding::Utf16Be, out);
  };
  auto consume = [&](const Converted& c, const char* out) {
    if (strict && c.unmappable) return false;
    sink(QByteArrayView(out, c.end - out));
    return true;
  };
  const qsizetype room = bufferFor(utf8.size(), isUtf16(encoding) ? kMostUtf16Growth : kMostGrowth);
  return ConvertAheadInOrder<Converted>(ends.size(), room, kConvertAhead, convert, consume);
}

QString decode(QByteArrayView bytes, TextFormat* format) {
  const TextFormat detected = detect(bytes);
  if (format) *format = detected;
  QByteArray utf8;
  utf8.reserve(bytes.size() + bytes.size() / 8);
  decodeToUtf8(bytes, detected, [&utf8](QByteArrayView piece) { utf8.append(piece); });
  return textOfUtf8(utf8);
}

QString textOfUtf8(QByteArrayView utf8) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                   QStringConverter::Flag::ConvertInitialBom);
  return decoder.decode(utf8);
}

namespace detail {

qsizetype windows1251DecodedSize(QByteArrayView bytes, const LineEndCounts& c) {
  const std::array<Utf8OfByte, 256>& table = byteTable();
  // Four counts side by side, so that runs of one letter do not stall on one counter.
  std::array<std::array<qsizetype, 256>, 4> counts{};
  const auto* p = reinterpret_cast<const u8*>(bytes.data());
  const qsizetype n = bytes.size();
  qsizetype i = 0;
  for (; i + 4 <= n; i += 4) {
    ++counts[0][p[i]];
    ++counts[1][p[i + 1]];
    ++counts[2][p[i + 2]];
    ++counts[3][p[i + 3]];
  }
  for (; i < n; ++i) ++counts[0][p[i]];
  qsizetype size = 0;
  for (int b = 0; b < 256; ++b) {
    if (b == '\r' || b == '\n') continue;
    for (const auto& each : counts) size += each[b] * table[b].size;
  }
  // Every line end becomes CR LF: two bytes, whatever it was.
  return size + 2 * (c.crlf + c.lf + c.cr);
}

}  // namespace detail

}  // namespace platform::TextFile
