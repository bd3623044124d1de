// UTF-16 files: decoded to the editor's UTF-8 with CR LF against a decoder of the test's own,
// in pieces that split neither a surrogate pair nor a CR LF, and written back in their order.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <random>

#include "platform/edit_control.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace {

using platform::Encoding;
using platform::LineEnd;
using platform::TextFormat;
using text_codec::decodePieces;
using text_codec::encode;
using text_codec::joined;
using text_codec::utf16Bytes;
namespace TextFile = platform::TextFile;

constexpr TextFormat kLe{Encoding::Utf16Le, true, LineEnd::CrLf};
constexpr TextFormat kBe{Encoding::Utf16Be, true, LineEnd::CrLf};
const QByteArray kReplacement = "\xEF\xBF\xBD";

TEST(TextFileUtf16, DecodesEachUnitAndReplacesWhatIsNoCharacter) {
  struct {
    const char* name;
    std::u16string units;
    QByteArray utf8;
  } cases[] = {
      {"empty", u"", ""},
      {"one character", u"ж", "ж"},
      {"no final line break", u"a\r\nb", "a\r\nb"},
      {"lf and lone cr", u"a\nb\rc", "a\r\nb\r\nc"},
      {"lf before cr is two ends", u"\n\r", "\r\n\r\n"},
      {"every utf-8 length", u"a\u00E9\u0416\u20AC\U0001F600", "aéЖ€\xF0\x9F\x98\x80"},
      {"highest character", u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
      {"nul", std::u16string(1, u'\0'), QByteArray(1, '\0')},
      {"a mark inside the text stays", u"\uFEFFx", "\xEF\xBB\xBFx"},
      {"lone high at the end", u"a\xD83D", "a" + kReplacement},
      {"lone low", u"\xDE00z", kReplacement + "z"},
      {"high before high", u"\xD83D\xD83D\xDE00", kReplacement + "\xF0\x9F\x98\x80"},
      {"high before cr lf", u"\xD83D\r\n", kReplacement + "\r\n"},
      {"low before high", u"\xDE00\xD83D", kReplacement + kReplacement},
  };
  for (const auto& c : cases) {
    for (const bool big : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (big ? ", big-endian" : ", little-endian"));
      const QByteArray file = utf16Bytes(c.units, big);
      const TextFormat format = TextFile::detect(file);
      EXPECT_EQ(format.encoding, big ? Encoding::Utf16Be : Encoding::Utf16Le);
      const QByteArray utf8 = joined(decodePieces(file, format));
      EXPECT_EQ(utf8, c.utf8);
      EXPECT_EQ(TextFile::decodedSize(file, format), utf8.size());
      // An odd last byte is no unit either.
      const QByteArray odd = file + 'q';
      EXPECT_EQ(joined(decodePieces(odd, format)), c.utf8 + kReplacement);
      EXPECT_EQ(TextFile::decodedSize(odd, format), utf8.size() + 3);
    }
  }
}

// Random text built from characters, line ends and lone surrogates, so the expected UTF-8 is
// known without decoding the file.
TEST(TextFileUtf16, RandomTextDecodesAsBuilt) {
  std::mt19937 random(20240611);
  auto pick = [&](char32_t lo, char32_t hi) {
    return std::uniform_int_distribution<char32_t>(lo, hi)(random);
  };
  for (int round = 0; round < 200; ++round) {
    std::u16string units;
    QByteArray expect;
    bool afterCr = false;  // an LF after a lone CR would join it into one line end
    for (int k = 0; k < 300; ++k) {
      const int kind = int(pick(0, 9));
      char32_t c = kind < 3   ? pick(0x20, 0x7F)
                   : kind < 5 ? pick(0x400, 0x4FF)
                              : pick(0xE000, 0x10FFFF);
      if (kind == 6) c = pick(0x800, 0xD7FF);
      if (kind == 7) c = afterCr ? U'\r' : U"\r\n"[pick(0, 1)];
      afterCr = c == U'\r';
      if (kind == 8) {  // a lone surrogate, kept apart from any partner
        units += char16_t(pick(0, 1) ? pick(0xD800, 0xDBFF) : pick(0xDC00, 0xDFFF));
        units += u'#';
        expect += kReplacement + "#";
        continue;
      }
      const QString s = QString::fromUcs4(&c, 1);
      units.append(reinterpret_cast<const char16_t*>(s.utf16()), s.size());
      expect += c == U'\r' || c == U'\n' ? QByteArray("\r\n") : s.toUtf8();
    }
    SCOPED_TRACE(round);
    const bool big = round % 2 != 0;
    const QByteArray file = utf16Bytes(units, big);
    const TextFormat format = TextFile::detect(file);
    const QByteArray utf8 = joined(decodePieces(file, format));
    ASSERT_EQ(utf8, expect);
    ASSERT_EQ(TextFile::decodedSize(file, format), utf8.size());
  }
}

// Inputs larger than a piece, in both alignments, so that some piece boundary falls inside a
// surrogate pair or a CR LF; the pieces come out whole and the bytes go back unchanged.
TEST(TextFileUtf16, PiecesSplitNeitherAPairNorACrLf) {
  constexpr int kRepeats = 300000;  // over a megabyte
  struct {
    const char* name;
    std::u16string unit;
    QByteArray expectUnit;
  } cases[] = {
      {"pair", u"\U0001F600x", "\xF0\x9F\x98\x80x"},
      {"crlf", u"\u0416\r\n", "Ж\r\n"},
      {"lone cr", u"\u0416\r", "Ж\r\n"},
  };
  for (const auto& c : cases) {
    for (const bool big : {false, true}) {
      for (int shift = 0; shift < int(c.unit.size()); ++shift) {
        SCOPED_TRACE(std::string(c.name) + (big ? ", big-endian" : "") + ", shifted by " +
                     std::to_string(shift));
        std::u16string units(shift, u'x');
        for (int k = 0; k < kRepeats; ++k) units += c.unit;
        const QByteArray file = utf16Bytes(units, big);
        const TextFormat format = TextFile::detect(file);
        const std::vector<QByteArray> pieces = decodePieces(file, format);
        ASSERT_GT(pieces.size(), 1u);
        for (const QByteArray& p : pieces) {
          QStringDecoder utf8(QStringDecoder::Utf8);
          (void)QString(utf8(p));
          ASSERT_FALSE(utf8.hasError());
          ASSERT_FALSE(p.endsWith('\r'));
        }
        const QByteArray all = joined(pieces);
        ASSERT_EQ(all, QByteArray(shift, 'x') + c.expectUnit.repeated(kRepeats));
        ASSERT_EQ(TextFile::decodedSize(file, format), all.size());
        ASSERT_EQ(encode(all, format), file);
      }
    }
  }
}

TEST(TextFileUtf16, EncodesInTheFormatsOrderAndLineEnds) {
  const QByteArray utf8 = "a\nЖ\r€\r\n\xF0\x9F\x98\x80";
  struct {
    TextFormat format;
    QByteArray expect;
  } cases[] = {
      {kLe, utf16Bytes(u"a\r\n\u0416\r\n\u20AC\r\n\U0001F600", false)},
      {kBe, utf16Bytes(u"a\r\n\u0416\r\n\u20AC\r\n\U0001F600", true)},
      {{Encoding::Utf16Le, true, LineEnd::Lf}, utf16Bytes(u"a\n\u0416\n\u20AC\n\U0001F600", false)},
      {{Encoding::Utf16Be, true, LineEnd::Cr}, utf16Bytes(u"a\r\u0416\r\u20AC\r\U0001F600", true)},
      // An addition to an existing file goes without a second mark.
      {{Encoding::Utf16Le, false, LineEnd::Lf},
       utf16Bytes(u"a\n\u0416\n\u20AC\n\U0001F600", false, false)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expect.toHex(' ').toStdString());
    EXPECT_EQ(encode(utf8, c.format), c.expect);
    EXPECT_EQ(TextFile::formatForWriting(utf8, c.format), c.format);
  }
}

// The editor's text is normally valid UTF-8; where it is not, each byte that starts no character
// becomes one U+FFFD, so nothing after it shifts.
TEST(TextFileUtf16, BytesThatAreNoCharacterBecomeReplacementCharacters) {
  const QByteArray pad(16, 'x');  // inside a longer text the eight-byte step runs too
  const std::u16string padUnits(16, u'x');
  for (const auto& around : {std::pair{QByteArray(), std::u16string()}, std::pair{pad, padUnits}}) {
    SCOPED_TRACE(around.first.size());
    const QByteArray utf8 = around.first + "a\x80\xD0z\xED\xA0\x80\xE2\x82" + around.first;
    const std::u16string expect =
        around.second + u"a\uFFFD\uFFFDz\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD" + around.second;
    EXPECT_EQ(encode(utf8, kLe), utf16Bytes(expect, false));
  }
}

// Line ends alone quadruple in size (LF becomes CR LF of two units): a long run of them must
// still fit each piece's buffer and come out in order.
TEST(TextFileUtf16, LongTextsOfLineEndsComeOutWhole) {
  const QByteArray utf8 = QByteArray("\n").repeated(3 << 20) + "end";
  const QByteArray out = encode(utf8, kBe);
  EXPECT_EQ(out,
            "\xFE\xFF" + QByteArray("\0\r\0\n", 4).repeated(3 << 20) + QByteArray("\0e\0n\0d", 6));
}

// The whole way a document takes: the editor allocates by decodedSize, takes the pieces, and a
// save writes the file back in its own order and line ends.
TEST(TextFileUtf16, OpensAndSavesThroughTheEditorByteForByte) {
  QTemporaryDir dir;
  platform::EditControl edit;
  for (const bool big : {false, true}) {
    SCOPED_TRACE(big ? "big-endian" : "little-endian");
    const QByteArray file = utf16Bytes(u"Привет\n\U0001F600 мир\n", big);
    QFile in(dir.filePath("in.txt"));
    ASSERT_TRUE(in.open(QIODevice::WriteOnly) && in.write(file) == file.size());
    in.close();
    ASSERT_EQ(edit.openFile(in.fileName()), std::nullopt);
    EXPECT_EQ(edit.text(), QStringLiteral("Привет\r\n\U0001F600 мир\r\n"));
    EXPECT_EQ(edit.fileFormat(),
              (TextFormat{big ? Encoding::Utf16Be : Encoding::Utf16Le, true, LineEnd::Lf}));
    ASSERT_EQ(edit.saveFile(dir.filePath("out.txt")), std::nullopt);
    QFile out(dir.filePath("out.txt"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), file);
  }
}

}  // namespace
