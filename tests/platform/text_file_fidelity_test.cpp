// What detect says a read would change, held against what reading and writing back does: an
// exact read gives the same bytes, an inexact one does not, and each reason it gives is found in
// the file by the test's own reading of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>

#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace platform {
void PrintTo(const ReadFidelity& f, std::ostream* os) {
  *os << '"' << f.describe().toStdString() << '"';
}
}  // namespace platform

namespace {

using platform::Encoding;
using platform::LineEnd;
using platform::ReadFidelity;
using platform::TextFormat;
namespace TextFile = platform::TextFile;

// Bytes of a literal that may hold NUL.
template <std::size_t N>
QByteArray raw(const char (&s)[N]) {
  return QByteArray(s, N - 1);
}

bool isUtf16(const TextFormat& f) {
  return f.encoding == Encoding::Utf16Le || f.encoding == Encoding::Utf16Be;
}

qsizetype markSize(const TextFormat& f) { return !f.bom ? 0 : isUtf16(f) ? 2 : 3; }

// The file's text after its mark: bytes, or whole UTF-16 code units.
std::u16string unitsOf(const QByteArray& file, const TextFormat& f) {
  std::u16string units;
  const qsizetype mark = markSize(f);
  if (!isUtf16(f)) {
    for (qsizetype i = mark; i < file.size(); ++i) units += char16_t(uchar(file[i]));
    return units;
  }
  const bool big = f.encoding == Encoding::Utf16Be;
  for (qsizetype i = mark; i + 1 < file.size(); i += 2)
    units += char16_t(uchar(file[i + (big ? 0 : 1)]) << 8 | uchar(file[i + (big ? 1 : 0)]));
  return units;
}

QByteArray fileOfUnits(const std::u16string& units, const TextFormat& f) {
  if (isUtf16(f)) return text_codec::utf16Bytes(units, f.encoding == Encoding::Utf16Be, f.bom);
  QByteArray bytes = f.bom ? "\xEF\xBB\xBF" : "";
  for (const char16_t u : units) bytes += char(u);
  return bytes;
}

// Calls line(style) for each line end and other(unit) for everything else.
template <typename Line, typename Other>
void forEachUnit(const std::u16string& units, Line line, Other other) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i] == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n') {
      line(LineEnd::CrLf);
      ++i;
    } else if (units[i] == u'\r' || units[i] == u'\n') {
      line(units[i] == u'\r' ? LineEnd::Cr : LineEnd::Lf);
    } else {
      other(units[i]);
    }
  }
}

int lineEndStyles(const std::u16string& units) {
  bool seen[3] = {};
  forEachUnit(
      units, [&](LineEnd e) { seen[int(e)] = true; }, [](char16_t) {});
  return seen[0] + seen[1] + seen[2];
}

std::u16string withLineEnds(const std::u16string& units, LineEnd style) {
  const std::u16string end = style == LineEnd::CrLf ? u"\r\n"
                             : style == LineEnd::Lf ? u"\n"
                                                    : u"\r";
  std::u16string out;
  forEachUnit(
      units, [&](LineEnd) { out += end; }, [&](char16_t u) { out += u; });
  return out;
}

qsizetype replacementsIn(const std::u16string& units, const TextFormat& f) {
  if (isUtf16(f)) return std::count(units.begin(), units.end(), u'\uFFFD');
  if (f.encoding == Encoding::Windows1251) return 0;
  return fileOfUnits(units, {}).count("\xEF\xBF\xBD");
}

bool nulNearStart(const std::u16string& units, const TextFormat& f) {
  const qsizetype width = isUtf16(f) ? 2 : 1;
  for (std::size_t k = 0; k < units.size(); ++k)
    if (units[k] == 0 && markSize(f) + width * qsizetype(k) < 65536) return true;
  return false;
}

// Reads the file, writes the text back in the detected format and checks every claim of the
// fidelity against the two.
testing::AssertionResult fidelityHolds(const QByteArray& file) {
  ReadFidelity fidelity;
  const TextFormat format = TextFile::detect(file, &fidelity);
  const QByteArray utf8 = text_codec::joined(text_codec::decodePieces(file, format));
  const QByteArray back = text_codec::encode(utf8, format);
  const std::u16string units = unitsOf(file, format);
  auto fail = [&](const char* what) {
    return testing::AssertionFailure()
           << what << " for " << file.left(48).toHex(' ').toStdString() << " (" << file.size()
           << " bytes, encoding " << int(format.encoding) << ", told \""
           << fidelity.describe().toStdString() << "\")";
  };
  if ((back == file) != fidelity.exact()) return fail("exact() disagrees with the round trip");
  if (fidelity.mixedLineEnds != (lineEndStyles(units) > 1)) return fail("mixed line ends");
  if (fidelity.mixedLineEnds && !fidelity.invalidBytes &&
      back != fileOfUnits(withLineEnds(units, format.lineEnd), format))
    return fail("more than the line ends changed");
  const qsizetype replaced = utf8.count("\xEF\xBF\xBD") - replacementsIn(units, format);
  if (fidelity.invalidBytes != (replaced > 0)) return fail("invalid bytes");
  if (fidelity.binary != nulNearStart(units, format)) return fail("binary");
  const bool sizeKnown = format.encoding != Encoding::Utf8 || !fidelity.invalidBytes;
  if (sizeKnown && TextFile::decodedSize(file, format) != utf8.size()) return fail("decodedSize");
  return testing::AssertionSuccess();
}

// Every file of up to two bytes, and every one or two bytes after each byte-order mark: all
// byte values in Windows-1251, every UTF-16 unit, every two-byte start of UTF-8 text.
TEST(TextFileFidelity, HoldsForEveryShortFile) {
  const QByteArray starts[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  for (const QByteArray& start : starts) {
    ASSERT_TRUE(fidelityHolds(start));
    for (int a = 0; a < 256; ++a) {
      ASSERT_TRUE(fidelityHolds(start + char(a)));
      for (int b = 0; b < 256; ++b) ASSERT_TRUE(fidelityHolds(start + char(a) + char(b)));
    }
  }
}

TEST(TextFileFidelity, HoldsForEveryMixOfLineEndsInEveryEncoding) {
  const QString ends[] = {"\r\n", "\n", "\r"};
  struct {
    Encoding encoding;
    bool bom;
  } formats[] = {{Encoding::Windows1251, false},
                 {Encoding::Utf8, false},
                 {Encoding::Utf8, true},
                 {Encoding::Utf16Le, true},
                 {Encoding::Utf16Be, true}};
  for (const auto& f : formats) {
    for (const QString between : {"", "ж"}) {
      // Up to four line ends: every sequence of the three styles, as a number in base 3.
      for (int count = 0, combinations = 1; count <= 4; ++count, combinations *= 3) {
        for (int code = 0; code < combinations; ++code) {
          QString text = "ж";
          for (int k = 0, c = code; k < count; ++k, c /= 3) text += ends[c % 3] + between;
          ASSERT_TRUE(fidelityHolds(text_codec::fileOf(text, f.encoding, f.bom)));
        }
      }
    }
  }
}

// A random character of any plane, or a line end of the given style.
QString randomPiece(std::mt19937& random, const QString& lineEnd) {
  const char32_t c = std::uniform_int_distribution<char32_t>(1, 0x10FFFF - 0x800)(random);
  if (c % 16 == 0) return lineEnd;
  const char32_t notSurrogate = c < 0xD800 ? c : c + 0x800;
  return QString::fromUcs4(&notSurrogate, 1);
}

TEST(TextFileFidelity, RandomTextInOneLineEndStyleIsExact) {
  std::mt19937 random(7);
  const struct {
    Encoding encoding;
    bool bom;
  } formats[] = {{Encoding::Utf8, false},
                 {Encoding::Utf8, true},
                 {Encoding::Utf16Le, true},
                 {Encoding::Utf16Be, true}};
  for (int round = 0; round < 400; ++round) {
    const char* const lineEnds[] = {"\r\n", "\n", "\r"};
    const QString lineEnd = lineEnds[round % 3];
    QString text;
    while (text.size() < 200) text += randomPiece(random, lineEnd);
    const auto& f = formats[round % 4];
    const QByteArray file = text_codec::fileOf(text, f.encoding, f.bom);
    SCOPED_TRACE(round);
    ReadFidelity fidelity;
    EXPECT_EQ(TextFile::detect(file, &fidelity).encoding, f.encoding);
    EXPECT_TRUE(fidelity.exact());
    ASSERT_TRUE(fidelityHolds(file));
  }
}

// Files of a few bytes drawn from those the decoders treat specially, and whole random files as
// binaries are: whatever the bytes, the fidelity must tell the truth.
TEST(TextFileFidelity, HoldsForRandomBytes) {
  std::mt19937 random(11);
  const QByteArray special = raw("a\0\n\r\x80\xBF\xC3\xA9\xD0\xD8\xDC\xE2\xEF\xBB\xF0\x9F\xFE\xFF");
  auto byte = [&](const QByteArray& from) {
    return from[std::uniform_int_distribution<qsizetype>(0, from.size() - 1)(random)];
  };
  for (int round = 0; round < 20000; ++round) {
    QByteArray file;
    for (int n = round % 41; n > 0; --n) file += byte(special);
    ASSERT_TRUE(fidelityHolds(file));
  }
  QByteArray every(256, '\0');
  for (int b = 0; b < 256; ++b) every[b] = char(b);
  const QByteArray program = raw("\177ELF\x02\x01\x01\0");  // how executables start
  for (const QByteArray& start : {program, raw("\xFF\xFE"), raw("\xFE\xFF"), raw("\xEF\xBB\xBF")}) {
    QByteArray file = start;
    while (file.size() < (3 << 20)) file += byte(every);
    ASSERT_TRUE(fidelityHolds(file));
  }
}

// A text larger than a piece where the one fault sits far from the start, so a scan that stops
// early or looks at one piece only would miss it.
TEST(TextFileFidelity, FindsAFaultAnywhereInALongFile) {
  const QString text = QStringLiteral("Строка \U0001F600 текста\r\n").repeated(60000);
  const QString cyrillic = QString(text).remove(QChar(0xD83D)).remove(QChar(0xDE00));
  using text_codec::fileOf;
  struct {
    const char* name;
    QByteArray file;
    Encoding encoding;
    ReadFidelity expect;
  } cases[] = {
      {"utf-16 le", fileOf(text, Encoding::Utf16Le, true), Encoding::Utf16Le, {}},
      {"utf-16 be, an lf at the end",
       fileOf(text + "\n", Encoding::Utf16Be, true),
       Encoding::Utf16Be,
       {true, false, false}},
      {"utf-16 le, a lone surrogate at the end",
       fileOf(text + QChar(0xDC00), Encoding::Utf16Le, true),
       Encoding::Utf16Le,
       {false, true, false}},
      {"utf-8, a cr at the end",
       fileOf(text + "\r", Encoding::Utf8, false),
       Encoding::Utf8,
       {true, false, false}},
      {"utf-8 with a mark, a bad byte at the end",
       fileOf(text, Encoding::Utf8, true) + "\xFF",
       Encoding::Utf8,
       {false, true, false}},
      {"cp1251, an lf at the end",
       fileOf(cyrillic + "\n", Encoding::Windows1251, false),
       Encoding::Windows1251,
       {true, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReadFidelity fidelity;
    EXPECT_EQ(TextFile::detect(c.file, &fidelity).encoding, c.encoding);
    EXPECT_EQ(fidelity, c.expect);
    EXPECT_TRUE(fidelityHolds(c.file));
  }
}

TEST(TextFileFidelity, NulMarksBinaryOnlyInTheFirst64Kilobytes) {
  struct {
    const char* name;
    QByteArray file;
    bool binary;
  } cases[] = {
      {"text", "abc", false},
      {"nul first", QByteArray(1, '\0') + "abc", true},
      {"nul in the last byte of 64 KB", QByteArray(65535, 'a') + '\0', true},
      {"nul just after", QByteArray(65536, 'a') + '\0', false},
      {"utf-16 unit of zero bytes inside", text_codec::utf16Bytes(u"a\u0100", false), false},
      {"utf-16 nul at the end of 64 KB",
       text_codec::utf16Bytes(std::u16string(32766, u'a') + u'\0', false), true},
      {"utf-16 nul just after", text_codec::utf16Bytes(std::u16string(32767, u'a') + u'\0', true),
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReadFidelity fidelity;
    TextFile::detect(c.file, &fidelity);
    EXPECT_EQ(fidelity.binary, c.binary);
    EXPECT_TRUE(fidelity.exact());  // a NUL reads and writes back unchanged
    EXPECT_TRUE(fidelityHolds(c.file));
  }
}

// The faults this pins: mixed line ends rewritten to the majority style, a binary file's CR and
// LF bytes rewritten, a bad byte after a UTF-8 mark turned into U+FFFD, all without a word.
TEST(TextFileFidelity, SaysWhatASaveWouldChange) {
  struct {
    const char* name;
    QByteArray file;
    QString told;
  } cases[] = {
      {"one style", "a\r\nb\r\n", ""},
      {"mixed line ends", "a\r\nb\nc\r\n", "смешанные концы строк"},
      {"bad byte after a utf-8 mark", "\xEF\xBB\xBFz\xFF\n", "недопустимые байты"},
      {"odd utf-16", "\xFF\xFEz", "недопустимые байты"},
      {"program", raw("\177ELF\x02\x01\x01\0\0\r\n\n"), "смешанные концы строк, двоичные данные"},
      {"everything", raw("\xFE\xFF\0\0\xD8\0\0\n\0\r"),
       "смешанные концы строк, недопустимые байты, двоичные данные"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReadFidelity fidelity;
    TextFile::detect(c.file, &fidelity);
    EXPECT_EQ(fidelity.describe(), c.told);
    EXPECT_TRUE(fidelityHolds(c.file));
  }
}

}  // namespace
