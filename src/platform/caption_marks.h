// Marks a window or control can carry for the interface-language feature, set where the
// control is made so that the translation itself needs no list of exceptions.
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace platform {

// The caption shows data (a file name, a count, a browser's name), not a text of the program:
// interface languages leave it alone.
inline constexpr char kDataCaption[] = "dataCaption";
// Text that follows a translatable title or caption (the document's name after "Статистика",
// the version number after "Версия").
inline constexpr char kCaptionSuffix[] = "captionSuffix";

inline void MarkDataCaption(QObject& object) { object.setProperty(kDataCaption, true); }
inline bool HasDataCaption(const QObject& object) { return object.property(kDataCaption).toBool(); }

// Sets a title made of a translatable caption and a data suffix.
template <class Window>
void SetTitleWithSuffix(Window& window, const QString& caption, const QString& suffix) {
  window.setProperty(kCaptionSuffix, suffix);
  window.setWindowTitle(caption + suffix);
}

// The same for the text of a label or button.
template <class Control>
void SetTextWithSuffix(Control& control, const QString& caption, const QString& suffix) {
  control.setProperty(kCaptionSuffix, suffix);
  control.setText(caption + suffix);
}

}  // namespace platform
