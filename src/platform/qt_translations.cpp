#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace platform {

bool UseQtTranslations(const QString& language) {
  static std::unique_ptr<QTranslator> current;
  static QString currentLanguage;
  static bool currentLoaded = true;
  // Every window of a session asks again: the same language is not loaded twice.
  if (language == currentLanguage) return currentLoaded;
  currentLanguage = language;
  currentLoaded = false;
  if (current) {
    QCoreApplication::removeTranslator(current.get());
    current.reset();
  }
  if (language.isEmpty() || language.startsWith(QStringLiteral("en"))) return currentLoaded = true;
  auto translator = std::make_unique<QTranslator>();
  // qtbase holds the texts of every widget dialog the program uses.
  if (!translator->load(QStringLiteral("qtbase_") + language,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  QCoreApplication::installTranslator(translator.get());
  current = std::move(translator);
  return currentLoaded = true;
}

}  // namespace platform
