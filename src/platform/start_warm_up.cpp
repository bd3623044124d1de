#include "platform/start_warm_up.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <QFile>
#include <QThread>
#include <vector>

namespace platform {
namespace {

// The plug-in files of a folder, listed with the C library: see below why not with Qt.
std::vector<QByteArray> sharedObjects(const QByteArray& dir) {
  std::vector<QByteArray> files;
  DIR* listing = opendir(dir.constData());
  if (!listing) return files;
  while (const dirent* entry = readdir(listing)) {
    const QByteArray name(entry->d_name);
    if (name.endsWith(".so")) files.push_back(dir + '/' + name);
  }
  closedir(listing);
  return files;
}

}  // namespace

StartWarmUp::StartWarmUp(QString imagePluginDir) {
  // Qt takes the first thread that asks for its thread data for the main thread. Asked here
  // first, it is this one; the worker then touches nothing of Qt's that is tied to a thread (no
  // QObject, no QFile, no QDir). Taken for the main thread, it left the window never shown now
  // and then.
  QThread::currentThread();
  m_worker = std::thread([dir = QFile::encodeName(imagePluginDir)] {
    // FcInit is safe to race: a second caller finds the configuration loaded or builds its own
    // and drops it, and Qt calls it again itself in any case.
    FcInit();
    // Left mapped on purpose: Qt opens the same files and shares the mapping. A file that does
    // not load is left for Qt to judge.
    for (const QByteArray& file : sharedObjects(dir)) dlopen(file.constData(), RTLD_LAZY);
  });
}

StartWarmUp::~StartWarmUp() {
  if (m_worker.joinable()) m_worker.join();
}

}  // namespace platform
