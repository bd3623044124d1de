#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace platform {

bool UseQtTranslations(const QString& language) {
  // Translations once loaded are kept: switching languages back and forth reads no file.
  static QHash<QString, std::shared_ptr<QTranslator>> loaded;
  static QString currentLanguage;
  static QTranslator* current = nullptr;
  static bool currentLoaded = true;
  // Every window of a session asks again: the same language is not installed twice.
  if (language == currentLanguage) return currentLoaded;
  currentLanguage = language;
  if (current) {
    QCoreApplication::removeTranslator(current);
    current = nullptr;
  }
  if (language.isEmpty() || language.startsWith(QStringLiteral("en"))) return currentLoaded = true;
  std::shared_ptr<QTranslator>& translator = loaded[language];
  if (!translator) {
    auto made = std::make_shared<QTranslator>();
    // qtbase holds the texts of every widget dialog the program uses.
    if (!made->load(QStringLiteral("qtbase_") + language,
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      loaded.remove(language);
      return currentLoaded = false;
    }
    translator = std::move(made);
  }
  QCoreApplication::installTranslator(translator.get());
  current = translator.get();
  return currentLoaded = true;
}

}  // namespace platform
