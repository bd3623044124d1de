// The control's events: keys, mouse buttons, focus, text and selection changes, raised from
// whichever view the user works in and translated into the program's terms.
#include <QApplication>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/dropped_files.h"
#include "platform/edit_control_impl.h"
#include "platform/line_number_margin.h"
#include "platform/virtual_key.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

// The program's shift state: 1 Shift, 2 Ctrl, 4 Alt, added.
int shiftState(Qt::KeyboardModifiers modifiers) {
  int shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= 1;
  if (modifiers & Qt::ControlModifier) shift |= 2;
  if (modifiers & Qt::AltModifier) shift |= 4;
  return shift;
}

}  // namespace

void EditControl::Impl::wire(QsciScintilla* view) {
  view->installEventFilter(q);
  view->viewport()->installEventFilter(q);
  // Scintilla reports a selection set by a call at once, and a caret moved by typing when it
  // next updates the view; both lead here, and the key check keeps it to one event per move.
  QObject::connect(view, &QsciScintilla::selectionChanged, q,
                   [this, view] { noteSelection(view); });
  QObject::connect(view, &QsciScintilla::cursorPositionChanged, q,
                   [this, view] { noteSelection(view); });
  QObject::connect(view, &QsciScintillaBase::SCN_UPDATEUI, q, [this, view](int updated) {
    if (updated & Sci::SC_UPDATE_SELECTION) noteSelection(view);
    fillLineNumberLabels(view, lineNumberBase, breaks);
    markVisibleJoins(view);
  });
  if (view != primary()) return;
  // Every view of a document hears each change of it; one of them speaks for the control.
  QObject::connect(view, &QsciScintillaBase::SCN_MODIFIED, q,
                   [this](int at, int type, const char* text, int length) {
                     if (type & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE))
                       trackChange(at, length, type, text);
                     if (type & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE))
                       noteChangeComing(at, length, type & Sci::SC_MOD_BEFOREINSERT);
                   });
}

void EditControl::Impl::countPendingInsert() {
  if (pendingInsert && knownLength) {
    *knownLength += TextFile::utf16Length(rangeBytes(pendingInsert->at,
                                                     pendingInsert->at + pendingInsert->length)) -
                    pendingInsert->breaks;
  }
  pendingInsert.reset();
}

void EditControl::Impl::trackChange(long at, long length, int type, const char* text) {
  // The change before this one is complete: what it inserted can be counted now. Earlier breaks
  // are settled too, so the counts below see only this change's.
  countPendingInsert();
  settleBreaks();
  const long breaksBefore = breaks.count();
  const bool inserting = type & Sci::SC_MOD_BEFOREINSERT;
  long deletedUnits = 0;
  if (knownLength && !inserting)
    deletedUnits = TextFile::utf16Length(rangeBytes(at, at + length));
  trackBreaks(at, length, type);
  if (!knownLength) return;
  // Each break is one byte of the component's text but no character of the document's.
  const long breaksAdded = breaks.count() - breaksBefore;
  if (!inserting) {
    *knownLength -= deletedUnits + breaksAdded;  // breaksAdded <= 0 here
  } else if (text) {
    *knownLength += TextFile::utf16Length(QByteArrayView(text, length)) - breaksAdded;
  } else {
    // The component does not say what it inserts: counted once it is in.
    pendingInsert = PendingInsert{at, length, breaksAdded};
  }
}

void EditControl::Impl::noteChangeComing(long at, long length, bool inserting) {
  if (loading) return;
  if (inserting)
    changedSinceMark.inserted(at, length);
  else
    changedSinceMark.deleted(at, length);
  if (changePending) return;
  changePending = true;
  QMetaObject::invokeMethod(
      q, [this] { reportChange(); }, Qt::QueuedConnection);
}

void EditControl::Impl::noteWholeTextChanged() {
  changedSinceMark.markAll(sci(primary(), Sci::SCI_GETLENGTH));
  changePending = true;
}

void EditControl::Impl::reportChange() {
  settleBreaks();
  if (!changePending || editRun > 0) return;
  changePending = false;
  const long lines = sci(primary(), Sci::SCI_GETLINECOUNT);
  if (lines != knownLineCount) {
    knownLineCount = lines;
    if (lineNumbers) applyLineNumbers();
  }
  if (!breaks.empty() || joinsMarked) applyJoinMarks();
  fitLexing();
  Q_EMIT q->changed();
}

void EditControl::Impl::stepOverBreak(QsciScintilla* view, const QKeyEvent& key) {
  if (breaks.empty() || sci(view, Sci::SCI_GETSELECTIONS) != 1) return;
  const long caret = sci(view, Sci::SCI_GETCURRENTPOS);
  const bool empty = caret == sci(view, Sci::SCI_GETANCHOR);
  const bool shift = key.modifiers() & Qt::ShiftModifier;
  long to = -1;
  switch (key.key()) {
    case Qt::Key_Backspace:
      if (empty && breaks.isBreak(caret - 1)) to = caret - 1;
      break;
    case Qt::Key_Delete:
      if (empty && breaks.isBreak(caret)) to = caret + 1;
      break;
    case Qt::Key_Left:
      if ((empty || shift) && breaks.isBreak(caret - 1)) to = caret - 1;
      break;
    case Qt::Key_Right:
      if ((empty || shift) && breaks.isBreak(caret)) to = caret + 1;
      break;
    default:
      break;
  }
  if (to < 0) return;
  // Moving the caret alone keeps the selection's anchor where Shift put it.
  sci(view, shift ? Sci::SCI_SETCURRENTPOS : Sci::SCI_SETEMPTYSELECTION, to);
}

bool EditControl::Impl::homeOrEnd(QsciScintilla* view, const QKeyEvent& key) {
  if (breaks.empty() || (key.key() != Qt::Key_Home && key.key() != Qt::Key_End)) return false;
  const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
  if (key.modifiers() & ~(shift | Qt::KeypadModifier)) return false;
  if (sci(view, Sci::SCI_GETSELECTIONS) != 1 || sci(view, Sci::SCI_SELECTIONISRECTANGLE))
    return false;
  const long caret = sci(view, Sci::SCI_GETCURRENTPOS);
  const int line = lineOf(caret);
  if (firstDisplayLine(line) == lastDisplayLine(line)) return false;
  long to = lineEnd(line);
  if (key.key() == Qt::Key_Home) {
    // Like the view's own Home: to the first character that is not blank, and from there to the
    // very start.
    const long start = lineStart(line);
    long text = start;
    for (; text < to; ++text) {
      const char c = char(sci(view, Sci::SCI_GETCHARAT, text));
      if (c != ' ' && c != '\t' && !breaks.isBreak(text)) break;
    }
    to = caret == text ? start : text;
  }
  sci(view, key.modifiers() & shift ? Sci::SCI_SETCURRENTPOS : Sci::SCI_SETEMPTYSELECTION, to);
  sci(view, Sci::SCI_SCROLLCARET);
  sci(view, Sci::SCI_CHOOSECARETX);
  return true;
}

bool EditControl::Impl::selectionHasBreaks() const {
  if (breaks.empty()) return false;
  const long count = sci(active, Sci::SCI_GETSELECTIONS);
  for (long i = 0; i < count; ++i) {
    const long start = sci(active, Sci::SCI_GETSELECTIONNSTART, i);
    if (breaks.before(sci(active, Sci::SCI_GETSELECTIONNEND, i)) != breaks.before(start))
      return true;
  }
  return false;
}

SelectionKey EditControl::Impl::selectionKey(const QsciScintilla* view) const {
  SelectionKey key;
  key.rectangular = sci(view, Sci::SCI_SELECTIONISRECTANGLE) != 0;
  key.ranges = sci(view, Sci::SCI_GETSELECTIONS);
  if (key.rectangular) {
    key.anchor = sci(view, Sci::SCI_GETRECTANGULARSELECTIONANCHOR);
    key.caret = sci(view, Sci::SCI_GETRECTANGULARSELECTIONCARET);
    key.anchorSpace = sci(view, Sci::SCI_GETRECTANGULARSELECTIONANCHORVIRTUALSPACE);
    key.caretSpace = sci(view, Sci::SCI_GETRECTANGULARSELECTIONCARETVIRTUALSPACE);
  } else {
    key.anchor = sci(view, Sci::SCI_GETANCHOR);
    key.caret = sci(view, Sci::SCI_GETCURRENTPOS);
  }
  return key;
}

void EditControl::Impl::noteSelection(QsciScintilla* view) {
  if (view != active || loading || selecting || editRun > 0) return;
  const SelectionKey key = selectionKey(view);
  if (key == lastSelection) return;
  lastSelection = key;
  Q_EMIT q->selectionChanged();
}

void EditControl::Impl::makeActive(QsciScintilla* view) {
  if (view == active) return;
  // The selection the program reads is now this view's, so it has changed for the program.
  active = view;
  // Focusing the control from outside returns to the view the user left.
  q->setFocusProxy(view);
  lastSelection = {};
  noteSelection(view);
}

void EditControl::Impl::focusEntered(QsciScintilla* view) {
  makeActive(view);
  if (focusInside) return;
  focusInside = true;
  Q_EMIT q->gotFocus();
}

void EditControl::Impl::focusLeft(QFocusEvent* event) {
  // Another window taking over leaves the focus where it was inside ours; a pop-up menu keeps
  // the focus widget too. Neither is the focus leaving the control.
  if (event->reason() == Qt::ActiveWindowFocusReason) return;
  const QWidget* now = QApplication::focusWidget();
  if (now && (now == q || q->isAncestorOf(now))) return;
  if (!focusInside) return;
  focusInside = false;
  Q_EMIT q->lostFocus();
}

int EditControl::Impl::viewIndex(const QObject* object, bool* isViewport) const {
  for (int i = 0; i < int(made().size()); ++i) {
    *isViewport = object == views[i]->viewport();
    if (object == views[i] || *isViewport) return i;
  }
  return -1;
}

bool EditControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == d->splitter && event->type() == QEvent::Resize) {
    // The upper view keeps its height; the lower one takes what the window gains or loses.
    d->applySplitterSizes();
    return false;
  }
  bool isViewport = false;
  const int index = d->viewIndex(watched, &isViewport);
  if (index < 0) return QWidget::eventFilter(watched, event);
  QsciScintilla* view = d->views[index];
  switch (event->type()) {
    case QEvent::KeyPress: {
      if (isViewport) break;
      const auto* key = static_cast<QKeyEvent*>(event);
      KeyPress press{key->key(), shiftState(key->modifiers()), false,
                     XkbKeycode(key->nativeScanCode()),
                     key->modifiers().testFlag(Qt::KeypadModifier)};
      Q_EMIT keyDown(press);
      if (press.handled) return true;
      if (d->selectionHasBreaks() &&
          (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut))) {
        if (key->matches(QKeySequence::Copy))
          copy();
        else
          cut();
        return true;
      }
      if (d->homeOrEnd(view, *key)) return true;
      d->stepOverBreak(view, *key);
      // The view takes the key here and now, so that what it changed is reported before the
      // next event. Whether the view accepted the key still decides if it goes on to the parent.
      static_cast<QObject*>(view)->event(event);
      d->reportChange();
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
      if (!isViewport) break;
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint at = view->viewport()->mapTo(this, mouse->position().toPoint());
      const int shift = shiftState(mouse->modifiers());
      if (event->type() == QEvent::MouseButtonPress)
        Q_EMIT mouseDown(mouse->button(), shift, at.x(), at.y());
      else
        Q_EMIT mouseUp(mouse->button(), shift, at.x(), at.y());
      break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      // Files are the window's to open, not a drop for the views (which only moved the caret
      // for them); in a window that opens none the views take the drop as before.
      if (const FileDropHandler* open = FileDropHandlerOf(*this); open && AcceptFileDrag(*drop)) {
        if (event->type() == QEvent::Drop) (*open)(DroppedFiles(drop->mimeData()));
        return true;
      }
      // Text dragged within the views would take its display breaks along as line ends of
      // the text: while there are breaks, it stays where it is.
      if (isViewport && !d->breaks.empty() && drop->source() &&
          d->viewIndex(drop->source(), &isViewport) >= 0) {
        event->ignore();
        return true;
      }
      break;
    }
    case QEvent::FocusIn:
      if (!isViewport) d->focusEntered(view);
      break;
    case QEvent::FocusOut:
      if (!isViewport) d->focusLeft(static_cast<QFocusEvent*>(event));
      break;
    case QEvent::Resize:
      // A taller view shows lines whose labels were never written.
      if (isViewport) fillLineNumberLabels(view, d->lineNumberBase, d->breaks);
      break;
    default:
      break;
  }
  return false;
}

}  // namespace platform
