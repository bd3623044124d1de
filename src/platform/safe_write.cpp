// Saving a whole file: where a path leads, which way the file is written, and the usual way — a
// new file beside the old one that takes over its identity and is renamed over it.
#include "platform/safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <thread>

#include "platform/safe_write_internal.h"

namespace platform::SafeWrite {
namespace detail {
namespace {

std::atomic<int> g_folderSyncs{0};
std::atomic<int> g_inPlaceSaves{0};

// As many links as the system itself follows before it calls the path a loop.
constexpr int kMaxLinkHops = 40;
// Room left in a name for the suffix of a file made beside it, within the usual 255 bytes.
constexpr qsizetype kMaxStem = 200;

struct Target {
  QByteArray path;
  struct stat st {};
  bool exists = false;
};

std::optional<QByteArray> readLink(const QByteArray& path) {
  QByteArray buffer(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink(path.constData(), buffer.data(), size_t(buffer.size()));
    if (n < 0) return std::nullopt;
    if (n < buffer.size()) return buffer.left(n);
    buffer.resize(buffer.size() * 2);
  }
}

// The file a path finally names. A symbolic link is written through to its target, so the link
// stays a link, and a link to a missing file names the file to create. A loop is an error: taking
// the last name of it would replace a link by a regular file.
Step followLinks(const QByteArray& path, Target* target) {
  target->path = path;
  for (int hops = 0;; ++hops) {
    if (::lstat(target->path.constData(), &target->st) != 0)
      return errno == ENOENT ? Step::done() : Step::failedWith(errno);
    if (!S_ISLNK(target->st.st_mode)) {
      target->exists = true;
      return Step::done();
    }
    if (hops == kMaxLinkHops) return Step::failedWith(ELOOP);
    const std::optional<QByteArray> link = readLink(target->path);
    if (!link) return Step::failedWith(errno);
    target->path = link->startsWith('/') ? *link : folderOf(target->path) + '/' + *link;
  }
}

// Holds on to the file a save replaces, so that freeing its space (a tenth of a second for a
// 100 MB file) happens after the save, in the background, not inside the rename.
class ReplacedFile {
 public:
  explicit ReplacedFile(const Target& target) {
    if (target.exists && target.st.st_size >= kWorthIt)
      m_fd = ::open(target.path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  }
  ~ReplacedFile() {
    if (m_fd < 0) return;
    const int fd = m_fd;
    try {
      std::thread([fd] { ::close(fd); }).detach();
    } catch (const std::system_error&) {
      ::close(fd);
    }
  }
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

 private:
  static constexpr qint64 kWorthIt = qint64(16) << 20;
  int m_fd = -1;
};

// The new file beside the old one; removed unless it took the old one's place.
class NewFile {
 public:
  NewFile(int fd, const QByteArray& name) : m_fd(fd), m_name(name) {}
  ~NewFile() { discard(); }
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  int fd() const { return m_fd.get(); }
  void discard() {
    m_fd.reset();
    if (!m_name.isEmpty()) ::unlink(m_name.constData());
    m_name.clear();
  }
  // Puts every byte on the disk and the file in place of `target`. Returns 0 or the errno.
  int replace(const Target& target) {
    if (::fsync(m_fd.get()) != 0) return errno;
    if (const int err = m_fd.close()) return err;
    const ReplacedFile replaced(target);
    if (::rename(m_name.constData(), target.path.constData()) != 0) return errno;
    m_name.clear();
    return 0;
  }

 private:
  Fd m_fd;
  QByteArray m_name;
};

Step fillAndRename(NewFile& fresh, const Target& target, const Fill& fill) {
  Sink sink(fresh.fd());
  if (!fill(sink)) return fillFailed(sink);
  // Writing clears set-user-ID bits (for all but root) and file capabilities: give them back.
  if (target.exists)
    if (const int err = copyIdentity(target.path, target.st, fresh.fd()))
      return Step::failedWith(err);
  if (const int err = fresh.replace(target)) return Step::failedWith(err);
  syncFolder(folderOf(target.path));
  return Step::done();
}

Step saveTo(const QByteArray& path, const Fill& fill) {
  Target target;
  if (const Step found = followLinks(path, &target); !found.ok) return found;
  if (target.exists && !S_ISREG(target.st.st_mode))
    return Step::failed(notRegularFile(target.st.st_mode));
  // A new file would leave the other names of this one with the old text.
  if (target.exists && target.st.st_nlink > 1) return writeInPlace(target.path, fill);
  QByteArray name;
  const int fd = createBeside(folderOf(target.path), nameOf(target.path), "new", 0666, &name);
  if (fd < 0) {
    const bool mayNotCreate = -fd == EACCES || -fd == EPERM;
    return target.exists && mayNotCreate ? writeInPlace(target.path, fill) : Step::failedWith(-fd);
  }
  NewFile fresh(fd, name);
  if (target.exists && copyIdentity(target.path, target.st, fd) != 0) {
    fresh.discard();
    return writeInPlace(target.path, fill);
  }
  return fillAndRename(fresh, target, fill);
}

}  // namespace

void Fd::reset(int fd) {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = fd;
}

int Fd::close() {
  const int fd = m_fd;
  m_fd = -1;
  return fd >= 0 && ::close(fd) != 0 ? errno : 0;
}

QByteArray folderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return ".";
  return slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path) { return path.mid(path.lastIndexOf('/') + 1); }

int createBeside(const QByteArray& folder, const QByteArray& name, const char* what, mode_t mode,
                 QByteArray* created) {
  qsizetype stem = std::min(name.size(), kMaxStem);
  while (stem > 0 && stem < name.size() && (uchar(name[stem]) & 0xC0) == 0x80) --stem;
  const QByteArray prefix = folder + '/' + name.left(stem) + ".ostrel-" + what + '-';
  for (int tries = 0; tries < 100; ++tries) {
    const QByteArray candidate =
        prefix + QByteArray::number(QRandomGenerator::global()->generate(), 36);
    const int fd = ::open(candidate.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      *created = candidate;
      return fd;
    }
    if (errno != EEXIST) return -errno;
  }
  return -EEXIST;
}

void syncFolder(const QByteArray& folder) {
  // A file system that cannot sync a folder (some network ones say EINVAL) still has the file;
  // the save has happened, so that is no failure.
  const Fd fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd && ::fsync(fd.get()) == 0) ++g_folderSyncs;
}

void countInPlaceSave() { ++g_inPlaceSaves; }

QString notRegularFile(mode_t mode) {
  return S_ISDIR(mode) ? QStringLiteral("Это папка, а не файл")
                       : QStringLiteral("Это не обычный файл");
}

Step fillFailed(const Sink& sink) {
  return sink.error() ? Step::failedWith(sink.error())
                      : Step::failed(QStringLiteral("Запись прервана"));
}

}  // namespace detail

bool Sink::write(QByteArrayView bytes) {
  const char* data = bytes.data();
  qsizetype left = bytes.size();
  while (left > 0 && m_error == 0) {
    const ssize_t n = ::write(m_fd, data, size_t(left));
    if (n > 0) {
      data += n;
      left -= n;
      m_written += n;
    } else if (n == 0) {
      m_error = EIO;
    } else if (errno != EINTR) {
      m_error = errno;
    }
  }
  return m_error == 0;
}

namespace {

bool report(const QString& path, const detail::Step& step, QString* error) {
  if (!step.ok && error)
    *error = QStringLiteral("Не удалось записать файл «%1»: %2")
                 .arg(QDir::toNativeSeparators(path), step.reason);
  return step.ok;
}

detail::Step appendTo(const QByteArray& path, QByteArrayView bytes) {
  using detail::Step;
  struct stat st {};
  if (::stat(path.constData(), &st) == 0 && !S_ISREG(st.st_mode))
    return Step::failed(detail::notRegularFile(st.st_mode));
  // Without waiting, should a FIFO have taken the name since.
  const detail::Fd fd(
      ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
  if (!fd) return Step::failedWith(errno);
  if (::fstat(fd.get(), &st) != 0) return Step::failedWith(errno);
  if (!S_ISREG(st.st_mode)) return Step::failed(detail::notRegularFile(st.st_mode));
  Sink sink(fd.get());
  return sink.write(bytes) ? Step::done() : Step::failedWith(sink.error());
}

}  // namespace

bool save(const QString& path, const Fill& fill, QString* error) {
  return report(path, detail::saveTo(QFile::encodeName(path), fill), error);
}

bool append(const QString& path, QByteArrayView bytes, QString* error) {
  return report(path, appendTo(QFile::encodeName(path), bytes), error);
}

QString reason(int err) {
  switch (err) {
    case ENOSPC:
    case EDQUOT:
      return QStringLiteral("Диск переполнен");
    case EACCES:
    case EPERM:
      return QStringLiteral("Нет прав на запись");
    case EROFS:
      return QStringLiteral("Файловая система доступна только для чтения");
    case ELOOP:
      return QStringLiteral("Слишком много символических ссылок");
    case EFBIG:
      return QStringLiteral("Файл превышает допустимый размер");
    case EISDIR:
      return detail::notRegularFile(S_IFDIR);
    default:
      return QString::fromLocal8Bit(std::strerror(err));
  }
}

Counters counters() { return {detail::g_folderSyncs.load(), detail::g_inPlaceSaves.load()}; }

}  // namespace platform::SafeWrite
