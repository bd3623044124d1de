#include "platform/theme_icons.h"

namespace platform {

QIcon ThemeIcon(const QString& name) {
  static const bool fallbackSet = [] {
    // Without a desktop (a bare window manager) Qt's theme is "hicolor", which holds no
    // pictures of actions at all.
    QIcon::setFallbackThemeName(QString::fromLatin1(kFallbackIconTheme));
    return true;
  }();
  Q_UNUSED(fallbackSet);
  return QIcon::fromTheme(name);
}

}  // namespace platform
