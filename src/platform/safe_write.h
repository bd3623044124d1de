// Replacing a whole file so that a failure at any moment leaves its old text or its new one, and
// the file stays the same file: its owner, group, mode, extended attributes (ACLs among them) and
// its other hard links.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>

namespace platform::SafeWrite {

// Where a save's writer puts the bytes, in order from the start of the file. Writes go straight
// to the system, unbuffered, so a failed write is seen by the call that made it; after one
// failure every later write fails too.
class Sink {
 public:
  explicit Sink(int fd) : m_fd(fd) {}
  bool write(QByteArrayView bytes);
  int handle() const { return m_fd; }
  qint64 written() const { return m_written; }
  int error() const { return m_error; }  // the errno of the failed write; 0 while none failed

 private:
  int m_fd;
  qint64 m_written = 0;
  int m_error = 0;
};

// Writes the new content; returns false when a write failed or when it gave up on its own.
using Fill = std::function<bool(Sink&)>;

// Writes the file `path` whole through `fill`.
// - A symbolic link is written through to its target, so the link stays a link; a link whose
//   target is missing creates the target. A loop of links fails.
// - Only a regular file is written: a folder, a FIFO or a device fails at once.
// - The usual way: a new file beside the old one gets the old one's owner, group, extended
//   attributes and mode, then is renamed over it, and the folder is synced so the new name
//   survives a power cut.
// - When the rename would change the file (more than one hard link; an owner, group or attribute
//   the program cannot give a new file; no right to create a file in the folder), the file is
//   rewritten in place instead, but only once a complete copy of the old content is synced to
//   disk (beside the file, else in the user's cache folder); the copy is removed after success.
// On failure the old file is left as it was, and `error` (when given) reads
// "Не удалось записать файл «path»: reason".
bool save(const QString& path, const Fill& fill, QString* error);

// Adds `bytes` to the end of the regular file `path`, creating it when missing; fails at once on
// a folder, a FIFO or a device. Errors read as save's do.
bool append(const QString& path, QByteArrayView bytes, QString* error);

// Why the system refused, with errno `err`, in the user's words: the common reasons have the
// program's own text, the rest the system's.
QString reason(int err);

// What saves have done since the program started. A folder sync or the way a file was written
// leaves no trace in the files, so tests look here.
struct Counters {
  int folderSyncs = 0;   // folders synced after a rename or a safety copy
  int inPlaceSaves = 0;  // saves completed by rewriting the file in place
};
Counters counters();

}  // namespace platform::SafeWrite
