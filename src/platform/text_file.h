// Reading and writing text files: encoding detection, line-end normalisation and safe writes.
// Inside the program lines end in CR LF; a file keeps its own encoding and line-end style.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

namespace platform {

enum class Encoding { Windows1251, Utf8, Utf16Le, Utf16Be };
enum class LineEnd { CrLf, Lf, Cr };

struct TextFormat {
  Encoding encoding = Encoding::Windows1251;
  // A byte-order mark, written before the text: a UTF-8 file may have one, a UTF-16 file read
  // from disk always has one. Without it UTF-16 is written bare (an addition to a file).
  bool bom = false;
  LineEnd lineEnd = LineEnd::CrLf;
  bool operator==(const TextFormat&) const = default;
};

// What reading a file and writing its text straight back would change, as detect finds it.
struct ReadFidelity {
  // More than one of CR LF, LF and lone CR: the text has CR LF throughout, and a save writes
  // every line end in the dominant style.
  bool mixedLineEnds = false;
  // Bytes that are no character of the encoding (bad UTF-8 after a byte-order mark; a lone
  // surrogate or an odd last byte in UTF-16): they read as U+FFFD.
  bool invalidBytes = false;
  // A NUL character in the first 64 KB: most likely not a text file. NUL itself reads and
  // writes back unchanged, so this alone does not make the read inexact.
  bool binary = false;

  // True when writing the decoded text back in the detected format gives the same bytes.
  bool exact() const { return !mixedLineEnds && !invalidBytes; }
  // Everything noted, in Russian for the status bar and the question before saving: lower case,
  // joined by ", " ("смешанные концы строк, двоичные данные"); empty when nothing is.
  QString describe() const;
  bool operator==(const ReadFidelity&) const = default;
};

using ByteSink = std::function<void(QByteArrayView piece)>;
// Told after each piece how many bytes of the input are done with, for a progress bar or to give
// back the memory of a mapped file.
using InputProgress = std::function<void(qsizetype consumed)>;

namespace TextFile {

// A UTF-8 byte-order mark is UTF-8; else a UTF-16 one (FF FE, FE FF) is UTF-16 of that order;
// else valid UTF-8 holding at least one multi-byte sequence is UTF-8; anything else is
// Windows-1251. The line end is the most frequent of CR LF, LF and lone CR (CR LF when the text
// has none, or on a tie). `fidelity`, when given, receives what a read and write would change;
// it comes from the scans that find the encoding and line end. `size`, when given, receives
// decodedSize of the bytes in the format found, from the same scans where they tell it: each
// pass over a 100 MB file costs the opening tens of milliseconds.
TextFormat detect(QByteArrayView bytes, ReadFidelity* fidelity = nullptr,
                  qsizetype* size = nullptr);

// Decodes bytes of the given format to UTF-8 with CR LF line ends (BOM dropped), handing the
// result to `sink` in pieces of bounded size, so no whole-text copy is needed. Bytes that are no
// character of the encoding (see ReadFidelity::invalidBytes) become U+FFFD. `fidelity`, when
// given, is what detect found for these very bytes: UTF-8 it found valid is not checked again.
void decodeToUtf8(QByteArrayView bytes, const TextFormat& format, const ByteSink& sink,
                  const InputProgress& progress = {}, const ReadFidelity* fidelity = nullptr);

// Where a stretch of a file in UTF-8 or Windows-1251 may end so that it decodes on its own, as
// decodeStretchToUtf8 does: after its last LF, else before the last byte that starts a character
// and follows no CR. 0 when no such place is in `bytes`.
qsizetype stretchEnd(QByteArrayView bytes);
// decodeToUtf8 of one stretch of a file in UTF-8 or Windows-1251, cut by stretchEnd, that starts
// `offset` bytes into the file: the mark is dropped only at the file's start, and `progress`
// counts from there. Stretch after stretch, the text is what decodeToUtf8 makes of the whole.
void decodeStretchToUtf8(QByteArrayView stretch, qsizetype offset, const TextFormat& format,
                         const ByteSink& sink, const InputProgress& progress,
                         const ReadFidelity* fidelity = nullptr);

// The size of what decodeToUtf8 makes of the bytes: exact, but for UTF-8 that holds bad sequences,
// which grow when repaired.
qsizetype decodedSize(QByteArrayView bytes, const TextFormat& format);

// True when every character of the UTF-8 text has a Windows-1251 code.
bool fitsWindows1251(QByteArrayView utf8);

// The character of UTF-8 text that starts at byte `at` (< the size): its code point and the
// bytes it takes, read by the same rules as decoding; a byte that starts no valid sequence is
// U+FFFD of one byte.
struct Utf8Character {
  char32_t code;
  int length;
};
Utf8Character utf8CharacterAt(QByteArrayView utf8, qsizetype at);

// The text of UTF-8 bytes, a bad sequence becoming U+FFFD. Unlike QString::fromUtf8, which drops
// a U+FEFF at the start as if it were a byte-order mark, every character is kept: a document or
// a selection may well begin with one.
QString textOfUtf8(QByteArrayView utf8);

// The length in UTF-16 units of valid UTF-8 (what QString::fromUtf8 would make of it).
long utf16Length(QByteArrayView utf8);

// The encoding a text in `format` is written in: Windows-1251 is widened to UTF-8 (without BOM)
// when the text holds a character Windows-1251 lacks, so nothing is lost. UTF-8 and UTF-16 hold
// every character and stay.
TextFormat formatForWriting(QByteArrayView utf8, const TextFormat& format);

// Encodes UTF-8 text with CR LF line ends into `format` (which must be able to hold it),
// converting line ends, in pieces; the byte-order mark first when `format.bom` says so.
void encodeFromUtf8(QByteArrayView utf8, const TextFormat& format, const ByteSink& sink);
// The same, but with `strict` it stops at the first piece holding a character Windows-1251
// lacks and returns false, so a save can convert and check in one pass.
bool encodeFromUtf8Strict(QByteArrayView utf8, const TextFormat& format, const ByteSink& sink,
                          bool strict);

struct ReadResult {
  QString text;  // CR LF line ends
  TextFormat format;
};
QString decode(QByteArrayView bytes, TextFormat* format = nullptr);
std::optional<ReadResult> read(const QString& path, QString* error = nullptr);

// Writers replace the file whole through SafeWrite::save, so a failed write leaves the old file
// as it was and the file keeps its owner, group, permissions, extended attributes and hard
// links; a symbolic link is written through to its target. They return false and describe the
// failure in `error`.
// writeUtf8 and write widen the format as formatForWriting does, so no character is lost.
bool writeBytes(const QString& path, QByteArrayView bytes, QString* error = nullptr);
// `written`, when given, receives the format the file was written in.
bool writeUtf8(const QString& path, QByteArrayView utf8, const TextFormat& format,
               QString* error = nullptr, TextFormat* written = nullptr);
bool write(const QString& path, const QString& text, const TextFormat& format,
           QString* error = nullptr);
// Appends bytes to a regular file, creating it when missing.
bool appendBytes(const QString& path, QByteArrayView bytes, QString* error = nullptr);

}  // namespace TextFile
}  // namespace platform
