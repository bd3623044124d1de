// What is printed of a text with display breaks (see display_breaks.h). The component prints
// its own lines, so a long line would come out cut at each join, however the page wraps it.
// Printing goes through a copy instead: the text without its breaks, each character in the
// style it has on screen, and every style looking as the view shows it.
#pragma once

#include <memory>

class QsciScintilla;

namespace platform {

class DisplayBreaks;

// A view never shown, holding `view`'s text without `breaks`, coloured as `view` colours it
// (the view's text is coloured to its end first).
std::unique_ptr<QsciScintilla> PaperCopy(QsciScintilla& view, const DisplayBreaks& breaks);

}  // namespace platform
