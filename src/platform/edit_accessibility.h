// The editing views and assistive technologies. Scintilla's own accessibility support counts
// the characters from the start of the document on every change of the text and every move of
// the caret: in the middle of a 10 MB text each key press would cost a tenth of a second. While
// no assistive technology runs nobody listens to it, so the views then get a plain accessible
// interface and are not told of the changes themselves (only that one is coming, which is
// what the control needs). Once a screen reader starts, they get the full support back.
#pragma once

class QsciScintilla;

namespace platform::edit_accessibility {

// The modification events a view has to raise in the present state.
int ModificationEvents();

// Puts the view under this rule: its events and interface follow the state from now on.
void Register(QsciScintilla* view);

}  // namespace platform::edit_accessibility
