// Reading and writing text files on disk. A whole-file write goes to a temporary file in the
// same folder and is renamed over the old one only when every byte is written, so a full disk
// or a lost device never leaves a half-written document behind.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include <thread>
#endif

#include "platform/text_file.h"

namespace platform::TextFile {
namespace {

void setError(QString* error, const QString& message) {
  if (error) *error = message;
}

QString cannotWrite(const QString& path, const QString& reason) {
  return QStringLiteral("Не удалось записать файл «%1»: %2")
      .arg(QDir::toNativeSeparators(path), reason);
}

// The file a path finally names: a symbolic link is written through to its target, so the
// link stays a link.
QString followLinks(const QString& path) {
  QFileInfo info(path);
  for (int hops = 0; hops < 40 && info.isSymLink(); ++hops) info.setFile(info.symLinkTarget());
  return info.filePath();
}

// Holds on to the file a save replaces, so that freeing its space (a tenth of a second for a
// 100 MB file) happens after the save, in the background, not inside the rename.
class ReplacedFile {
 public:
  explicit ReplacedFile(const QFileInfo& existing) {
#ifdef Q_OS_UNIX
    if (existing.exists() && existing.size() >= kWorthIt)
      fd_ = ::open(QFile::encodeName(existing.filePath()).constData(), O_RDONLY | O_CLOEXEC);
#else
    Q_UNUSED(existing);
#endif
  }
  ~ReplacedFile() {
#ifdef Q_OS_UNIX
    if (fd_ < 0) return;
    const int fd = fd_;
    try {
      std::thread([fd] { ::close(fd); }).detach();
    } catch (const std::system_error&) {
      ::close(fd);
    }
#endif
  }
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

 private:
  static constexpr qint64 kWorthIt = qint64(16) << 20;
  int fd_ = -1;
};

// Runs `fill` on a QSaveFile for `path` and commits it; `fill` returns false when a write failed.
template <typename Fill>
bool saveWith(const QString& path, QString* error, Fill fill) {
  const QString target = followLinks(path);
  const QFileInfo existing(target);
  QSaveFile file(target);
  if (!file.open(QIODevice::WriteOnly)) {
    setError(error, cannotWrite(path, file.errorString()));
    return false;
  }
  // A small file sits in the device's buffer until the end; its write error only shows at the
  // flush, and a commit that flushes by itself would not report it.
  if (!fill(file) || !file.flush()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    setError(error, cannotWrite(path, reason));
    return false;
  }
  // The new file must not lose what the owner allowed on the old one (an executable script,
  // a private file).
  if (existing.exists() && file.permissions() != existing.permissions())
    file.setPermissions(existing.permissions());
  const ReplacedFile replaced(existing);
  if (!file.commit()) {
    setError(error, cannotWrite(path, file.errorString()));
    return false;
  }
  return true;
}

bool writeAll(QFileDevice& file, QByteArrayView bytes) {
  return file.write(bytes.data(), bytes.size()) == bytes.size();
}

// Writes a long file in pieces and asks the system to start putting each few megabytes on the
// disk at once, so that the flush before the commit has little left to wait for while the next
// pieces are still being converted.
class PieceWriter {
 public:
  explicit PieceWriter(QFileDevice& file) : file_(file) {}
  bool operator()(QByteArrayView piece) {
    if (!ok_) return false;
    ok_ = writeAll(file_, piece);
    written_ += piece.size();
#ifdef Q_OS_LINUX
    if (ok_ && written_ - started_ >= kStartEvery && file_.flush()) {
      ::sync_file_range(file_.handle(), started_, written_ - started_, SYNC_FILE_RANGE_WRITE);
      started_ = written_;
    }
#endif
    return ok_;
  }
  bool ok() const { return ok_; }

 private:
  static constexpr qint64 kStartEvery = qint64(8) << 20;
  QFileDevice& file_;
  bool ok_ = true;
  qint64 written_ = 0;
  qint64 started_ = 0;
};

}  // namespace

std::optional<ReadResult> read(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    setError(error, QStringLiteral("Не удалось прочитать файл «%1»: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  ReadResult result;
  result.text = decode(bytes, &result.format);
  return result;
}

bool writeBytes(const QString& path, QByteArrayView bytes, QString* error) {
  return saveWith(path, error, [bytes](QSaveFile& file) { return writeAll(file, bytes); });
}

bool writeUtf8(const QString& path, QByteArrayView utf8, const TextFormat& format, QString* error,
               TextFormat* written) {
  // Windows-1251 is tried first, checking while converting: one pass over the text in the usual
  // case. A character it lacks cancels that try (the old file untouched) and the text goes out
  // as UTF-8, so no caller can lose characters by passing a narrower format.
  if (format.encoding == Encoding::Windows1251) {
    bool fits = true;
    const bool ok = saveWith(path, error, [&](QSaveFile& file) {
      PieceWriter writer(file);
      fits = encodeFromUtf8Strict(
          utf8, format, [&](QByteArrayView piece) { writer(piece); }, true);
      return fits && writer.ok();
    });
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
  return saveWith(path, error, [&](QSaveFile& file) {
    PieceWriter writer(file);
    encodeFromUtf8(utf8, target, [&](QByteArrayView piece) { writer(piece); });
    return writer.ok();
  });
}

bool write(const QString& path, const QString& text, const TextFormat& format, QString* error) {
  return writeUtf8(path, text.toUtf8(), format, error);
}

bool appendBytes(const QString& path, QByteArrayView bytes, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    setError(error, cannotWrite(path, file.errorString()));
    return false;
  }
  if (!writeAll(file, bytes) || !file.flush()) {
    setError(error, cannotWrite(path, file.errorString()));
    return false;
  }
  return true;
}

}  // namespace platform::TextFile
