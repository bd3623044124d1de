#include "platform/file_reader.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr qint64 kPiece = qint64(4) << 20;

QString reasonOf(int error) {
  switch (error) {
    case ENOENT: return QStringLiteral("файл не найден");
    case EACCES:
    case EPERM: return QStringLiteral("нет прав на чтение");
    case ELOOP: return QStringLiteral("слишком много символических ссылок");
    case EIO: return QStringLiteral("ошибка ввода-вывода");
    case ENOMEM: return QStringLiteral("не хватает памяти");
    default: return QString::fromLocal8Bit(std::strerror(error));
  }
}

QString kindOf(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return QString();
  if (S_ISDIR(info.st_mode)) return QStringLiteral("это папка, а не файл");
  if (S_ISFIFO(info.st_mode)) return QStringLiteral("это именованный канал, а не обычный файл");
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
    return QStringLiteral("это устройство, а не обычный файл");
  if (S_ISSOCK(info.st_mode)) return QStringLiteral("это сокет, а не обычный файл");
  return QStringLiteral("это не обычный файл");
}

QString cannotRead(const QString& path, const QString& reason) {
  return QStringLiteral("Не удалось прочитать файл «%1»: %2")
      .arg(QDir::toNativeSeparators(path), reason);
}

// Closes the descriptor whichever way reading ends.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// Reads up to `size` bytes at `at`, retrying interrupted reads; -1 on an error.
qint64 readSome(int fd, char* to, qint64 size) {
  for (;;) {
    const ssize_t got = ::read(fd, to, size_t(size));
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace

QString NotARegularFile(const QString& path) {
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) return QString();
  return kindOf(info);
}

std::optional<FileContents> ReadRegularFile(const QString& path, QString* error,
                                            const BetweenPieces& between) {
  auto fail = [&](const QString& reason) {
    if (error) *error = cannotRead(path, reason);
    return std::nullopt;
  };
  // Not blocking: opening a named pipe otherwise waits until somebody writes into it.
  const Descriptor file{::open(QFile::encodeName(path).constData(),
                               O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
  if (file.fd < 0) return fail(reasonOf(errno));
  struct stat before {};
  if (::fstat(file.fd, &before) != 0) return fail(reasonOf(errno));
  if (const QString kind = kindOf(before); !kind.isEmpty()) return fail(kind);
  ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);

  FileContents contents;
  const qint64 size = before.st_size;
  contents.bytes = QByteArray(size, Qt::Uninitialized);
  qint64 done = 0;
  while (done < size) {
    const qint64 got = readSome(file.fd, contents.bytes.data() + done, std::min(kPiece, size - done));
    if (got < 0) return fail(reasonOf(errno));
    if (got == 0) break;  // shorter than it was a moment ago
    done += got;
    if (between) between(done);
  }
  char extra = 0;
  const bool grew = done == size && readSome(file.fd, &extra, 1) > 0;
  struct stat after {};
  const bool resized = ::fstat(file.fd, &after) == 0 && after.st_size != before.st_size;
  contents.partial = done < size || grew || resized;
  contents.bytes.truncate(done);
  return contents;
}

}  // namespace platform
