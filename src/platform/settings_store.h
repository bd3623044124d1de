// The settings key: every option of the program as one named string value. Reads never fail
// (anything missing or unreadable gives the default); writes go to disk at once.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "platform/settings_values.h"

class QSettings;

namespace platform {

class SettingsStore {
 public:
  explicit SettingsStore(const QString& iniPath);
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Key paths that differ only in letter case, in '\' or '/' separators or in a trailing
  // separator name the same key; value names are compared without regard to letter case.
  // A stored empty string reads as "", not as the default; a value that is not text reads
  // as missing; text after an embedded NUL is not part of the value.
  QString ReadSetting(const QString& keyPath, const QString& name,
                      const QString& defaultValue) const;
  void WriteSetting(const QString& keyPath, const QString& name, const QString& value);

  // The values of the table, each under its own key path with its table default.
  QString get(const SettingDef& def) const;
  QString get(const SettingDef& def, const QString& defaultValue) const;
  // "1" is on, anything else off: the readers that compare with "1".
  bool flag(const SettingDef& def) const;
  // A number (non-zero is on) or the words True/False: the readers that convert.
  bool truth(const SettingDef& def) const;
  // A number setting through its range: the stored number when it is one and lies in the range,
  // else the table's default, else `fallback` (for a default the table cannot hold).
  int number(const SettingDef& def, int fallback = 0) const;
  // The same for settings that may hold a fraction (minutes, twips); nullopt when neither the
  // stored value nor the table's default is a number in range.
  std::optional<double> decimal(const SettingDef& def) const;

  void set(const SettingDef& def, const QString& value);
  void setFlag(const SettingDef& def, bool on);  // "1" / "0"
  void setWord(const SettingDef& def, bool on);  // "True" / "False"

  QString fileName() const;

 private:
  QString findName(const QString& group, const QString& name) const;

  std::unique_ptr<QSettings> m_settings;
};

// The text of a stored value taken as a truth: non-zero numbers and "True" are true.
bool SettingIsTrue(const QString& value);

// A number as the program stores numbers: spaces around it ("HighLight" is written with a
// leading one), a sign, a fraction with "." or ","; nullopt for anything else, for a number
// outside `range`, and for infinities. Example: " -1200,5" is -1200.5.
std::optional<double> CheckedNumber(const QString& text, NumberRange range);

}  // namespace platform
