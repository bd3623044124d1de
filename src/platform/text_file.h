// Reading and writing text files: encoding detection, line-end normalisation and safe writes.
// Inside the program lines end in CR LF; a file keeps its own encoding and line-end style.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

namespace platform {

enum class Encoding { Windows1251, Utf8 };
enum class LineEnd { CrLf, Lf, Cr };

struct TextFormat {
  Encoding encoding = Encoding::Windows1251;
  bool bom = false;  // a UTF-8 byte-order mark
  LineEnd lineEnd = LineEnd::CrLf;
  bool operator==(const TextFormat&) const = default;
};

using ByteSink = std::function<void(QByteArrayView piece)>;
// Told after each piece how many bytes of the input are done with, for a progress bar or to give
// back the memory of a mapped file.
using InputProgress = std::function<void(qsizetype consumed)>;

namespace TextFile {

// A UTF-8 byte-order mark, or valid UTF-8 holding at least one multi-byte sequence, is UTF-8;
// anything else is Windows-1251. The line end is the most frequent of CR LF, LF and lone CR
// (CR LF when the text has none, or on a tie).
TextFormat detect(QByteArrayView bytes);

// Decodes bytes of the given format to UTF-8 with CR LF line ends (BOM dropped), handing the
// result to `sink` in pieces of bounded size, so no whole-text copy is needed.
void decodeToUtf8(QByteArrayView bytes, const TextFormat& format, const ByteSink& sink,
                  const InputProgress& progress = {});

// The size of what decodeToUtf8 makes of the bytes: exact, but for UTF-8 that holds bad sequences,
// which grow when repaired.
qsizetype decodedSize(QByteArrayView bytes, const TextFormat& format);

// True when every character of the UTF-8 text has a Windows-1251 code.
bool fitsWindows1251(QByteArrayView utf8);

// The encoding a text in `format` is written in: Windows-1251 is widened to UTF-8 (without BOM)
// when the text holds a character Windows-1251 lacks, so nothing is lost.
TextFormat formatForWriting(QByteArrayView utf8, const TextFormat& format);

// Encodes UTF-8 text with CR LF line ends into `format` (which must be able to hold it),
// converting line ends, in pieces.
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
