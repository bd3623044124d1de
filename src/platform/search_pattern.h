// How the editing control puts a search to Scintilla. QScintilla folds letter case for ASCII
// only, so a search in any case for other letters spells out both cases of every letter
// ("кот" becomes "(?:к|К)(?:о|О)(?:т|Т)") in a regular expression that matches case exactly.
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/edit_control.h"

namespace platform {

struct ScintillaSearch {
  QByteArray pattern;  // UTF-8, as SCI_SEARCHINTARGET takes it
  int flags = 0;       // SCFIND_* flags
  // Scintilla cannot match whole words in a regular expression: each occurrence is checked
  // after it is found.
  bool checkWholeWord = false;
  bool operator==(const ScintillaSearch&) const = default;
};

// The search Scintilla runs for `what` with these options (direction and wrap aside).
// Examples, in any case: "cat" stays plain text (Scintilla folds ASCII itself); "ж?" becomes
// the expression "(?:ж|Ж)\?"; the expression "[а-я]+" becomes "[а-яА-Я]+". A text
// holding a line break stays plain, since expressions match within one line.
ScintillaSearch ToScintillaSearch(const QString& what, const FindOptions& options);

// Every letter of a regular expression (ECMAScript syntax) made to match in either case:
// literal letters become alternations, classes and ranges gain the other case; escapes (\d, \x41,
// \u0430, \cM) and named classes ([:alpha:]) stay as they are.
QString CaseBlindPattern(const QString& pattern);

}  // namespace platform
