// Controls of the settings dialog bound to one settings value each: filled from the value when
// made, and writing it the moment the user changes it.
#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "platform/settings_store.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace shell {
class FrmMain;
}

namespace settings {

// How the program's own reader takes a check box's value: some compare with "1", others
// accept any non-zero number or "True". The box shows what the reader would see.
enum class Reading { Flag, Truth };

// A check box writing "1"/"0"; `effect` runs after each change with the new state.
QCheckBox* SettingCheckBox(QWidget* parent, const char* name, const QString& caption,
                           platform::SettingsStore& settings, const platform::SettingDef& value,
                           Reading reading, std::function<void(bool)> effect = {});

// A number field that can only hold a number the value's reader accepts (the range of its
// table entry). It writes when the user finishes typing or steps with the arrows, never a half-
// typed number, so a bad entry can't reach the timers or the editor. A stored value outside
// the range shows as `fallback`.
QSpinBox* SettingNumberField(QWidget* parent, const char* name, platform::SettingsStore& settings,
                             const platform::SettingDef& value, int fallback,
                             std::function<void(int)> effect = {});

// A text field writing the typed text as it changes.
QLineEdit* SettingTextField(QWidget* parent, const char* name, platform::SettingsStore& settings,
                            const platform::SettingDef& value);

// A list writing the chosen entry's index plus `offset`; a stored index outside the list
// shows no choice.
QComboBox* SettingIndexList(QWidget* parent, const char* name, const QStringList& entries,
                            platform::SettingsStore& settings, const platform::SettingDef& value,
                            int offset, std::function<void(int)> effect = {});

// A path field with its browse button "...": the button opens the open-file dialog with this
// title and filter, starting in "Last Dir"; the chosen path is shown and written.
struct PathRow {
  QLineEdit* field;
  QWidget* button;
};
PathRow SettingPathRow(QWidget* parent, const char* fieldName, const char* buttonName,
                       shell::FrmMain& window, const platform::SettingDef& value,
                       const QString& title, const QString& filter);

// The frame of a group of controls on a page, with its name and caption.
QGroupBox* PageGroup(QWidget* parent, const char* name, const QString& caption);

// A page made of parts of which one is shown at a time, chosen by a row of option buttons:
// button i is named `name` + i, takes its caption from the "Misc" key i + `miscSuffix` of a
// language file, and shows part i (hiding the others). Part `shown` is shown first. Returns
// the row of buttons, for the page's layout.
struct SubPage {
  QString caption;
  QWidget* part;
};
QWidget* SubPageChooser(QWidget* parent, const char* name, const QString& miscSuffix,
                        const QList<SubPage>& parts, int shown);

// A warning with only an OK button, as a page gives when what the user asked can't be done.
void PageWarning(shell::FrmMain& window, const QString& text, const QString& title);

}  // namespace settings
