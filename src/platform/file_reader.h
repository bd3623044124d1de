// Reading a whole document file safely: regular files only, opened without blocking (a named
// pipe would wait for a writer for ever), and read with ordinary reads, since a mapped file
// kills the program when another program truncates it.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

struct FileContents {
  QByteArray bytes;
  // The file changed size while it was read: `bytes` holds what was read, which may be neither
  // the old nor the new content.
  bool partial = false;
};

// Called after each piece with the bytes read so far; lets a test change the file mid-read.
using BetweenPieces = std::function<void(qint64 readSoFar)>;

// A file kept open after it was read whole, to be read again a stretch at a time: through its
// descriptor, so that a file renamed or replaced meanwhile is never taken for it.
class OpenFile {
 public:
  OpenFile(int fd, qint64 size, qint64 changeTime);
  ~OpenFile();
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  // Reads up to `size` bytes at `offset` into `to`: the bytes read, 0 at the end of the file,
  // -1 on an error.
  qint64 readAt(qint64 offset, char* to, qint64 size) const;
  // The file's size or content has changed since it was read whole, as far as the system tells.
  bool changed() const;

 private:
  int m_fd;
  qint64 m_size;
  qint64 m_changeTime;  // of the content, in nanoseconds
};

// The whole file at `path`; nullopt with a Russian reason in `error` when it cannot be read or
// is not a regular file (a folder, a named pipe, a device). With `keep`, a file read whole and
// unchanged is also kept open there.
std::optional<FileContents> ReadRegularFile(const QString& path, QString* error = nullptr,
                                            const BetweenPieces& between = {},
                                            std::unique_ptr<OpenFile>* keep = nullptr);

// "Не удалось прочитать файл «path»: <reason>" for a read that failed with `error` (errno).
QString CannotRead(const QString& path, int error);

// Why `path` cannot be opened as a document ("это папка", ...); "" when it is a regular file or
// does not exist (the read itself then says what is wrong).
QString NotARegularFile(const QString& path);

}  // namespace platform
