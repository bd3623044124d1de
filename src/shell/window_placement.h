// Window places kept in the settings key as twips in decimal text: "<Name>_Left", "_Top" and,
// for the main window, "_Height" and "_Width".
#pragma once

#include <QString>

class QWidget;

namespace platform {
class SettingsStore;
}

namespace shell {

double PixelsToTwips(int pixels, const QWidget& window);
int TwipsToPixels(double twips, const QWidget& window);

// Each value missing or unreadable keeps the window's current value.
void RestorePosition(QWidget& window, const platform::SettingsStore& settings, const QString& name);
void StorePosition(const QWidget& window, platform::SettingsStore& settings, const QString& name);
// Top, left, height and width, in that order.
void RestorePlacement(QWidget& window, const platform::SettingsStore& settings, const QString& name);
void StorePlacement(const QWidget& window, platform::SettingsStore& settings, const QString& name);

}  // namespace shell
