// INI files (settings of schemes, colours, macros, languages): any text parses, and no value
// comes back longer than the profile rules allow.
#include <QRegularExpression>

#include "fuzz_target.h"
#include "platform/ini_file.h"

OSTREL_FUZZ_TARGET(ini_file) {
  const QString text = fuzz::TextOf(data);
  const platform::IniSnapshot ini = platform::IniSnapshot::parse(text);
  // Every section and key the text names, looked up as a reader would.
  static const QRegularExpression section(QStringLiteral("^\\s*\\[([^\\]\\r\\n]*)\\]"),
                                          QRegularExpression::MultilineOption);
  static const QRegularExpression key(QStringLiteral("^([^=\\r\\n]*)="),
                                      QRegularExpression::MultilineOption);
  QStringList sections{QString()};
  for (auto m = section.globalMatch(text); m.hasNext();) sections << m.next().captured(1);
  for (const QString& name : sections)
    for (auto m = key.globalMatch(text); m.hasNext();) {
      const auto value = ini.value(name, m.next().captured(1));
      fuzz::Check(!value || value->size() <= platform::IniFile::kMaxValueLength,
                  "a value is at most 255 characters", data);
    }
}
