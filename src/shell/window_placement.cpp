#include "shell/window_placement.h"

#include <QScreen>
#include <QEvent>
#include <QTimer>
#include <cmath>
#include <optional>
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

// The stored pixels of one value; nullopt when it is missing or not a number.
std::optional<int> storedPixels(const platform::SettingsStore& settings, const QString& name,
                                const QString& part, const QWidget& window) {
  const QString text = settings.ReadSetting(QString::fromUtf8(platform::kSettingsKey),
                                            name + "_" + part, QString());
  const bool size = part == u"Height" || part == u"Width";
  const auto twips =
      platform::CheckedNumber(text, size ? platform::kTwipsSizeRange : platform::kTwipsRange);
  if (!twips) return std::nullopt;
  return TwipsToPixels(*twips, window);
}

// A window moved before it is shown has no frame yet, and some window managers then put its
// inside, not its frame, at the place asked for: the window crept up by one title bar at each
// opening. Once the window manager has framed the shown window, the frame is put where it was
// stored. The placer gives up after a moment, so it never fights the user moving the window.
class FramePlacer : public QObject {
 public:
  FramePlacer(QWidget& window, QPoint frame) : QObject(&window), m_window(window), m_frame(frame) {
    window.installEventFilter(this);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &FramePlacer::check);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) m_timer.start();
    return false;
  }

 private:
  void check() {
    const QPoint frame = m_window.frameGeometry().topLeft();
    const bool framed = frame != m_window.geometry().topLeft();
    if (framed && frame != m_frame) m_window.move(m_frame);
    if (framed || ++m_ticks >= kTicks) deleteLater();
  }

  static constexpr int kTickMs = 20;
  static constexpr int kTicks = 50;
  QWidget& m_window;
  QPoint m_frame;
  QTimer m_timer;
  int m_ticks = 0;
};

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
  const std::optional<int> top = storedPixels(settings, name, "Top", window);
  const std::optional<int> left = storedPixels(settings, name, "Left", window);
  // Nothing stored: the window system places it (a dialog centres over its owner). A value
  // that cannot be read keeps the window's current one.
  if (!top && !left) return;
  const QPoint frame(left.value_or(window.x()), top.value_or(window.y()));
  window.move(frame);
  if (!window.isVisible()) new FramePlacer(window, frame);
}

void StorePosition(const QWidget& window, platform::SettingsStore& settings, const QString& name) {
  write(settings, name, "Top", twipsText(window.y(), window));
  write(settings, name, "Left", twipsText(window.x(), window));
}

void RestorePlacement(QWidget& window, const platform::SettingsStore& settings,
                      const QString& name) {
  RestorePosition(window, settings, name);
  const int height = storedPixels(settings, name, "Height", window).value_or(window.height());
  const int width = storedPixels(settings, name, "Width", window).value_or(window.width());
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
