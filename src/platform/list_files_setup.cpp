#include "platform/list_files_setup.h"

#include <QFile>
#include <QFileInfo>

#include "platform/app_paths.h"

namespace platform {

QStringList EnsureListFiles(const AppPaths& paths) {
  static const char* const kNames[] = {"Programs.lst", "Searches.lst", "Main.ocl", "Multies.lst",
                                       "Multi.lst",    "LastMr.lst",   "Hotkeys.ini"};
  QStringList created;
  for (const char* name : kNames) {
    const QString path = paths.file(QString::fromUtf8(name));
    if (QFileInfo::exists(path)) continue;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) created << QString::fromUtf8(name);
  }
  return created;
}

}  // namespace platform
