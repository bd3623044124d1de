#include "automation/macro_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace automation {
namespace {

bool exists(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QString joined(const QString& folder, const QString& name) {
  if (folder.isEmpty()) return name;
  return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// The entry of `folder` spelled like `name` but for letter case; "" when there is none.
QString entryLike(const QString& folder, const QString& name) {
  const QStringList entries =
      QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
          .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                     QDir::Name);
  for (const QString& entry : entries)
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
  return QString();
}

// Regular files and links to anything but a folder; a link is removed as a link.
bool removeFile(const QString& path) {
  const QByteArray local = QFile::encodeName(path);
  struct stat st {};
  if (::lstat(local.constData(), &st) != 0) return false;
  if (S_ISLNK(st.st_mode)) {
    struct stat target {};
    if (::stat(local.constData(), &target) == 0 && S_ISDIR(target.st_mode)) return false;
  } else if (!S_ISREG(st.st_mode)) {
    return false;
  }
  return ::unlink(local.constData()) == 0;
}

}  // namespace

QString ResolveLoweredPath(const QString& path) {
  if (path.isEmpty() || exists(path)) return path;
  const QStringList parts = path.split(u'/');
  const bool absolute = path.startsWith(u'/');
  QString current = absolute ? QStringLiteral("/") : QString();
  qsizetype i = absolute ? 1 : 0;
  for (; i < parts.size(); ++i) {
    const QString& part = parts[i];
    if (part.isEmpty()) continue;  // a doubled or final "/"
    const QString exact = joined(current, part);
    if (part == u'.' || part == QStringLiteral("..") || exists(exact)) {
      current = exact;
      continue;
    }
    const QString entry = entryLike(current, part);
    if (entry.isEmpty()) break;
    current = joined(current, entry);
  }
  // What exists in no spelling stays as the script wrote it.
  for (; i < parts.size(); ++i) current = joined(current, parts[i]);
  return current;
}

bool MatchesWildcard(QStringView name, QStringView pattern) {
  if (name.startsWith(u'.') && !pattern.startsWith(u'.')) return false;
  const auto same = [](QChar a, QChar b) { return a.toCaseFolded() == b.toCaseFolded(); };
  qsizetype n = 0, p = 0;
  qsizetype starAt = -1, resumeAt = 0;  // the last "*" and where its run would end next
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      starAt = p++;
      resumeAt = n;
    } else if (p < pattern.size() && (pattern[p] == u'?' || same(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (starAt >= 0) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

int KillFiles(const QString& path) {
  const qsizetype slash = path.lastIndexOf(u'/');
  const QString name = path.mid(slash + 1);
  if (name.isEmpty()) return 0;
  if (!name.contains(u'*') && !name.contains(u'?')) return removeFile(ResolveLoweredPath(path));
  const QString folder =
      slash < 0 ? QStringLiteral(".") : ResolveLoweredPath(slash == 0 ? "/" : path.left(slash));
  int removed = 0;
  const QStringList entries =
      QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& entry : entries)
    if (MatchesWildcard(entry, name) && removeFile(joined(folder, entry))) ++removed;
  return removed;
}

}  // namespace automation
