// The program directory: where list files, INI files and the data sub-directories live.
// $OSTREL_HOME when set; else the executable's directory when it holds a file named
// "portable"; else the per-user data directory. Either way the installed data seeds it: each
// shipped file is copied in once, the first time a start finds it missing.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class AppPaths {
 public:
  // Works out the program directory from the environment and creates it when missing.
  // `installedData` is the folder whose contents seed a new per-user directory.
  static AppPaths detect(const QString& installedData = QString());
  explicit AppPaths(QString programDir, QString settingsFile);

  const QString& programDir() const { return m_programDir; }
  const QString& settingsFile() const { return m_settingsFile; }

  // A path inside the program directory ("Opened.lst", "Macro/start.mac"), found without
  // regard to letter case when such a file exists; else the path as spelled.
  QString file(const QString& relative) const;

  // The existing path whose components match `path` without regard to letter case; the exact
  // spelling wins when it exists. Returns `path` unchanged when nothing matches.
  static QString resolve(const QString& path);

  // Copies the files of `from` that `to` lacks and has not been offered before, keeping the
  // sub-directory structure, and records them with the checksum of each copy (ShippedRecord).
  // `fresh`: `to` was made now. A folder that was there before and has no record yet gets only
  // what stands in sub-folders it lacks, unless it is empty.
  // Several sources are one seeding: what the folder held is judged once, before any copy.
  static void seed(const QString& from, const QString& to, bool fresh = true);
  static void seed(const QStringList& sources, const QString& to, bool fresh);

 private:
  QString m_programDir;
  QString m_settingsFile;
};

}  // namespace platform
