// Private state of EditControl, shared by the files that implement it. Nothing outside
// src/platform/edit_control_*.cpp includes this header.
#pragma once

#include <Qsci/qsciscintilla.h>

#include <QByteArrayView>
#include <QFont>
#include <QKeyEvent>
#include <QSplitter>
#include <QSet>
#include <array>
#include <span>

#include "platform/changed_ranges.h"
#include "platform/display_breaks.h"
#include "platform/edit_control.h"
#include "platform/joined_lexing.h"

namespace platform {

class FindDialog;
class ReplaceDialog;

// The program's own line marks. High marker numbers, so that symbol markers added later
// (bookmarks) keep the low ones; the symbol margin never shows these two.
inline constexpr int kDividerMarker = 23;
inline constexpr int kHighlightMarker = 24;
// Marks a display line that goes on with the line above it (see display_breaks.h).
inline constexpr int kJoinMarker = 22;

// The reports the counted length and the display breaks are kept by (see trackChange). Every
// change of the text must reach the primary view with them, also while a bulk change silences
// everything else: a replace-all that silenced them left the status bar's count as it was.
inline constexpr long kTrackedChanges =
    QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE;

// Sends a message to Scintilla with integer arguments (the one overload we need most).
inline long sci(const QsciScintilla* view, unsigned msg, long wParam = 0, long lParam = 0) {
  return view->SendScintilla(msg, static_cast<unsigned long>(wParam), lParam);
}

// What identifies a view's selection: when none of it moves, no selection event is due.
struct SelectionKey {
  long anchor = -1;
  long caret = -1;
  long anchorSpace = 0;
  long caretSpace = 0;
  long ranges = 0;
  bool rectangular = false;
  bool operator==(const SelectionKey&) const = default;
};

struct EditControl::Impl {
  explicit Impl(EditControl* owner) : q(owner) {}

  EditControl* q;
  QSplitter* splitter = nullptr;
  // The lower view of the split is made when the split is first allowed: few sessions split,
  // and each editor (the text's, the code library's) paid a third of a millisecond of every
  // start for a view nobody saw.
  std::array<QsciScintilla*, 2> views{};
  QsciScintilla* active = nullptr;  // the view the user works in: the one focused last

  // A new document is written in UTF-8, the system's own encoding.
  TextFormat format{Encoding::Utf8, false, LineEnd::CrLf};
  QString findText;
  FindOptions findOptions;
  FindDialog* findDialog = nullptr;  // made when first asked for; children of the control
  ReplaceDialog* replaceDialog = nullptr;
  QFont font;
  EditControl::LexerMaker lexerMaker;
  ViewColours colours;
  int charSet = 0;
  int tabSize = 4;
  int lineNumberBase = 10;
  int wrap = 0;
  int splitterPosition = 0;
  int highlightHandle = -1;
  bool leftMargin = false;
  bool lineNumbers = false;
  bool whiteSpace = false;
  bool colouring = true;
  bool keywordCase = false;
  bool columnSelection = false;
  bool splitterAllowed = false;
  bool focusInside = false;
  bool loading = false;    // a file or a replace-all is coming in: no events until it is done
  bool selecting = false;  // a selection is being set in steps: one event at the end
  int editRun = 0;         // nesting of beginEditRun: events and scrolling wait for its end
  bool scrollAfterRun = false;  // an edit or a selection of the run wanted the caret in view
  mutable bool lengthIndex = false;
  // The text's length in UTF-16 units as loading counted it, kept up to date by each change
  // (see trackChange, kTrackedChanges): it spares making the length index of a big file, a
  // pause of its own.
  std::optional<long> knownLength;
  bool changePending = false;  // Scintilla announced a change that nobody has heard of yet
  long knownLineCount = 1;
  ChangedRanges changedSinceMark;
  DisplayBreaks breaks;
  SelectionKey lastSelection;

  QsciScintilla* primary() const { return views[0]; }
  // The views made so far: the upper one, and the lower one once the split was allowed.
  std::span<QsciScintilla* const> made() const { return {views.data(), views[1] ? 2u : 1u}; }
  QsciScintilla* lowerView();  // made on first use, with every setting the upper one has
  QSet<int> releasedKeys;      // the component's own key bindings the program took over
  // The document keeps no style byte per byte of text: a big file loaded while nothing was to
  // colour it. Colours wanted later move the text into a styled document.
  bool plainDocument = false;
  bool coloursExpected = true;  // by the next load in pieces (see expectColours)
  // --- edit_control_document.cpp ---
  // A new empty document in every view, with or without style bytes, set up as the old one was.
  // False, with the old document kept, when there is no memory for one.
  bool newDocument(bool styled);
  // The text, its marks and every view's place moved into a styled document; the undo history
  // stays behind.
  void makeStyledDocument();
  void releaseKeysOf(QsciScintilla* view) const;

  // --- edit_control.cpp: positions and text ---
  void setUpView(QsciScintilla* view);
  QByteArrayView documentBytes() const;  // as the component holds it, display breaks and all
  // The text without display breaks: the document's own buffer when it has none.
  QByteArray realBytes() const;
  // Byte position of a 0-based line and column (UTF-16 units); clamped into the document.
  // Lines and columns are the text's own (see display_breaks.h); positions are the component's.
  long position(int line, int column) const;
  int lineOf(long position) const;
  int columnOf(long position) const;
  QString textOf(long start, long end) const;  // display breaks left out
  QByteArrayView rangeBytes(long start, long end) const;  // valid until the next change
  QByteArray bytesOf(long start, long end) const;
  int realLineCount() const;
  long firstDisplayLine(int line) const;  // the component's line where a line of the text starts
  long lastDisplayLine(int line) const;
  long lineStart(int line) const;
  long lineEnd(int line) const;
  void ensureLengthIndex() const;
  // Text from the program as it goes in at `at`: with breaks where its lines are long. The
  // next insertion is taken to carry exactly those (see ProgramText).
  QByteArray prepared(QByteArrayView utf8, long at);
  void trackBreaks(long at, long length, int type);
  // Before each change: its breaks (trackBreaks) and the counted length, kept up to date.
  void trackChange(long at, long length, int type, const char* text);
  // An insertion whose bytes are not counted yet: [at, at + length), holding `breaks` breaks.
  struct PendingInsert {
    long at = 0;
    long length = 0;
    long breaks = 0;
  };
  std::optional<PendingInsert> pendingInsert;
  void countPendingInsert();
  // While one lives, what goes into the text comes from the program: its display breaks are
  // those prepared() put in, and no lone LF of it is taken for one.
  struct ProgramText {
    Impl* d;
    explicit ProgramText(Impl* impl) : d(impl) { d->programText = true; }
    ~ProgramText() {
      d->programText = false;
      d->pendingBreaks.clear();
    }
  };
  bool programText = false;
  std::vector<long> pendingBreaks;
  // Breaks restored by undo or redo are checked once their bytes are in, before anything else
  // changes or reads the text.
  void settleBreaks();
  void clearLineMarks();

  // --- edit_control_events.cpp: signals and focus ---
  void wire(QsciScintilla* view);
  // Views announce a change before making it; it is reported once made: when the call or the
  // key that made it is done, or else (a drop, an input method) when the event loop comes round.
  void noteChangeComing(long at, long length, bool inserting);
  void noteWholeTextChanged();
  // A key that would act on a display break (deleting it, or moving over it as if it were a
  // character) acts on the text beyond it instead: the caret is put past the break first.
  void stepOverBreak(QsciScintilla* view, const QKeyEvent& key);
  // Home and End on a line cut for display go to the ends of the line of the text, as on any
  // other line; true when the key was taken.
  bool homeOrEnd(QsciScintilla* view, const QKeyEvent& key);
  bool selectionHasBreaks() const;
  void reportChange();
  // Reports the changes made while it lives, when it ends.
  struct ChangeScope {
    Impl* d;
    ~ChangeScope() { d->reportChange(); }
  };
  SelectionKey selectionKey(const QsciScintilla* view) const;
  void noteSelection(QsciScintilla* view);
  // The caret into view now, or at the end of the edit run under way (edit_control_run.cpp).
  void scrollCaret(QsciScintilla* view);
  void makeActive(QsciScintilla* view);
  void focusEntered(QsciScintilla* view);
  void focusLeft(QFocusEvent* event);
  int viewIndex(const QObject* object, bool* isViewport) const;

  // --- edit_control_colour.cpp: lexer, font and colours, made afresh as one look ---
  void applyLook(QsciScintilla* view);
  // The look applied afresh to every view, the line numbers with it; a document without style
  // bytes is moved into a styled one first when colours are wanted now.
  void applyLookEverywhere();
  void applyMarginLook(QsciScintilla* view);
  // A view whose built-in lexer colours through a scratch document while the text has display
  // breaks; none for a view that colours itself.
  std::array<std::unique_ptr<JoinedLexing>, 2> joinedLexing;
  // The look again where the breaks came or went since it was applied: a built-in lexer has to
  // change how it colours.
  void fitLexing();

  // --- edit_control_view.cpp: settings applied to both views ---
  void applyLineNumbers();
  void applySplitterSizes();
  void applyJoinMarks();
  void markVisibleJoins(QsciScintilla* view);
  bool joinsMarked = false;

  // --- edit_control_search.cpp ---
  FindResult search(const QString& what, const FindOptions& options);
  void openFindDialog(bool replacing);

  // --- edit_control_file.cpp ---
  // Loading: the old text goes, the new one comes in pieces, then the document is as opened.
  // `size`: the buffer's, so it is allocated once and no larger than needed (see loadBufferBytes).
  void beginLoad(qsizetype size);
  void appendLoaded(QByteArrayView utf8, const std::vector<long>& breakOffsets);
  void endLoad(const TextFormat& fileFormat, std::optional<long> utf16Length);
  bool piecewise = false;  // a load in pieces is under way: the user may look, not change
};

}  // namespace platform
