// The record of the shipped files a program directory has been offered ("Shipped.lst"), with the
// checksum of each copy the program made, so a later version can tell a copy nobody edited (and
// may replace) from the user's own text.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

class ShippedRecord {
 public:
  // The record in `dir`; an empty one when the file is missing (see exists()). A record written
  // before checksums were kept reads as the same paths without checksums.
  static ShippedRecord read(const QString& dir);
  // Writes every path, each with its checksum when one is known. False when the write failed.
  bool write(const QString& dir) const;

  bool exists() const { return m_exists; }
  const QStringList& paths() const { return m_paths; }
  bool offered(const QString& relative) const { return m_paths.contains(relative); }
  // Notes a path as offered; `checksum` is that of the copy made of it, empty when none was.
  void add(const QString& relative, const QByteArray& checksum = {});
  // The checksum recorded for the copy of `relative`, empty when none was made or recorded.
  QByteArray checksum(const QString& relative) const { return m_checksums.value(relative); }

  // True when the copy of `relative` in `dir` is byte for byte what was copied there: a shipped
  // file the user never edited. False for a file without a recorded checksum, or one missing.
  bool unedited(const QString& dir, const QString& relative) const;

  // The checksum the record keeps: SHA-256 of the file's bytes, in lower-case hex; empty when
  // the file cannot be read.
  static QByteArray FileChecksum(const QString& path);

  static constexpr char kFileName[] = "Shipped.lst";

 private:
  bool m_exists = false;
  QStringList m_paths;
  QHash<QString, QByteArray> m_checksums;
};

}  // namespace platform
