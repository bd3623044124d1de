// Runs of edits by the program: one undo step for the lot, and the listeners of the control told
// once when the run is over instead of at each of thousands of edits.
#include "platform/edit_control_impl.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

}  // namespace

void EditControl::beginEditRun() {
  if (d->editRun++ > 0) return;
  d->scrollAfterRun = false;
  sci(d->primary(), Sci::SCI_BEGINUNDOACTION);
}

void EditControl::endEditRun() {
  if (d->editRun == 0 || --d->editRun > 0) return;
  sci(d->primary(), Sci::SCI_ENDUNDOACTION);
  QsciScintilla* view = d->active;
  if (d->scrollAfterRun) {
    d->scrollAfterRun = false;
    sci(view, Sci::SCI_SCROLLRANGE, sci(view, Sci::SCI_GETANCHOR), sci(view, Sci::SCI_GETCURRENTPOS));
    // Up and Down go on from where the run left the caret, not from where it stood before.
    sci(view, Sci::SCI_CHOOSECARETX);
  }
  d->reportChange();
  d->noteSelection(view);
}

bool EditControl::inEditRun() const { return d->editRun > 0; }

void EditControl::Impl::scrollCaret(QsciScintilla* view) {
  if (editRun > 0)
    scrollAfterRun = true;
  else
    sci(view, Sci::SCI_SCROLLCARET);
}

}  // namespace platform
