// Reading and writing text files on disk. A whole-file write goes through SafeWrite, so a full
// disk or a lost device never leaves a half-written document behind and the file keeps its
// identity.
#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

#include "platform/file_reader.h"
#include "platform/safe_write.h"
#include "platform/text_file.h"

namespace platform::TextFile {
namespace {

// Writes a long file in pieces and asks the system to start putting each few megabytes on the
// disk at once, so that the sync before the file takes the old one's place has little left to
// wait for while the next pieces are still being converted.
class PieceWriter {
 public:
  explicit PieceWriter(SafeWrite::Sink& file) : file_(file) {}
  bool operator()(QByteArrayView piece) {
    if (!file_.write(piece)) return false;
#ifdef Q_OS_LINUX
    if (file_.written() - started_ >= kStartEvery) {
      ::sync_file_range(file_.handle(), started_, file_.written() - started_,
                        SYNC_FILE_RANGE_WRITE);
      started_ = file_.written();
    }
#endif
    return true;
  }
  bool ok() const { return file_.error() == 0; }

 private:
  static constexpr qint64 kStartEvery = qint64(8) << 20;
  SafeWrite::Sink& file_;
  qint64 started_ = 0;
};

}  // namespace

std::optional<ReadResult> read(const QString& path, QString* error) {
  // The same reader as documents: a pipe or a folder picked by mistake must not hang the program.
  const std::optional<FileContents> contents = ReadRegularFile(path, error);
  if (!contents) return std::nullopt;
  ReadResult result;
  result.text = decode(contents->bytes, &result.format);
  return result;
}

bool writeBytes(const QString& path, QByteArrayView bytes, QString* error) {
  return SafeWrite::save(
      path, [bytes](SafeWrite::Sink& file) { return file.write(bytes); }, error);
}

bool writeUtf8(const QString& path, QByteArrayView utf8, const TextFormat& format, QString* error,
               TextFormat* written) {
  // Windows-1251 is tried first, checking while converting: one pass over the text in the usual
  // case. A character it lacks cancels that try (the old file untouched) and the text goes out
  // as UTF-8, so no caller can lose characters by passing a narrower format.
  if (format.encoding == Encoding::Windows1251) {
    bool fits = true;
    const auto fill = [&](SafeWrite::Sink& file) {
      PieceWriter writer(file);
      fits = encodeFromUtf8Strict(
          utf8, format, [&](QByteArrayView piece) { writer(piece); }, true);
      return fits && writer.ok();
    };
    const bool ok = SafeWrite::save(path, fill, error);
    if (fits) {
      if (written) *written = format;
      return ok;
    }
    if (error) error->clear();
  }
  const TextFormat target = format.encoding == Encoding::Windows1251
                                ? TextFormat{Encoding::Utf8, false, format.lineEnd}
                                : format;
  if (written) *written = target;
  const auto fill = [&](SafeWrite::Sink& file) {
    PieceWriter writer(file);
    encodeFromUtf8(utf8, target, [&](QByteArrayView piece) { writer(piece); });
    return writer.ok();
  };
  return SafeWrite::save(path, fill, error);
}

bool write(const QString& path, const QString& text, const TextFormat& format, QString* error) {
  return writeUtf8(path, text.toUtf8(), format, error);
}

bool appendBytes(const QString& path, QByteArrayView bytes, QString* error) {
  return SafeWrite::append(path, bytes, error);
}

}  // namespace platform::TextFile
