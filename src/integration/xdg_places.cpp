#include "integration/xdg_places.h"

#include <QDir>

namespace integration {
namespace {

// The folder a base-directory variable names, or its default under $HOME.
QString baseDir(const char* variable, const QString& underHome) {
  const QString set = qEnvironmentVariable(variable);
  if (!set.isEmpty() && QDir::isAbsolutePath(set)) return QDir::cleanPath(set);
  const QString home = qEnvironmentVariable("HOME");
  if (home.isEmpty() || !QDir::isAbsolutePath(home)) return QString();
  return QDir::cleanPath(home + u'/' + underHome);
}

}  // namespace

XdgPlaces XdgPlaces::current() {
  XdgPlaces places;
  const QString data = baseDir("XDG_DATA_HOME", QStringLiteral(".local/share"));
  const QString config = baseDir("XDG_CONFIG_HOME", QStringLiteral(".config"));
  if (data.isEmpty() || config.isEmpty()) return places;
  places.applications = data + QStringLiteral("/applications");
  places.previousDefaults = config + QStringLiteral("/ostrel/previous-defaults.list");
  places.mimeapps = config + QStringLiteral("/mimeapps.list");
  return places;
}

}  // namespace integration
