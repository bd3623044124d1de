// Interface languages: a language file replaces the captions of windows, menu items, buttons,
// labels, check boxes, option buttons and frames, found by the control's objectName.
//
// A file is an INI file. A window's title is the key "Form Caption" in the section named after
// the window ("frmConvert"). A control's caption is the key named after the control in the one
// section of its kind, the same in every file (kSection... below); all elements of a menu array
// share one key. The section "Misc" holds the texts that are not the caption of one named
// control. A key the file lacks leaves the program's own caption; going back to the built-in
// language restores every caption a file replaced.
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "platform/ini_file.h"

class QObject;
class QWidget;

namespace languages {

inline constexpr char kSectionMenu[] = "Menu";
inline constexpr char kSectionButton[] = "CommandButton";
inline constexpr char kSectionLabel[] = "Label";
inline constexpr char kSectionCheckBox[] = "CheckBox";
inline constexpr char kSectionOption[] = "OptionButton";
inline constexpr char kSectionFrame[] = "Frame";
inline constexpr char kSectionMisc[] = "Misc";
inline constexpr char kFormCaption[] = "Form Caption";
// The "Misc" key naming the language of Qt's own dialogs ("en", "de"...); English when absent.
inline constexpr char kQtLanguageKey[] = "QtLanguage";

class Translation {
 public:
  // The built-in Russian: every caption as the program made it.
  Translation() = default;
  // A language file; a missing or unreadable one translates nothing.
  static Translation load(const QString& path, bool builtIn = false);

  std::optional<QString> value(const QString& section, const QString& key) const {
    return m_file.value(section, key);
  }
  bool isBuiltIn() const { return m_builtIn; }
  bool isEmpty() const { return m_file.isEmpty(); }
  // The language Qt's own dialogs speak with this file.
  QString qtLanguage() const;

 private:
  platform::IniSnapshot m_file;
  bool m_builtIn = true;
};

// The section of a control's kind, or nullptr for objects without a translatable caption.
const char* SectionOf(const QObject& object);

// Translates `root` and every window and control inside it. Controls without an objectName or
// caption, and captions marked as data, are left alone; a menu item keeps the key text after
// its Tab.
void ApplyLanguage(const Translation& language, QWidget& root);

// Only the indexed elements whose texts live in "Misc" (page selectors and frames marked with
// a Misc key, entries of lists marked with a Misc suffix); ApplyLanguage includes this.
void ApplySettingsLanguage(const Translation& language, QWidget& dialog);

// Every caption ApplyLanguage would look up in `root`, with the section and key it uses and
// the text it shows now: what a language file must hold to translate the window whole. A
// captioned control without a name, which no file can reach, comes with an empty key.
struct CaptionKey {
  QString section;
  QString key;
  QString text;
};
QList<CaptionKey> TranslatableCaptions(QWidget& root);

}  // namespace languages
