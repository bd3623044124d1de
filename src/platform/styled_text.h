// A range of a view's text with the style of each character, for copying styles between views.
#pragma once

#include <vector>

class QsciScintilla;

namespace platform {

class DisplayBreaks;

// The bytes of [from, to) of the view's text, each followed by its style, then two zero bytes.
std::vector<char> StyledText(const QsciScintilla& view, long from, long to);
// The styles of the characters of [from, to) of the view's text, its display breaks left out.
std::vector<char> StylesWithoutBreaks(const QsciScintilla& view, long from, long to,
                                      const DisplayBreaks& breaks);

}  // namespace platform
