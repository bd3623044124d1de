// Paragraph formatting: recognises the first lines of paragraphs and gives each the same indent,
// optionally with a capital first letter.
#pragma once

#include <QString>

namespace text {

// A line starts a paragraph when its first `recSpace` characters are spaces (every line when
// recSpace is 0), when it begins with a TAB, or when it is the first line or follows an empty
// line. Such a line, unless empty, loses the spaces and TABs it begins with, gets its first
// character upper-cased when `capitalise` is on, and `indent` spaces in front; a line of blanks
// alone becomes exactly `indent` spaces. Other lines stay as they are. Both numbers are read as
// the leading number of their text ("3", " 4x"); text that is no number counts as 0.
QString FormatParagraphs(const QString& text, const QString& recSpace, const QString& indent,
                         bool capitalise);

}  // namespace text
