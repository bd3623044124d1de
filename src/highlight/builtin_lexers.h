// The lexers behind the built-in schemes, and which colour item each of their styles takes.
#pragma once

#include <QString>

#include "highlight/colour_items.h"

class QObject;
class QsciLexer;

namespace highlight {

// A new lexer for a built-in language name ("HTML", "Basic", "pascal", "C/C++", "SQL", "Java",
// "XML", "CSS"); nullptr for any other name.
QsciLexer* MakeBuiltinLexer(const QString& language, QObject* parent);

// Whether a built-in language ignores letter case in its keywords (the lexers themselves all say
// they don't, as they compare lower-cased words).
bool BuiltinIgnoresCase(const QString& language);

// The item a built-in lexer's style is coloured as, read from what the style stands for.
ColourItem BuiltinStyleItem(const QsciLexer& lexer, int style);

}  // namespace highlight
