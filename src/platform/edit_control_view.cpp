// View settings of the control. Both views of the splitter always look the same, so every
// setter applies to both.
#include <algorithm>

#include "platform/edit_control_impl.h"
#include "platform/line_number_margin.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

constexpr int kLeftMarginWidth = 16;

}  // namespace

void EditControl::Impl::applyLineNumbers() {
  for (auto* view : made()) {
    applyLineNumberMargin(view, lineNumbers, lineNumberBase, breaks);
    fillLineNumberLabels(view, lineNumberBase, breaks);
  }
}

void EditControl::Impl::applySplitterSizes() {
  if (!splitterAllowed) return;
  const int total = std::max(0, splitter->height() - splitter->handleWidth());
  // Before any position is set the lower view lies folded at the bottom, ready to be dragged up.
  const int upper = splitterPosition > 0 ? std::min(splitterPosition, total) : total;
  splitter->setSizes({upper, total - upper});
}

void EditControl::setTabSize(int size) {
  d->tabSize = std::max(1, size);
  for (auto* view : d->made()) view->setTabWidth(d->tabSize);
}

int EditControl::tabSize() const { return d->tabSize; }

void EditControl::setLeftMarginVisible(bool on) {
  d->leftMargin = on;
  d->applyJoinMarks();
}

void EditControl::Impl::applyJoinMarks() {
  // The symbol margin shows where a long line goes on, so it stays while there are such joins.
  const int width = leftMargin || !breaks.empty() ? kLeftMarginWidth : 0;
  for (auto* view : made()) {
    if (view->marginWidth(1) != width) view->setMarginWidth(1, width);
    markVisibleJoins(view);
  }
}

void EditControl::Impl::markVisibleJoins(QsciScintilla* view) {
  if (breaks.empty() && !joinsMarked) return;
  joinsMarked = !breaks.empty();
  const long top = sci(view, Sci::SCI_GETFIRSTVISIBLELINE);
  const long count = sci(view, Sci::SCI_GETLINECOUNT);
  const long first = sci(view, Sci::SCI_DOCLINEFROMVISIBLE, top);
  const long last = std::min(
      count - 1, sci(view, Sci::SCI_DOCLINEFROMVISIBLE, top + sci(view, Sci::SCI_LINESONSCREEN) + 1));
  for (long line = first; line <= last; ++line) {
    const bool join = line > 0 && breaks.isBreak(sci(view, Sci::SCI_POSITIONFROMLINE, line) - 1);
    const bool marked = (sci(view, Sci::SCI_MARKERGET, line) & (1L << kJoinMarker)) != 0;
    if (join != marked)
      sci(view, join ? Sci::SCI_MARKERADD : Sci::SCI_MARKERDELETE, line, kJoinMarker);
  }
}

bool EditControl::leftMarginVisible() const { return d->leftMargin; }

void EditControl::setLineNumbersVisible(bool on) {
  d->lineNumbers = on;
  d->applyLineNumbers();
}

bool EditControl::lineNumbersVisible() const { return d->lineNumbers; }

void EditControl::setLineNumberBase(int base) {
  base = std::clamp(base, 2, 36);
  if (base == d->lineNumberBase) return;
  d->lineNumberBase = base;
  // Scintilla numbers base-10 lines itself; labels of another base would only take memory.
  if (base == 10) sci(d->primary(), Sci::SCI_MARGINTEXTCLEARALL);
  d->applyLineNumbers();
}

int EditControl::lineNumberBase() const { return d->lineNumberBase; }

QString EditControl::lineNumberText(int line) const {
  return lineNumberLabel(line, d->lineNumberBase);
}

void EditControl::setWhiteSpaceVisible(bool on) {
  d->whiteSpace = on;
  for (auto* view : d->made())
    view->setWhitespaceVisibility(on ? QsciScintilla::WsVisible : QsciScintilla::WsInvisible);
}

bool EditControl::whiteSpaceVisible() const { return d->whiteSpace; }

void EditControl::setWindowsLineEnds(bool on) {
  // Off means LF, except that a file of lone CRs keeps its own non-Windows style.
  if (on)
    d->format.lineEnd = LineEnd::CrLf;
  else if (d->format.lineEnd == LineEnd::CrLf)
    d->format.lineEnd = LineEnd::Lf;
}

bool EditControl::windowsLineEnds() const { return d->format.lineEnd == LineEnd::CrLf; }

const TextFormat& EditControl::fileFormat() const { return d->format; }

void EditControl::setFileFormat(const TextFormat& format) { d->format = format; }

void EditControl::setKeywordCaseCorrection(bool on) { d->keywordCase = on; }

bool EditControl::keywordCaseCorrection() const { return d->keywordCase; }

void EditControl::setColumnSelectionMode(bool on) { d->columnSelection = on; }

bool EditControl::columnSelectionMode() const { return d->columnSelection; }

void EditControl::setSplitterAllowed(bool on) {
  if (on == d->splitterAllowed) return;
  d->splitterAllowed = on;
  if (on)
    d->lowerView()->show();
  else if (d->views[1])
    d->views[1]->hide();
  if (on) {
    d->applySplitterSizes();
    return;
  }
  if (d->active == d->views[1]) {
    const bool hadFocus = d->views[1]->hasFocus() || d->focusInside;
    d->makeActive(d->views[0]);
    if (hadFocus) d->views[0]->setFocus(Qt::OtherFocusReason);
  }
}

bool EditControl::splitterAllowed() const { return d->splitterAllowed; }

void EditControl::setSplitterPosition(int y) {
  d->splitterPosition = std::max(0, y);
  d->applySplitterSizes();
}

int EditControl::splitterPosition() const {
  if (d->splitterAllowed && d->splitter->isVisible()) return d->splitter->sizes().value(0);
  return d->splitterPosition;
}

void EditControl::setHighlightedLine(int line) {
  const QsciScintilla* view = d->primary();
  if (d->highlightHandle >= 0) sci(view, Sci::SCI_MARKERDELETEHANDLE, d->highlightHandle);
  d->highlightHandle = -1;
  if (line >= 0 && line < lineCount())
    d->highlightHandle =
        int(sci(view, Sci::SCI_MARKERADD, d->firstDisplayLine(line), kHighlightMarker));
}

int EditControl::highlightedLine() const {
  if (d->highlightHandle < 0) return -1;
  // The mark travels with its line as text is edited above it.
  const long displayLine = sci(d->primary(), Sci::SCI_MARKERLINEFROMHANDLE, d->highlightHandle);
  if (displayLine < 0) return -1;
  return d->lineOf(sci(d->primary(), Sci::SCI_POSITIONFROMLINE, displayLine));
}

void EditControl::setEditorFont(const QString& name, int pointSize, int charSet) {
  QFont font(name);
  if (pointSize > 0) font.setPointSize(pointSize);
  d->font = font;
  // Qt picks scripts per character; the number is kept for the settings it came from.
  d->charSet = charSet;
  d->applyLookEverywhere();
}

QFont EditControl::editorFont() const { return d->font; }

int EditControl::editorCharSet() const { return d->charSet; }

void EditControl::setWrap(int wrap) {
  d->wrap = wrap != 0 ? 1 : 0;
  for (auto* view : d->made())
    view->setWrapMode(d->wrap ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
}

int EditControl::wrap() const { return d->wrap; }

// Scintilla keeps this on the document, so the views of a split share it.
void EditControl::setReadOnly(bool on) { sci(d->primary(), Sci::SCI_SETREADONLY, on ? 1 : 0); }

bool EditControl::isReadOnly() const { return sci(d->primary(), Sci::SCI_GETREADONLY) != 0; }

}  // namespace platform
