// Reading a whole document file safely: regular files only, opened without blocking (a named
// pipe would wait for a writer for ever), and read with ordinary reads, since a mapped file
// kills the program when another program truncates it.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
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

// The whole file at `path`; nullopt with a Russian reason in `error` when it cannot be read or
// is not a regular file (a folder, a named pipe, a device).
std::optional<FileContents> ReadRegularFile(const QString& path, QString* error = nullptr,
                                            const BetweenPieces& between = {});

// Why `path` cannot be opened as a document ("это папка", ...); "" when it is a regular file or
// does not exist (the read itself then says what is wrong).
QString NotARegularFile(const QString& path);

}  // namespace platform
