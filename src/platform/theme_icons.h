// Pictures of the tool bar by their freedesktop names: the desktop's icon theme first, then a
// theme the program always installs, so a button never shows a borrowed, misleading picture.
#pragma once

#include <QIcon>
#include <QString>

namespace platform {

// The theme looked in when the desktop's own theme lacks a picture.
inline constexpr const char* kFallbackIconTheme = "Tango";

// The icon of that freedesktop name; a null icon when no theme has it (the button then shows
// its caption instead).
QIcon ThemeIcon(const QString& name);

}  // namespace platform
