// The line-number margin of an editing view: Scintilla's own numbers in base 10, numbers the
// program writes into a text margin in any other base.
#pragma once

#include <QString>

class QsciScintilla;

namespace platform {

class DisplayBreaks;

// The label of a 0-based line: line + 1 written in `base` (2..36) with upper-case digits,
// e.g. line 9 in base 16 is "A", line 0 in any base is "1".
QString lineNumberLabel(int line, int base);

// Shows or hides margin 0 with a width that fits the label of the last line. With display
// breaks the numbers are the text's lines, so they are written as labels in base 10 too.
void applyLineNumberMargin(QsciScintilla* view, bool visible, int base,
                           const DisplayBreaks& breaks);

// Writes the labels of the lines the view shows now into its text margin; a display line that
// goes on with the one above has none. Only lines whose label is missing or stale are written,
// so a repaint after this finds nothing to do.
void fillLineNumberLabels(QsciScintilla* view, int base, const DisplayBreaks& breaks);

}  // namespace platform
