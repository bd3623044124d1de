// The editing control over QScintilla: two views of one document in a splitter, the text and
// the selection in the program's terms (0-based lines, columns in characters, CR LF inside).
#include "platform/edit_control.h"

#include <QFontDatabase>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/edit_accessibility.h"
#include "platform/edit_control_impl.h"
#include "platform/line_number_margin.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

const QColor kDividerColour(0x90, 0x90, 0x90);

// Every non-folding marker except the program's own line marks, which belong to the text area.
constexpr int kSymbolMarginMask =
    ~static_cast<int>(Sci::SC_MASK_FOLDERS) & ~(1 << kDividerMarker) & ~(1 << kHighlightMarker);

}  // namespace

EditControl::EditControl(QWidget* parent) : QWidget(parent), d(new Impl(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  d->splitter = new QSplitter(Qt::Vertical, this);
  layout->addWidget(d->splitter);
  d->font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  d->views[0] = new QsciScintilla(d->splitter);
  // The program shows its own Edit menu on the right button.
  d->views[0]->setContextMenuPolicy(Qt::NoContextMenu);
  d->splitter->addWidget(d->views[0]);
  d->setUpView(d->views[0]);
  d->wire(d->views[0]);
  d->splitter->installEventFilter(this);
  connect(d->splitter, &QSplitter::splitterMoved, this, [this] {
    const QList<int> sizes = d->splitter->sizes();
    d->splitterPosition = sizes.value(1) == 0 ? 0 : sizes.value(0);
  });
  d->active = d->views[0];
  d->lastSelection = d->selectionKey(d->active);
  setFocusProxy(d->views[0]);
}

EditControl::~EditControl() {
  // The views die with the splitter; they must not call back into a half-destroyed control.
  d->splitter->removeEventFilter(this);
  disconnect(d->splitter, nullptr, this, nullptr);
  for (auto* view : d->made()) {
    view->removeEventFilter(this);
    view->viewport()->removeEventFilter(this);
    disconnect(view, nullptr, this, nullptr);
  }
  delete d->splitter;
  delete d;
}

QsciScintilla* EditControl::Impl::lowerView() {
  if (views[1]) return views[1];
  auto* view = new QsciScintilla(splitter);
  view->setContextMenuPolicy(Qt::NoContextMenu);
  // Hidden before the splitter takes it, which would show it at once.
  view->hide();
  splitter->addWidget(view);
  // One document behind both views: the lower view is the splitter's second look at the text.
  // Shared straight, as newDocument shares a new one.
  view->SendScintilla(Sci::SCI_SETDOCPOINTER, 0UL,
                      primary()->SendScintillaPtrResult(Sci::SCI_GETDOCPOINTER));
  views[1] = view;
  setUpView(view);
  wire(view);
  // What the setters gave the upper view before this one existed.
  view->setWrapMode(wrap ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
  view->setWhitespaceVisibility(whiteSpace ? QsciScintilla::WsVisible : QsciScintilla::WsInvisible);
  releaseKeysOf(view);
  fillLineNumberLabels(view, lineNumberBase, breaks);
  applyJoinMarks();
  if (loading) sci(view, Sci::SCI_SETMODEVENTMASK, 0);
  return view;
}

void EditControl::Impl::setUpView(QsciScintilla* view) {
  edit_accessibility::Register(view);
  view->setUtf8(true);
  view->setEolMode(QsciScintilla::EolWindows);
  view->setTabWidth(tabSize);
  // The layouts of the lines on screen are kept: a key then lays out its own line again, not
  // every line in view, which with display lines of thousands of characters was most of a key's
  // cost.
  sci(view, Sci::SCI_SETLAYOUTCACHE, Sci::SC_CACHE_PAGE);
  sci(view, Sci::SCI_SETSCROLLWIDTH, 1);
  sci(view, Sci::SCI_SETSCROLLWIDTHTRACKING, 1);
  view->markerDefine(QsciScintilla::Underline, kDividerMarker);
  view->setMarkerBackgroundColor(kDividerColour, kDividerMarker);
  view->markerDefine(QsciScintilla::Background, kHighlightMarker);
  view->setMarginMarkerMask(0, 0);
  view->setMarginMarkerMask(1, kSymbolMarginMask);
  view->setMarginMarkerMask(2, 0);
  view->setMarginType(1, QsciScintilla::SymbolMargin);
  view->setMarginWidth(1, 0);
  view->setMarginWidth(2, 0);
  applyLook(view);
  applyLineNumberMargin(view, lineNumbers, lineNumberBase, breaks);
  view->markerDefine(QsciScintilla::DownTriangle, kJoinMarker);
}

// --- positions ---

QByteArrayView EditControl::Impl::documentBytes() const {
  const auto* bytes =
      static_cast<const char*>(primary()->SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
  return QByteArrayView(bytes, sci(primary(), Sci::SCI_GETLENGTH));
}

QByteArray EditControl::Impl::realBytes() const {
  const QByteArrayView bytes = documentBytes();
  if (breaks.empty()) return QByteArray::fromRawData(bytes.data(), bytes.size());
  return breaks.strip(bytes, 0);
}

void EditControl::Impl::ensureLengthIndex() const {
  if (lengthIndex) return;
  sci(primary(), Sci::SCI_ALLOCATELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF16);
  lengthIndex = true;
}

int EditControl::Impl::realLineCount() const {
  return int(sci(primary(), Sci::SCI_GETLINECOUNT) - breaks.count());
}

long EditControl::Impl::firstDisplayLine(int line) const {
  if (breaks.empty()) return line;
  return breaks.firstDisplayLine(
      line, [this](long position) { return sci(primary(), Sci::SCI_LINEFROMPOSITION, position); });
}

long EditControl::Impl::lastDisplayLine(int line) const {
  return breaks.empty() ? line : firstDisplayLine(line + 1) - 1;
}

long EditControl::Impl::lineStart(int line) const {
  return sci(primary(), Sci::SCI_POSITIONFROMLINE, firstDisplayLine(line));
}

long EditControl::Impl::lineEnd(int line) const {
  return sci(primary(), Sci::SCI_GETLINEENDPOSITION, lastDisplayLine(line));
}

long EditControl::Impl::position(int line, int column) const {
  const QsciScintilla* view = primary();
  const long lines = realLineCount();
  const int clampedLine = int(std::clamp<long>(line, 0, lines - 1));
  const long start = lineStart(clampedLine);
  const long end = lineEnd(clampedLine);
  if (line >= lines) return end;
  if (column <= 0) return start;
  // A UTF-16 unit takes at least one byte, so a column past the line's byte count is past its end.
  if (column >= end - start) return end;
  long segment = firstDisplayLine(clampedLine);
  long segmentStart = start;
  long segmentColumn = 0;
  const long last = lastDisplayLine(clampedLine);
  if (last > segment) {
    // The display line the column falls on: each break before it is one unit of the index
    // that is not a character of the text.
    ensureLengthIndex();
    const long first = segment;
    const long base =
        sci(view, Sci::SCI_INDEXPOSITIONFROMLINE, first, Sci::SC_LINECHARACTERINDEX_UTF16);
    const auto columnAt = [&](long displayLine) {
      return sci(view, Sci::SCI_INDEXPOSITIONFROMLINE, displayLine,
                 Sci::SC_LINECHARACTERINDEX_UTF16) -
             base - (displayLine - first);
    };
    long low = first;
    long high = last;
    while (low < high) {
      const long middle = (low + high + 1) / 2;
      if (columnAt(middle) <= column)
        low = middle;
      else
        high = middle - 1;
    }
    segment = low;
    segmentStart = sci(view, Sci::SCI_POSITIONFROMLINE, segment);
    segmentColumn = columnAt(segment);
  }
  const long segmentEnd = sci(view, Sci::SCI_GETLINEENDPOSITION, segment);
  const long inSegment = column - segmentColumn;
  if (inSegment <= 0) return segmentStart;
  if (inSegment >= segmentEnd - segmentStart) return segmentEnd;
  const long at = sci(view, Sci::SCI_POSITIONRELATIVECODEUNITS, segmentStart, inSegment);
  return at <= 0 ? segmentEnd : std::min(at, segmentEnd);
}

int EditControl::Impl::lineOf(long position) const {
  const long displayLine = sci(primary(), Sci::SCI_LINEFROMPOSITION, position);
  if (breaks.empty()) return int(displayLine);
  return int(displayLine - breaks.before(sci(primary(), Sci::SCI_POSITIONFROMLINE, displayLine)));
}

int EditControl::Impl::columnOf(long position) const {
  const QsciScintilla* view = primary();
  const long displayLine = sci(view, Sci::SCI_LINEFROMPOSITION, position);
  const long start = sci(view, Sci::SCI_POSITIONFROMLINE, displayLine);
  const int inLine = int(sci(view, Sci::SCI_COUNTCODEUNITS, start, position));
  if (breaks.empty()) return inLine;
  const long first = firstDisplayLine(lineOf(position));
  if (first == displayLine) return inLine;
  ensureLengthIndex();
  const long before =
      sci(view, Sci::SCI_INDEXPOSITIONFROMLINE, displayLine, Sci::SC_LINECHARACTERINDEX_UTF16) -
      sci(view, Sci::SCI_INDEXPOSITIONFROMLINE, first, Sci::SC_LINECHARACTERINDEX_UTF16) -
      (displayLine - first);
  return int(before) + inLine;
}

QByteArrayView EditControl::Impl::rangeBytes(long start, long end) const {
  const long length = std::max(0L, end - start);
  if (length == 0) return {};
  // Only the range is made contiguous: the whole document's pointer would move the editing
  // gap to the end, copying everything behind the caret on each read after an edit.
  return QByteArrayView(reinterpret_cast<const char*>(primary()->SendScintilla(
                            Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), length)),
                        length);
}

QByteArray EditControl::Impl::bytesOf(long start, long end) const {
  return breaks.strip(rangeBytes(start, end), start);
}

QString EditControl::Impl::textOf(long start, long end) const {
  // Without breaks in the range, the text is decoded straight from the buffer.
  if (breaks.before(end) != breaks.before(start)) return TextFile::textOfUtf8(bytesOf(start, end));
  return TextFile::textOfUtf8(rangeBytes(start, end));
}

QByteArray EditControl::Impl::prepared(QByteArrayView utf8, long at) {
  pendingBreaks.clear();
  const long displayLine = sci(primary(), Sci::SCI_LINEFROMPOSITION, at);
  const int column = int(std::min<long>(
      at - sci(primary(), Sci::SCI_POSITIONFROMLINE, displayLine), kDisplayLineLength));
  if (!NeedsDisplayBreaks(utf8, column)) return utf8.toByteArray();
  return WithDisplayBreaks(utf8, column, &pendingBreaks);
}

void EditControl::Impl::settleBreaks() {
  const long before = breaks.count();
  breaks.settle([this](long at) { return char(sci(primary(), Sci::SCI_GETCHARAT, at)); });
  // A break that turned out to be a line feed of the text is a character of it after all.
  if (knownLength) *knownLength += before - breaks.count();
}

void EditControl::Impl::trackBreaks(long at, long length, int type) {
  // Called before each change, when the one before it is complete.
  settleBreaks();
  if (type & Sci::SC_MOD_BEFOREDELETE) return breaks.deleting(at, length);
  if (type & (Sci::SC_PERFORMED_UNDO | Sci::SC_PERFORMED_REDO)) return breaks.reinserting(at, length);
  // What the user types, pastes or drops has no breaks: their line ends are CR LF, and text is
  // not dragged about within a view while it has breaks.
  breaks.inserting(at, length, programText ? pendingBreaks : std::vector<long>());
  pendingBreaks.clear();
}

void EditControl::Impl::clearLineMarks() {
  sci(primary(), Sci::SCI_MARKERDELETEALL, kDividerMarker);
  sci(primary(), Sci::SCI_MARKERDELETEALL, kHighlightMarker);
  highlightHandle = -1;
}

// --- text and selection ---

QString EditControl::text() const { return TextFile::textOfUtf8(d->realBytes()); }

QByteArray EditControl::textUtf8() const {
  QByteArray bytes = d->realBytes();
  bytes.detach();  // the buffer behind it changes with the next edit
  return bytes;
}

void EditControl::copyTextUtf8(QByteArray& into) const {
  const QsciScintilla* view = d->primary();
  const long length = sci(view, Sci::SCI_GETLENGTH);
  // The two parts on either side of the editor's gap, each read where it lies.
  const long gap = std::clamp<long>(sci(view, Sci::SCI_GETGAPPOSITION), 0, length);
  into.resize(length);
  char* out = into.data();
  for (const auto& [start, size] : {std::pair{0L, gap}, std::pair{gap, length - gap}}) {
    if (size <= 0) continue;
    const auto* part =
        reinterpret_cast<const char*>(sci(view, Sci::SCI_GETRANGEPOINTER, start, size));
    std::memcpy(out + start, part, size_t(size));
  }
  if (d->breaks.empty()) return;
  // The display breaks go, squeezed out in place.
  long kept = 0;
  long from = 0;
  for (const long at : d->breaks.positions()) {
    std::memmove(out + kept, out + from, size_t(at - from));
    kept += at - from;
    from = at + 1;
  }
  std::memmove(out + kept, out + from, size_t(length - from));
  into.resize(kept + length - from);
}

void EditControl::setText(const QString& text) { setTextUtf8(text.toUtf8()); }

void EditControl::setTextUtf8(QByteArrayView utf8) {
  const QsciScintilla* view = d->primary();
  const Impl::ChangeScope scope{d};
  // Line marks belong to the lines of the old text; they go with it.
  d->clearLineMarks();
  // Keeping the length index up to date through a whole new text costs more than making it
  // again when the length is next asked for.
  if (d->lengthIndex) {
    sci(view, Sci::SCI_RELEASELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF16);
    d->lengthIndex = false;
  }
  sci(view, Sci::SCI_BEGINUNDOACTION);
  sci(view, Sci::SCI_CLEARALL);
  const Impl::ProgramText program{d};
  const QByteArray text = d->prepared(utf8, 0);
  if (!text.isEmpty()) view->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(text.size()), text.data());
  sci(view, Sci::SCI_ENDUNDOACTION);
}

QString EditControl::selectedText() const {
  const QsciScintilla* view = d->active;
  if (!sci(view, Sci::SCI_SELECTIONISRECTANGLE)) {
    return d->textOf(sci(view, Sci::SCI_GETSELECTIONSTART), sci(view, Sci::SCI_GETSELECTIONEND));
  }
  // A column selection is one range per line; read top to bottom, joined as lines of text.
  std::vector<std::pair<long, long>> ranges;
  const long count = sci(view, Sci::SCI_GETSELECTIONS);
  for (long i = 0; i < count; ++i)
    ranges.emplace_back(sci(view, Sci::SCI_GETSELECTIONNSTART, i),
                        sci(view, Sci::SCI_GETSELECTIONNEND, i));
  std::sort(ranges.begin(), ranges.end());
  QStringList lines;
  for (const auto& [start, end] : ranges) lines << d->textOf(start, end);
  return lines.join(QStringLiteral("\r\n"));
}

QByteArray EditControl::selectedTextUtf8() const {
  const QsciScintilla* view = d->active;
  if (sci(view, Sci::SCI_SELECTIONISRECTANGLE)) return selectedText().toUtf8();
  const long start = sci(view, Sci::SCI_GETSELECTIONSTART);
  return d->bytesOf(start, sci(view, Sci::SCI_GETSELECTIONEND));
}

void EditControl::setSelectedText(const QString& text) {
  QsciScintilla* view = d->active;
  // The component's own replacement measures the caret's line to scroll to it, which on a long
  // line costs more than the edit; a run scrolls once, at its end.
  if (d->editRun > 0 && !sci(view, Sci::SCI_SELECTIONISRECTANGLE))
    return setSelectedTextUtf8(text.toUtf8());
  const Impl::ChangeScope scope{d};
  // The selection goes first, so that what comes in is one insertion of known breaks.
  sci(view, Sci::SCI_BEGINUNDOACTION);
  const Impl::ProgramText program{d};
  sci(view, Sci::SCI_REPLACESEL, 0, long(reinterpret_cast<intptr_t>("")));
  const QByteArray utf8 = d->prepared(text.toUtf8(), sci(view, Sci::SCI_GETCURRENTPOS));
  view->SendScintilla(Sci::SCI_REPLACESEL, utf8.constData());
  sci(view, Sci::SCI_ENDUNDOACTION);
}

void EditControl::setSelectedTextUtf8(QByteArrayView utf8) {
  QsciScintilla* view = d->active;
  if (sci(view, Sci::SCI_SELECTIONISRECTANGLE)) return setSelectedText(TextFile::textOfUtf8(utf8));
  // The range takes the text by its length, so nothing is cut at a NUL; the caret ends up after
  // the new text, as a replaced selection leaves it.
  const Impl::ChangeScope scope{d};
  sci(view, Sci::SCI_TARGETFROMSELECTION);
  const Impl::ProgramText program{d};
  const QByteArray text = d->prepared(utf8, sci(view, Sci::SCI_GETTARGETSTART));
  view->SendScintilla(Sci::SCI_REPLACETARGET, uintptr_t(text.size()),
                      text.isEmpty() ? "" : text.data());
  sci(view, Sci::SCI_SETEMPTYSELECTION, sci(view, Sci::SCI_GETTARGETEND));
  d->scrollCaret(view);
  d->noteSelection(view);
}

SelRange EditControl::selection() const {
  const QsciScintilla* view = d->active;
  if (sci(view, Sci::SCI_SELECTIONISRECTANGLE)) {
    const long anchor = sci(view, Sci::SCI_GETRECTANGULARSELECTIONANCHOR);
    const long caret = sci(view, Sci::SCI_GETRECTANGULARSELECTIONCARET);
    const int anchorCol =
        d->columnOf(anchor) + int(sci(view, Sci::SCI_GETRECTANGULARSELECTIONANCHORVIRTUALSPACE));
    const int caretCol =
        d->columnOf(caret) + int(sci(view, Sci::SCI_GETRECTANGULARSELECTIONCARETVIRTUALSPACE));
    const int anchorLine = d->lineOf(anchor);
    const int caretLine = d->lineOf(caret);
    return {std::min(anchorLine, caretLine), std::min(anchorCol, caretCol),
            std::max(anchorLine, caretLine), std::max(anchorCol, caretCol), true};
  }
  const long start = sci(view, Sci::SCI_GETSELECTIONSTART);
  const long end = sci(view, Sci::SCI_GETSELECTIONEND);
  return {d->lineOf(start), d->columnOf(start), d->lineOf(end), d->columnOf(end), false};
}

void EditControl::setSelection(const SelRange& range, bool scroll) {
  const QsciScintilla* view = d->active;
  const long anchor = d->position(range.startLine, range.startCol);
  const long caret = d->position(range.endLine, range.endCol);
  d->selecting = true;
  if (range.columnSel) {
    sci(view, Sci::SCI_SETRECTANGULARSELECTIONANCHOR, anchor);
    sci(view, Sci::SCI_SETRECTANGULARSELECTIONANCHORVIRTUALSPACE, 0);
    sci(view, Sci::SCI_SETRECTANGULARSELECTIONCARET, caret);
    sci(view, Sci::SCI_SETRECTANGULARSELECTIONCARETVIRTUALSPACE, 0);
  } else {
    // Emptying first ends a column selection, which a plain range would otherwise keep.
    sci(view, Sci::SCI_SETEMPTYSELECTION, anchor);
    sci(view, Sci::SCI_SETCURRENTPOS, caret);
  }
  if (scroll && d->editRun > 0)
    d->scrollAfterRun = true;
  else if (scroll)
    sci(view, Sci::SCI_SCROLLRANGE, anchor, caret);
  d->selecting = false;
  d->noteSelection(d->active);
}

int EditControl::textLength() const {
  d->countPendingInsert();
  d->settleBreaks();
  if (d->knownLength) return int(*d->knownLength);
  const QsciScintilla* view = d->primary();
  // The document keeps a per-line count of UTF-16 units once asked to, which turns this from
  // a scan of the whole text into a look-up. Each display break is one unit of it.
  d->ensureLengthIndex();
  return int(sci(view, Sci::SCI_INDEXPOSITIONFROMLINE, sci(view, Sci::SCI_GETLINECOUNT),
                 Sci::SC_LINECHARACTERINDEX_UTF16) -
             d->breaks.count());
}

int EditControl::lineCount() const { return d->realLineCount(); }

int EditControl::lineLength(int line) const {
  if (line < 0 || line >= lineCount()) return 0;
  return d->columnOf(d->lineEnd(line));
}

QString EditControl::lineText(int line) const {
  if (line < 0 || line >= lineCount()) return {};
  return d->textOf(d->lineStart(line), d->lineEnd(line));
}

QString EditControl::linesText(int first, int last) const {
  if (first > last || first < 0 || last >= lineCount()) return {};
  return d->textOf(d->lineStart(first), d->lineEnd(last));
}

std::vector<std::pair<int, int>> EditControl::linesChangedSinceMark() const {
  const long length = sci(d->primary(), Sci::SCI_GETLENGTH);
  std::vector<std::pair<int, int>> lines;
  for (const auto& [from, to] : d->changedSinceMark.ranges())
    lines.emplace_back(d->lineOf(std::min(from, length)), d->lineOf(std::min(to, length)));
  return lines;
}

void EditControl::markChanges() { d->changedSinceMark.clear(); }

QPoint EditControl::pointOfPosition(int line, int column) const {
  const QsciScintilla* view = d->active;
  const long at = d->position(line, column);
  const QPoint inViewport(int(sci(view, Sci::SCI_POINTXFROMPOSITION, 0, at)),
                          int(sci(view, Sci::SCI_POINTYFROMPOSITION, 0, at)));
  return view->viewport()->mapTo(this, inViewport);
}

QWidget* EditControl::focusWidget() const { return d->active; }

QsciScintilla* EditControl::primaryView() const { return d->primary(); }

}  // namespace platform
