#include "shell/window_placement.h"

#include <QScreen>
#include <cmath>
#include <QWidget>

#include "platform/settings_store.h"

namespace shell {
namespace {

double dpi(const QWidget& window) {
  const QScreen* screen = window.screen();
  const double value = screen ? screen->logicalDotsPerInch() : 96.0;
  return value > 0 ? value : 96.0;
}

QString twipsText(int pixels, const QWidget& window) {
  return QString::number(float(PixelsToTwips(pixels, window)), 'g', 7);
}

// The stored pixels of one value, or `current` when it is missing or not a number.
int storedPixels(const platform::SettingsStore& settings, const QString& name, const QString& part,
                 const QWidget& window, int current) {
  const QString text = settings.ReadSetting(QString::fromUtf8(platform::kSettingsKey),
                                            name + "_" + part, QString());
  bool ok = false;
  const double twips = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(twips) || std::abs(twips) > 1e7) return current;
  return TwipsToPixels(twips, window);
}

void write(platform::SettingsStore& settings, const QString& name, const QString& part,
           const QString& value) {
  settings.WriteSetting(QString::fromUtf8(platform::kSettingsKey), name + "_" + part, value);
}

}  // namespace

double PixelsToTwips(int pixels, const QWidget& window) { return pixels * 1440.0 / dpi(window); }
int TwipsToPixels(double twips, const QWidget& window) {
  return int(std::lround(twips * dpi(window) / 1440.0));
}

void RestorePosition(QWidget& window, const platform::SettingsStore& settings,
                     const QString& name) {
  const int top = storedPixels(settings, name, "Top", window, window.y());
  const int left = storedPixels(settings, name, "Left", window, window.x());
  window.move(left, top);
}

void StorePosition(const QWidget& window, platform::SettingsStore& settings, const QString& name) {
  write(settings, name, "Top", twipsText(window.y(), window));
  write(settings, name, "Left", twipsText(window.x(), window));
}

void RestorePlacement(QWidget& window, const platform::SettingsStore& settings,
                      const QString& name) {
  RestorePosition(window, settings, name);
  const int height = storedPixels(settings, name, "Height", window, window.height());
  const int width = storedPixels(settings, name, "Width", window, window.width());
  if (height > 0 && width > 0) window.resize(width, height);
}

void StorePlacement(const QWidget& window, platform::SettingsStore& settings,
                    const QString& name) {
  write(settings, name, "Left", twipsText(window.x(), window));
  write(settings, name, "Top", twipsText(window.y(), window));
  write(settings, name, "Height", twipsText(window.height(), window));
  write(settings, name, "Width", twipsText(window.width(), window));
}

}  // namespace shell
