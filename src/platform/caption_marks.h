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

// Indexed elements of one window that share a kind of caption (the settings dialog's page
// selectors and frames) take their texts from the "Misc" section under keys of their own
// ("3", "3_f") rather than from the key named after the control.
inline constexpr char kMiscKey[] = "miscKey";
inline void SetMiscKey(QObject& object, const QString& key) { object.setProperty(kMiscKey, key); }
// A list whose entry i takes its text from the "Misc" key i followed by this suffix ("_c").
inline constexpr char kMiscListSuffix[] = "miscListSuffix";
inline void SetMiscListSuffix(QObject& list, const QString& suffix) {
  list.setProperty(kMiscListSuffix, suffix);
}

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
