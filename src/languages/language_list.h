// The list of interface languages: entry 0 the built-in Russian, then one entry per language
// file in the program's "Languages" folder, named after the file without ".lng".
#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class AppPaths;
class SettingsStore;
}  // namespace platform

namespace languages {

inline constexpr char kBuiltInName[] = "Русский";

// Entries in name order, so the indexes stay put while the folder's content does.
QStringList LanguageNames(const platform::AppPaths& paths);
QString LanguageFilePath(const platform::AppPaths& paths, const QString& name);

// The entry the settings choose: the file named by "LanguageName" while it is listed, else the
// index "Language" when it is in the list, else Russian. A stored name whose file is gone also
// falls back to Russian, rather than to whatever file now stands at the old index.
int ChosenLanguage(const QStringList& names, const platform::SettingsStore& settings);

}  // namespace languages
