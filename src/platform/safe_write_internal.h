// What the files of SafeWrite share. Nothing outside src/platform/safe_write*.cpp
// includes this header.
#pragma once

#include <sys/stat.h>

#include <QByteArray>
#include <QString>

#include "platform/safe_write.h"

namespace platform::SafeWrite::detail {

// The outcome of one stage of a save: done, or failed with the reason the user reads.
struct Step {
  bool ok = true;
  QString reason;
  static Step done() { return {}; }
  static Step failed(const QString& why) { return {false, why}; }
  static Step failedWith(int err) { return failed(SafeWrite::reason(err)); }
};

// A file descriptor closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd = -1) : m_fd(fd) {}
  ~Fd() { reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return m_fd; }
  explicit operator bool() const { return m_fd >= 0; }
  void reset(int fd = -1);
  // Closes now and returns the errno of a close that failed (a late write error), else 0.
  int close();

 private:
  int m_fd;
};

QByteArray folderOf(const QByteArray& path);
QByteArray nameOf(const QByteArray& path);

// Creates a file of a new name "<folder>/<name>.ostrel-<what>-<random>", for writing, with
// `mode` (as the system trims it for new files). Returns the descriptor, or -errno.
int createBeside(const QByteArray& folder, const QByteArray& name, const char* what, mode_t mode,
                 QByteArray* created);

// Syncs a folder so a name just made or changed in it survives a power cut. Counted.
void syncFolder(const QByteArray& folder);

// Gives the open new file `fd` what makes the file at `oldPath` (status `old`) itself: owner,
// group, extended attributes (ACLs among them) and mode, changing only what differs. Returns 0,
// or the errno of what could not be given.
int copyIdentity(const QByteArray& oldPath, const struct stat& old, int fd);

// Rewrites the existing regular file `target` in place through `fill`, guarded by a safety copy.
Step writeInPlace(const QByteArray& target, const Fill& fill);
void countInPlaceSave();

// Why a path that names something other than a regular file cannot be written.
QString notRegularFile(mode_t mode);
// Why a writer stopped: the failed write's reason, or that it gave up on its own.
Step fillFailed(const Sink& sink);

}  // namespace platform::SafeWrite::detail
