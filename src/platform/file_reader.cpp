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

qint64 changeTimeOf(const struct stat& info) {
  return qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

// Closes the descriptor whichever way reading ends.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// Reads up to `size` bytes, retrying interrupted reads; -1 on an error.
qint64 readSome(int fd, char* to, qint64 size) {
  for (;;) {
    const ssize_t got = ::read(fd, to, size_t(size));
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace

OpenFile::OpenFile(int fd, qint64 size, qint64 changeTime)
    : m_fd(fd), m_size(size), m_changeTime(changeTime) {}

OpenFile::~OpenFile() { ::close(m_fd); }

qint64 OpenFile::readAt(qint64 offset, char* to, qint64 size) const {
  for (;;) {
    const ssize_t got = ::pread(m_fd, to, size_t(size), off_t(offset));
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool OpenFile::changed() const {
  struct stat now {};
  return ::fstat(m_fd, &now) != 0 || now.st_size != m_size || changeTimeOf(now) != m_changeTime;
}

QString CannotRead(const QString& path, int error) { return cannotRead(path, reasonOf(error)); }

QString NotARegularFile(const QString& path) {
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) return QString();
  return kindOf(info);
}

std::optional<FileContents> ReadRegularFile(const QString& path, QString* error,
                                            const BetweenPieces& between,
                                            std::unique_ptr<OpenFile>* keep) {
  auto fail = [&](const QString& reason) {
    if (error) *error = cannotRead(path, reason);
    return std::nullopt;
  };
  // Not blocking: opening a named pipe otherwise waits until somebody writes into it.
  Descriptor file{::open(QFile::encodeName(path).constData(),
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
  if (keep && !contents.partial) {
    *keep = std::make_unique<OpenFile>(file.fd, done, changeTimeOf(after));
    file.fd = -1;
  }
  return contents;
}

}  // namespace platform
