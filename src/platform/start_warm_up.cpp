#include "platform/start_warm_up.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <QDir>

namespace platform {

StartWarmUp::StartWarmUp(QString imagePluginDir)
    : m_worker([dir = std::move(imagePluginDir)] {
        // FcInit is safe to race: a second caller finds the configuration loaded or builds its
        // own and drops it, and Qt calls it again itself in any case.
        FcInit();
        // Left mapped on purpose: Qt opens the same files and shares the mapping. A file that
        // does not load is left for Qt to judge.
        for (const QString& name : QDir(dir).entryList({QStringLiteral("*.so")}, QDir::Files))
          dlopen(QFile::encodeName(dir + QLatin1Char('/') + name).constData(), RTLD_LAZY);
      }) {}

StartWarmUp::~StartWarmUp() {
  if (m_worker.joinable()) m_worker.join();
}

}  // namespace platform
