// Qt's own dialogs (file, font, colour, print, the standard buttons) speak the interface
// language through Qt's translations, which the distribution ships apart from Qt itself.
#pragma once

#include <QString>

namespace platform {

// Replaces the Qt translation in use by the one for `language` ("ru", "en", ...). English needs
// none: Qt's own texts are English. Returns false when the translation could not be loaded; the
// dialogs then speak English.
bool UseQtTranslations(const QString& language);

}  // namespace platform
