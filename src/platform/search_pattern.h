// How the editing control puts a search to Scintilla. QScintilla folds letter case for ASCII
// only: a regular expression in any case spells out both cases of every other letter
// ("к+" becomes "(?:к|К)+") and matches case exactly, and plain text in any case with such
// letters is looked for by the control itself (CaseBlindFinder).
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
  // Plain text whose letters Scintilla cannot fold: the control searches the document itself.
  bool foldCaseHere = false;
  bool operator==(const ScintillaSearch&) const = default;
};

// The search Scintilla runs for `what` with these options (direction and wrap aside).
// Examples, in any case: "cat" stays plain text (Scintilla folds ASCII itself); "ж?" is folded
// by the control; the expression "[а-я]+" becomes "[а-яА-Я]+".
ScintillaSearch ToScintillaSearch(const QString& what, const FindOptions& options);

// Every letter of a regular expression (ECMAScript syntax) made to match in either case:
// literal letters become alternations, classes and ranges gain the other case; escapes (\d, \x41,
// \u0430, \cM) and named classes ([:alpha:]) stay as they are.
QString CaseBlindPattern(const QString& pattern);

}  // namespace platform
