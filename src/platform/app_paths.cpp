#include "platform/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "platform/shipped_record.h"

namespace platform {
namespace {

QString installedDataDir(const QString& hint) {
  if (!hint.isEmpty()) return hint;
  // Next to the executable first, so a build tree finds the sources' data/ folder too.
  const QString appDir = QCoreApplication::applicationDirPath();
  for (const QString& candidate :
       {appDir + "/data", appDir + "/../data", appDir + "/../share/ostrel",
        QStringLiteral(OSTREL_DATA_DIR)}) {
    if (QFileInfo(candidate).isDir()) return QDir(candidate).absolutePath();
  }
  return QString();
}

// Where a new or older program directory gets its shipped files from: the data, and the
// files made for this machine (the example plug-ins). An installation keeps those apart, the
// data in share/ostrel and the plug-ins in lib/ostrel; a build tree has the sources' data/ and
// share/ostrel beside the program for what the build makes.
QStringList seedSources(const QString& hint) {
  QStringList sources;
  const QString data = installedDataDir(hint);
  if (!data.isEmpty()) sources << data;
  if (!hint.isEmpty()) return sources;
  const QString appDir = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {appDir + "/share/ostrel", appDir + "/../lib/ostrel"}) {
    const QFileInfo place(candidate);
    if (place.isDir() && !sources.contains(place.absoluteFilePath()))
      sources << place.absoluteFilePath();
  }
  return sources;
}

// Creates a folder of the program's own, readable by its user alone: it holds the recent files,
// the macros and the settings, which are nobody else's business. A folder that exists is left
// as its owner set it up.
void makePrivateDir(const QString& path) {
  if (QFileInfo::exists(path)) return;
  QDir().mkpath(path);
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner);
}

// True when `relative` stands in a sub-folder that none of the folder's entries `before` names.
bool isNewKind(const QString& relative, const QStringList& before) {
  if (!relative.contains('/')) return false;
  const QString top = relative.section('/', 0, 0);
  return std::none_of(before.begin(), before.end(), [&top](const QString& entry) {
    return entry.compare(top, Qt::CaseInsensitive) == 0;
  });
}

// Copies a shipped file, writable by its user like every file of theirs; returns the checksum of
// the copy, empty when it failed.
QByteArray copyShipped(const QString& src, const QString& dst) {
  QDir().mkpath(QFileInfo(dst).absolutePath());
  if (!QFile::copy(src, dst)) return {};
  QFile(dst).setPermissions(QFile(dst).permissions() | QFileDevice::WriteOwner);
  return ShippedRecord::FileChecksum(dst);
}

}  // namespace

AppPaths::AppPaths(QString programDir, QString settingsFile)
    : m_programDir(std::move(programDir)), m_settingsFile(std::move(settingsFile)) {}

AppPaths AppPaths::detect(const QString& installedData) {
  const QString home = qEnvironmentVariable("OSTREL_HOME");
  if (!home.isEmpty()) {
    const bool firstStart = !QFileInfo::exists(home);
    makePrivateDir(home);
    const QString dir = QDir(home).absolutePath();
    seed(seedSources(installedData), dir, firstStart);
    return AppPaths(dir, dir + "/settings.ini");
  }
  const QString appDir = QCoreApplication::applicationDirPath();
  if (QFileInfo::exists(appDir + "/portable")) return AppPaths(appDir, appDir + "/settings.ini");

  const QString dir =
      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/ostrel";
  const QString config =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/ostrel";
  const bool firstStart = !QFileInfo::exists(dir);
  makePrivateDir(dir);
  makePrivateDir(config);
  seed(seedSources(installedData), dir, firstStart);
  return AppPaths(dir, config + "/settings.ini");
}

QString AppPaths::file(const QString& relative) const {
  return resolve(m_programDir + "/" + relative);
}

QString AppPaths::resolve(const QString& path) {
  if (path.isEmpty() || QFileInfo::exists(path)) return path;
  const bool absolute = path.startsWith('/');
  const QStringList parts = path.split('/', Qt::SkipEmptyParts);
  QString current = absolute ? QStringLiteral("/") : QStringLiteral(".");
  for (const QString& part : parts) {
    const QString exact = QDir(current).filePath(part);
    if (QFileInfo::exists(exact)) {
      current = exact;
      continue;
    }
    const QStringList entries =
        QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    auto match = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
      return e.compare(part, Qt::CaseInsensitive) == 0;
    });
    if (match == entries.end()) return path;
    current = QDir(current).filePath(*match);
  }
  return absolute ? current : QDir::cleanPath(current);
}

void AppPaths::seed(const QString& from, const QString& to, bool fresh) {
  seed(QStringList{from}, to, fresh);
}

void AppPaths::seed(const QStringList& sources, const QString& to, bool fresh) {
  ShippedRecord record = ShippedRecord::read(to);
  // What the folder held before anything was brought in: an empty one, like a new one, cannot
  // lack a file because its user removed it.
  const QStringList before = QDir(to).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                QDir::NoDotAndDotDot);
  const bool everything = fresh || record.exists() || before.isEmpty();
  bool changed = false;
  for (const QString& from : sources) {
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    const QDir source(from);
    while (it.hasNext()) {
      const QString src = it.next();
      const QString rel = source.relativeFilePath(src);
      if (rel.endsWith(".desktop")) continue;  // the desktop entry belongs to the system
      // Each shipped file is offered once: one the user removed later stays removed.
      if (record.offered(rel)) continue;
      // Into the folder of that name the user has, whatever its letter case.
      const QString dst =
          resolve(QFileInfo(to + "/" + rel).path()) + "/" + QFileInfo(rel).fileName();
      // A folder set up before files were recorded may lack a file because its user removed
      // it; only what stands in a folder it has never had (a new kind of data) is brought in.
      if (QFileInfo::exists(resolve(dst)) || (!everything && !isNewKind(rel, before))) {
        record.add(rel);
        changed = true;
        continue;
      }
      // A copy that failed is not recorded, so the next start tries again.
      if (const QByteArray sum = copyShipped(src, dst); !sum.isEmpty()) {
        record.add(rel, sum);
        changed = true;
      }
    }
  }
  if (changed) record.write(to);
}

}  // namespace platform
