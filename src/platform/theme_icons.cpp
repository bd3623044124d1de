#include "platform/theme_icons.h"

#include <QStandardPaths>
#include <QStringList>

namespace platform {

QIcon ThemeIcon(const QString& name) {
  static const bool fallbackSet = [] {
    // Without a desktop (a bare window manager) Qt's theme is "hicolor", which holds no
    // pictures of actions at all.
    QIcon::setFallbackThemeName(QString::fromLatin1(kFallbackIconTheme));
    // Without any platform theme (offscreen) there is no desktop theme to look in first, nor
    // any place to look in.
    if (QIcon::themeName().isEmpty()) QIcon::setThemeName(QString::fromLatin1(kFallbackIconTheme));
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& dir : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                                       QStringLiteral("icons"),
                                                       QStandardPaths::LocateDirectory))
      if (!paths.contains(dir)) paths << dir;
    QIcon::setThemeSearchPaths(paths);
    return true;
  }();
  Q_UNUSED(fallbackSet);
  return QIcon::fromTheme(name);
}

}  // namespace platform
