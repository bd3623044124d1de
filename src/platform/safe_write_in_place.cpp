// Rewriting a file in place, for when a new file could not take its place without changing it
// (other hard links, an owner or attribute the program cannot give, a folder that takes no new
// file). A complete copy of the old content is on the disk first, so a crash at any moment leaves
// the old text (in the copy) or the new one, and a failed write puts the old text back.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>

#include "platform/safe_write_internal.h"

namespace platform::SafeWrite::detail {
namespace {

constexpr qsizetype kCopyBuffer = qsizetype(1) << 20;

// Copies everything from the start of `from` to the start of `to`. Returns the number of bytes
// copied, or -errno.
qint64 copyContent(int from, int to) {
  QByteArray buffer(kCopyBuffer, Qt::Uninitialized);
  qint64 done = 0;
  for (;;) {
    const ssize_t got = ::pread(from, buffer.data(), size_t(buffer.size()), done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -errno;
    if (got == 0) return done;
    for (ssize_t put = 0; put < got;) {
      const ssize_t n = ::pwrite(to, buffer.constData() + put, size_t(got - put), done + put);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return n < 0 ? -errno : -EIO;
      put += n;
    }
    done += got;
  }
}

// Where a safety copy goes when the file's own folder takes no new file: the user's cache, which
// is on the disk (a runtime folder would not outlive a power cut).
QByteArray cacheFolder() {
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  if (cache.isEmpty()) return {};
  const QString folder = cache + QStringLiteral("/ostrel/safety-copies");
  QDir().mkpath(folder);
  return QFile::encodeName(folder);
}

// A synced copy of a file's old content. It stays on the disk unless removed: after a crash or
// a failed restore it is the old text.
class SafetyCopy {
 public:
  // Makes the copy beside the file, else in the cache folder.
  Step make(int source, const QByteArray& target) {
    int err = makeIn(folderOf(target), source, nameOf(target));
    const QByteArray cache = err ? cacheFolder() : QByteArray();
    if (err && !cache.isEmpty()) err = makeIn(cache, source, nameOf(target));
    if (!err) return Step::done();
    return Step::failed(QStringLiteral("Не удалось сделать страховочную копию прежнего текста "
                                       "(%1), поэтому файл не тронут")
                            .arg(reason(err)));
  }
  // Puts the old content back into `fd`.
  bool restoreInto(int fd) const {
    const qint64 copied = copyContent(m_fd.get(), fd);
    return copied >= 0 && ::ftruncate(fd, copied) == 0 && ::fsync(fd) == 0;
  }
  void remove() {
    m_fd.reset();
    if (!m_path.isEmpty()) ::unlink(m_path.constData());
    m_path.clear();
  }
  QString path() const { return QDir::toNativeSeparators(QFile::decodeName(m_path)); }

 private:
  int makeIn(const QByteArray& folder, int source, const QByteArray& name) {
    const int fd = createBeside(folder, name, "safety-copy", 0600, &m_path);
    if (fd < 0) return -fd;
    m_fd.reset(fd);
    const qint64 copied = copyContent(source, fd);
    int err = copied < 0 ? int(-copied) : 0;
    if (!err && ::fsync(fd) != 0) err = errno;
    if (err) {
      remove();
      return err;
    }
    syncFolder(folder);
    return 0;
  }

  Fd m_fd;
  QByteArray m_path;
};

}  // namespace

Step writeInPlace(const QByteArray& target, const Fill& fill) {
  // Without waiting: were a FIFO put in the file's place since it was looked at, opening it for
  // writing would wait for a reader.
  const Fd fd(::open(target.constData(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
  if (!fd) return Step::failedWith(errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Step::failedWith(errno);
  if (!S_ISREG(st.st_mode)) return Step::failed(notRegularFile(st.st_mode));
  SafetyCopy copy;
  if (const Step made = copy.make(fd.get(), target); !made.ok) return made;
  Sink sink(fd.get());
  Step written = fill(sink) ? Step::done() : fillFailed(sink);
  if (written.ok && ::ftruncate(fd.get(), sink.written()) != 0) written = Step::failedWith(errno);
  if (written.ok && ::fsync(fd.get()) != 0) written = Step::failedWith(errno);
  if (written.ok) {
    copy.remove();
    countInPlaceSave();
    return written;
  }
  if (copy.restoreInto(fd.get())) {
    copy.remove();
    return written;
  }
  return Step::failed(written.reason +
                      QStringLiteral(". Прежний текст сохранён в «%1»").arg(copy.path()));
}

}  // namespace platform::SafeWrite::detail
