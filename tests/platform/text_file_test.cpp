// Encoding detection and the byte conversions of TextFile: what a file reads as, and that
// writing back what was read gives the same bytes, also where a piece boundary splits a line
// end or a character.
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <vector>

#include "platform/cp1251.h"
#include "platform/text_codec.h"
#include "platform/text_file_bytes.h"

namespace {

using platform::Encoding;
using platform::LineEnd;
using platform::TextFormat;
namespace TextFile = platform::TextFile;

constexpr TextFormat kCp1251CrLf{Encoding::Windows1251, false, LineEnd::CrLf};

using text_codec::decodePieces;
using text_codec::encode;
using text_codec::joined;

// Bytes of a literal that may hold NUL.
template <std::size_t N>
QByteArray raw(const char (&s)[N]) {
  return QByteArray(s, N - 1);
}

TEST(TextFileDetect, EncodingAndDominantLineEnd) {
  struct {
    const char* name;
    QByteArray bytes;
    TextFormat expect;
  } cases[] = {
      {"empty", "", kCp1251CrLf},
      {"ascii only", "abc", kCp1251CrLf},
      {"cp1251 letters", "\xCF\xF0\xE8\xE2\xE5\xF2", kCp1251CrLf},
      {"utf-8 letters", "Привет", {Encoding::Utf8, false, LineEnd::CrLf}},
      {"utf-8 four-byte", "a\xF0\x9F\x98\x80", {Encoding::Utf8, false, LineEnd::CrLf}},
      {"bom only", "\xEF\xBB\xBF", {Encoding::Utf8, true, LineEnd::CrLf}},
      {"bom then bad byte", "\xEF\xBB\xBF\xFF\n", {Encoding::Utf8, true, LineEnd::Lf}},
      {"overlong slash", "\xC0\xAF", kCp1251CrLf},
      {"encoded surrogate", "\xED\xA0\x80", kCp1251CrLf},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", kCp1251CrLf},
      {"cut at the end", "Привет\xD0", kCp1251CrLf},
      {"valid then 0x98", "Привет\x98", kCp1251CrLf},
      {"lf", "a\nb\n", {Encoding::Windows1251, false, LineEnd::Lf}},
      {"cr", "a\rb\rc", {Encoding::Windows1251, false, LineEnd::Cr}},
      {"mostly lf", "a\nb\nc\r\n", {Encoding::Windows1251, false, LineEnd::Lf}},
      {"crlf ties lf", "a\r\nb\n", kCp1251CrLf},
      {"lf ties cr", "a\nb\r", kCp1251CrLf},
      {"lf before cr is two ends", "a\n\rb\n\r", kCp1251CrLf},
      {"utf-16 le", raw("\xFF\xFE" "a\0\n\0"), {Encoding::Utf16Le, true, LineEnd::Lf}},
      {"utf-16 be", raw("\xFE\xFF\0a\0\r"), {Encoding::Utf16Be, true, LineEnd::Cr}},
      {"utf-16 mark only", "\xFF\xFE", {Encoding::Utf16Le, true, LineEnd::CrLf}},
      {"utf-16 odd byte", raw("\xFE\xFF\0"), {Encoding::Utf16Be, true, LineEnd::CrLf}},
      {"ff fe before cp1251 text",
       "\xFF\xFE\xCF\xF0\n\n",
       {Encoding::Utf16Le, true, LineEnd::CrLf}},
      {"ff fe before utf-8 text",
       "\xFF\xFE\xD0\x96\xD0\x96",
       {Encoding::Utf16Le, true, LineEnd::CrLf}},
      {"byte 0A inside a unit is no line end",
       "\xFF\xFE\x0A\x04",
       {Encoding::Utf16Le, true, LineEnd::CrLf}},
      {"ff alone", "\xFF", kCp1251CrLf},
      {"fe ff not at the start", "a\xFE\xFF", kCp1251CrLf},
      {"utf-8 bom then ff fe", "\xEF\xBB\xBF\xFF\xFE", {Encoding::Utf8, true, LineEnd::CrLf}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextFile::detect(c.bytes), c.expect);
  }
}

// Decoding gives the expected UTF-8 with CR LF, of the size told in advance (the editor's buffer
// is allocated by it); encoding that in the detected format gives the file's bytes back.
TEST(TextFileRoundTrip, DecodeThenEncodeKeepsTheBytes) {
  QByteArray every;  // all bytes but the line-end ones, then a CR LF
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') every += char(b);
  every += "\r\n";
  struct {
    const char* name;
    QByteArray file;
    QByteArray utf8;
  } cases[] = {
      {"empty", "", ""},
      {"one character", "x", "x"},
      {"utf-8 with bom", "\xEF\xBB\xBFПривет\r\nмир\r\n", "Привет\r\nмир\r\n"},
      {"utf-8 without bom", "Привет\nмир\n", "Привет\r\nмир\r\n"},
      {"utf-8 lone cr", "Ёж\rёж", "Ёж\r\nёж"},
      {"cp1251 cyrillic", "\xD1\xFA\xE5\xF8\xFC \xE5\xF9\xB8\r\n", "Съешь ещё\r\n"},
      {"byte 0x98", "a\x98z", "a\xC2\x98z"},
      {"cp1251 lf", "\xC0\n\xC1\n", "А\r\nБ\r\n"},
      {"no final line break", "a\r\nb", "a\r\nb"},
      {"only line breaks", "\n\n\n", "\r\n\r\n\r\n"},
      {"invalid utf-8 reads as cp1251", "Я\xFF", "РЇя"},
      {"every byte", every, QString(cp1251::decode(every)).toUtf8()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TextFormat format = TextFile::detect(c.file);
    const QByteArray utf8 = joined(decodePieces(c.file, format));
    EXPECT_EQ(utf8, c.utf8);
    EXPECT_EQ(TextFile::decodedSize(c.file, format), utf8.size());
    EXPECT_EQ(encode(utf8, format), c.file);
  }
}

TEST(TextFileRoundTrip, MixedLineEndsAreWrittenInTheDominantStyle) {
  const QByteArray file = "a\nb\r\nc\rd\ne\n";
  const TextFormat format = TextFile::detect(file);
  EXPECT_EQ(format.lineEnd, LineEnd::Lf);
  const QByteArray utf8 = joined(decodePieces(file, format));
  EXPECT_EQ(utf8, "a\r\nb\r\nc\r\nd\r\ne\r\n");
  EXPECT_EQ(encode(utf8, format), "a\nb\nc\nd\ne\n");
  for (const QByteArray& mixed : {QByteArray("\r\r\n\n\xC0\r"), QByteArray("\r\r\n\n\xD0\x90\r")}) {
    const TextFormat f = TextFile::detect(mixed);
    EXPECT_EQ(TextFile::decodedSize(mixed, f), joined(decodePieces(mixed, f)).size());
  }
}

TEST(TextFileEncode, EveryLineEndBecomesTheTargetStyle) {
  const QByteArray utf8 = "a\nb\rc\r\nd\r";
  struct {
    LineEnd style;
    QByteArray expect;
  } cases[] = {
      {LineEnd::CrLf, "a\r\nb\r\nc\r\nd\r\n"},
      {LineEnd::Lf, "a\nb\nc\nd\n"},
      {LineEnd::Cr, "a\rb\rc\rd\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.style));
    EXPECT_EQ(encode(utf8, {Encoding::Windows1251, false, c.style}), c.expect);
    EXPECT_EQ(encode(utf8, {Encoding::Utf8, true, c.style}), "\xEF\xBB\xBF" + c.expect);
  }
}

// Inputs of several megabytes, each in two alignments, so that whatever the piece size, some
// boundary falls inside a CR LF or inside a multi-byte character.
TEST(TextFilePieces, BoundariesNeverSplitALineEndOrACharacter) {
  constexpr int kRepeats = 1 << 20;
  struct {
    const char* name;
    QByteArray unit;
    QByteArray expectUnit;  // the unit decoded
  } cases[] = {
      {"cp1251 crlf", "\r\n", "\r\n"},
      {"cp1251 cr", "\xC6\r", "Ж\r\n"},
      {"utf-8 crlf", "\xD0\x96\r\n", "Ж\r\n"},
      {"utf-8 two-byte", "\xD0\x96", "Ж"},
      {"utf-8 three-byte", "\xE2\x82\xAC", "€"},
      {"utf-8 four-byte", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
  };
  for (const auto& c : cases) {
    for (int shift = 0; shift < c.unit.size(); ++shift) {
      SCOPED_TRACE(std::string(c.name) + " shifted by " + std::to_string(shift));
      const QByteArray file = QByteArray(shift, 'x') + c.unit.repeated(kRepeats);
      const TextFormat format = TextFile::detect(file);
      const std::vector<QByteArray> pieces = decodePieces(file, format);
      ASSERT_GT(pieces.size(), 1u);  // the text is handed over in pieces, not as one copy
      for (const QByteArray& p : pieces) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)QString(utf8(p));
        ASSERT_FALSE(utf8.hasError());
        ASSERT_FALSE(p.endsWith('\r'));
      }
      ASSERT_EQ(joined(pieces), QByteArray(shift, 'x') + c.expectUnit.repeated(kRepeats));
      ASSERT_EQ(encode(joined(pieces), format), file);
    }
  }
}

// The editor's text is normally valid UTF-8, but a save must not drop or shift bytes when it is
// not: each byte that starts no character becomes one "?", and a strict save notices.
TEST(TextFileEncode, BytesThatAreNoCharacterBecomeQuestionMarks) {
  struct {
    const char* name;
    QByteArray utf8;
    QByteArray expect;
  } cases[] = {
      {"stray continuation", "a\x80\xBF\xD0\x96", "a??\xC6"},
      {"lead before ascii", "\xD0z\xD0", "?z?"},
      {"overlong", "\xC0\x80\xC1\xBF!",
       "??"
       "??"
       "!"},
      {"surrogate", "\xED\xA0\x80-",
       "??"
       "?-"},
      {"cut at the end", "\xE2\x82", "??"},
      {"no code in the page", "\xE6\x97\xA5\xF0\x9F\x98\x80\xD0\x81", "??\xA8"},
      {"lead before a line end", "\xD1\nz", "?\r\nz"},
      {"lead before a digit", "\xD0" "0", "?0"},
  };
  // Short texts take the careful step for every byte; inside a longer text the fast one runs.
  const QByteArray pad(64, 'x');
  for (const auto& c : cases) {
    for (const QByteArray& around : {QByteArray(), pad}) {
      SCOPED_TRACE(std::string(c.name) + (around.isEmpty() ? "" : ", padded"));
      const QByteArray utf8 = around + c.utf8 + around;
      EXPECT_EQ(encode(utf8, kCp1251CrLf), around + c.expect + around);
      EXPECT_FALSE(TextFile::encodeFromUtf8Strict(
          utf8, kCp1251CrLf, [](QByteArrayView) {}, true));
    }
  }
}

// Long texts convert in pieces side by side; the pieces must come out whole and in order, and a
// strict conversion must stop at a piece holding a character the code page lacks, wherever it is.
TEST(TextFileEncode, LongTextsComeOutInOrder) {
  QByteArray utf8, expect;
  for (int line = 0; utf8.size() < (5 << 20); ++line) {
    const QByteArray number = QByteArray::number(line);
    utf8 += "Строка " + number + " — ёж\r\n";
    expect += "\xD1\xF2\xF0\xEE\xEA\xE0 " + number + " \x97 \xB8\xE6\n";
  }
  EXPECT_EQ(encode(utf8, {Encoding::Windows1251, false, LineEnd::Lf}), expect);
  for (const qsizetype at : {qsizetype(0), utf8.size() / 2, utf8.size() - 2}) {
    SCOPED_TRACE(at);
    QByteArray wide = utf8;
    wide.insert(at, "日");
    qsizetype delivered = 0;
    EXPECT_FALSE(TextFile::encodeFromUtf8Strict(
        wide, kCp1251CrLf, [&](QByteArrayView p) { delivered += p.size(); }, true));
    EXPECT_LE(delivered, at);
  }
}

TEST(TextFileFormatForWriting, WidensOnlyWhenACharacterWouldBeLost) {
  constexpr TextFormat kCp1251Lf{Encoding::Windows1251, false, LineEnd::Lf};
  constexpr TextFormat kUtf8Bom{Encoding::Utf8, true, LineEnd::CrLf};
  struct {
    const char* name;
    QByteArray utf8;
    TextFormat in, expect;
  } cases[] = {
      {"empty", "", kCp1251Lf, kCp1251Lf},
      {"cyrillic and 0x98", "Ёж №1 \xC2\x98", kCp1251Lf, kCp1251Lf},
      {"cjk", "a\xE6\x97\xA5", kCp1251Lf, {Encoding::Utf8, false, LineEnd::Lf}},
      {"emoji", "\xF0\x9F\x98\x80", kCp1251Lf, {Encoding::Utf8, false, LineEnd::Lf}},
      {"utf-8 stays utf-8", "abc", kUtf8Bom, kUtf8Bom},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextFile::formatForWriting(c.utf8, c.in), c.expect);
  }
}

TEST(TextFileDecode, BadBytesAfterABomBecomeReplacementCharacters) {
  TextFormat format;
  EXPECT_EQ(TextFile::decode("\xEF\xBB\xBF\x61\xFF\x62\n", &format),
            QString::fromUtf8("a\uFFFDb\r\n"));
  EXPECT_EQ(format, (TextFormat{Encoding::Utf8, true, LineEnd::Lf}));
}

// U+FEFF after the mark is a character of the text, also where bad bytes are repaired.
TEST(TextFileDecode, TheMarksCharacterAfterTheMarkIsKept) {
  const QString mark(QChar(0xFEFF));
  EXPECT_EQ(TextFile::decode("\xEF\xBB\xBF\xEF\xBB\xBFx"), mark + "x");
  EXPECT_EQ(TextFile::decode("\xEF\xBB\xBF\xEF\xBB\xBF\xFFx"), mark + QChar(0xFFFD) + "x");
  EXPECT_EQ(TextFile::textOfUtf8("\xEF\xBB\xBF" "a\xE2\x82"), mark + "a" + QChar(0xFFFD) + QChar(0xFFFD));
}

}  // namespace

namespace {

// The line ends counted one byte at a time, as the rules read.
platform::TextFile::detail::LineEndCounts countedSlowly(QByteArrayView bytes) {
  platform::TextFile::detail::LineEndCounts c;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      ++c.crlf;
      ++i;
    } else if (bytes[i] == '\r') {
      ++c.cr;
    } else if (bytes[i] == '\n') {
      ++c.lf;
    }
  }
  return c;
}

// The counting goes eight bytes at a time: every place a line end can take in a word and across
// two, at every length of tail, with bytes around that differ from CR and LF by one bit.
TEST(TextFileLineEnds, CountedByWordsAsByBytes) {
  const char alphabet[] = {'\r', '\n', 'a', '\x0b', '\x0c', '\x8a', '\x8d', '\xd0', '\x0e', '\0'};
  std::uint32_t seed = 7;
  for (int round = 0; round < 3000; ++round) {
    QByteArray text;
    seed = seed * 1103515245u + 12345u;
    const int length = int(seed >> 16) % 70;
    for (int i = 0; i < length; ++i) {
      seed = seed * 1103515245u + 12345u;
      // Line ends most of the time, so that pairs meet word boundaries often.
      const int pick = int(seed >> 16) % 16;
      text.append(pick < 8 ? alphabet[pick % 2] : alphabet[pick % 10]);
    }
    const auto fast = platform::TextFile::detail::countLineEnds(text);
    const auto slow = countedSlowly(text);
    ASSERT_EQ(fast.crlf, slow.crlf) << text.toHex().constData();
    ASSERT_EQ(fast.lf, slow.lf) << text.toHex().constData();
    ASSERT_EQ(fast.cr, slow.cr) << text.toHex().constData();
  }
  // A pair split by the eighth byte, and a CR at the very end.
  const auto split = platform::TextFile::detail::countLineEnds("1234567\r\nabcdefg\r");
  EXPECT_EQ(split.crlf, 1);
  EXPECT_EQ(split.cr, 1);
  EXPECT_EQ(split.lf, 0);
}

}  // namespace

namespace {

// The size detect gives from its own scans is the one decodedSize counts, and the one the
// decoding then makes, whatever the encoding, mark and line ends.
TEST(TextFileDetect, SizeFromTheScansIsTheDecodedSize) {
  const QByteArray samples[] = {
      QByteArray("plain ascii\r\nlf\nlone cr\rend"),
      QByteArray("\xEF\xBB\xBF") + QString("ёлка\nи\r\nпалка\r").toUtf8(),
      QString("ёлка\nи\r\nпалка\r\r\n").toUtf8(),
      cp1251::encode(QString("ёлка\nи палка\r")),
      QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(u"ё\nb\r\n"), 10),
      QByteArray(),
  };
  for (const QByteArray& bytes : samples) {
    qsizetype size = -1;
    const TextFormat format = TextFile::detect(bytes, nullptr, &size);
    EXPECT_EQ(size, TextFile::decodedSize(bytes, format)) << bytes.toHex().constData();
    qsizetype made = 0;
    TextFile::decodeToUtf8(bytes, format, [&made](QByteArrayView piece) { made += piece.size(); });
    EXPECT_EQ(size, made) << bytes.toHex().constData();
  }
}

}  // namespace

namespace {

// Scanning and counting a block at a time gives what one scan and one count of the whole text
// give, also where a block edge falls inside a character, inside a CR LF, or in bad bytes.
TEST(TextFileLineEnds, BlockwiseScanAgreesWithTheWholeText) {
  namespace detail = platform::TextFile::detail;
  const qsizetype block = qsizetype(64) << 10;
  const QByteArray pieces[] = {QByteArray("\r\n"), QString("ё").toUtf8(), QString("€").toUtf8(),
                               QByteArray("\xF0\x9F\x98\x80"), QByteArray("\r"),
                               QByteArray("\xD1"), QByteArray("\x80\x80\x80\x80")};
  for (const QByteArray& piece : pieces) {
    for (qsizetype shift = 0; shift <= 4; ++shift) {
      for (const QByteArray& tail : {QByteArray(), QByteArray("\nz"), QByteArray("\xD1")}) {
        // The piece straddles the first block edge, `shift` bytes of it before the edge.
        QByteArray text(block - shift, 'a');
        text.append(piece).append(QByteArray(block, 'b')).append(piece).append(tail);
        detail::LineEndCounts counts;
        const detail::Utf8Scan scan = detail::scanUtf8CountingLineEnds(text, &counts);
        const detail::Utf8Scan whole = detail::scanUtf8(text);
        const detail::LineEndCounts wholeCounts = detail::countLineEnds(text);
        const QByteArray what = piece.toHex() + " shift " + QByteArray::number(shift);
        EXPECT_EQ(scan.valid, whole.valid) << what.constData();
        if (whole.valid) {
          EXPECT_EQ(scan.multiByte, whole.multiByte) << what.constData();
        }
        EXPECT_EQ(counts.crlf, wholeCounts.crlf) << what.constData();
        EXPECT_EQ(counts.lf, wholeCounts.lf) << what.constData();
        EXPECT_EQ(counts.cr, wholeCounts.cr) << what.constData();
      }
    }
  }
}

}  // namespace
