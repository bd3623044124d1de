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
    // any place to look in. With "hicolor" the desktop has no theme of its own either; ours goes
    // first then, and hicolor stays behind it as every theme's last parent. Looking in hicolor
    // first found nothing and cost 4 ms of the start for the tool bar's pictures alone.
    const QString desktop = QIcon::themeName();
    if (desktop.isEmpty() || desktop == QLatin1String("hicolor"))
      QIcon::setThemeName(QString::fromLatin1(kFallbackIconTheme));
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
