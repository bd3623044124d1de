// Helpers for tests that work with real files: whole-file reads and writes, and ways to make
// writes fail that hold even for root, whom file permissions do not stop.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <functional>

namespace test_files {

inline QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// The path as the system calls take it.
inline QByteArray local(const QString& path) { return QFile::encodeName(path); }

// What lstat says of the path; a failure fails the test.
inline struct stat statOf(const QString& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(local(path).constData(), &st), 0) << path.toStdString();
  return st;
}

inline bool put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// While alive, a write past `bytes` into any file fails, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of killing us
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_savedHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool active() const { return m_active; }

 private:
  rlimit m_saved{};
  bool m_active = false;
  void (*m_savedHandler)(int) = nullptr;
};

// While alive, a file or folder is immutable: no one, root included, may change it, and a folder
// takes no new names, though the files already in it stay writable. Not every file system keeps
// the flag, and setting it needs the right to: see active().
class Immutable {
 public:
  explicit Immutable(const QString& path)
      : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    m_active = m_fd >= 0 && setFlag(true);
  }
  ~Immutable() {
    if (m_active) setFlag(false);
    if (m_fd >= 0) ::close(m_fd);
  }
  Immutable(const Immutable&) = delete;
  Immutable& operator=(const Immutable&) = delete;
  bool active() const { return m_active; }

 private:
  bool setFlag(bool on) {
    int flags = 0;
    if (::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) != 0) return false;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    return ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  int m_fd;
  bool m_active = false;
};

// Runs `work` in a child process and returns what it returned (empty when the child died), for
// what this process must not do itself: take another user's identity, mount on its own.
inline QString inChild(const std::function<QString()>& work) {
  int ends[2];
  if (::pipe(ends) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ends[0]);
    const QByteArray bytes = work().toUtf8();
    const bool sent = ::write(ends[1], bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::_exit(sent ? 0 : 1);  // no destructors: the parent's temporary folders are not the child's
  }
  ::close(ends[1]);
  QByteArray got;
  char buffer[4096];
  for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) got.append(buffer, n);
  ::close(ends[0]);
  if (child > 0) ::waitpid(child, nullptr, 0);
  return QString::fromUtf8(got);
}

}  // namespace test_files
