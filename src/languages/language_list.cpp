#include "languages/language_list.h"

#include <QDir>

#include "platform/app_paths.h"
#include "platform/settings_store.h"

namespace languages {

QStringList LanguageNames(const platform::AppPaths& paths) {
  QStringList names{QString::fromUtf8(kBuiltInName)};
  const QDir folder(paths.file(QStringLiteral("Languages")));
  const QStringList files =
      folder.entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Readable, QDir::Name);
  for (const QString& file : files) names.append(file.chopped(4));
  return names;
}

QString LanguageFilePath(const platform::AppPaths& paths, const QString& name) {
  return paths.file(QStringLiteral("Languages/") + name + QStringLiteral(".lng"));
}

int ChosenLanguage(const QStringList& names, const platform::SettingsStore& settings) {
  const QString name = settings.get(platform::Setting::LanguageName);
  if (!name.isEmpty()) return std::max<int>(0, int(names.indexOf(name)));
  const int index = settings.number(platform::Setting::Language, 0);
  return index >= 0 && index < names.size() ? index : 0;
}

}  // namespace languages
