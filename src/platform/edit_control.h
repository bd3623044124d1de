// The editing control: everything the program does with the text widget goes through here,
// so nothing of QScintilla leaks into the rest of the program.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/text_file.h"

class QsciLexer;
class QsciScintilla;
class QSplitter;
class QPrinter;
class QKeySequence;

namespace platform {

// A selection, normalised so that (startLine, startCol) <= (endLine, endCol); a column
// selection gives its top left and bottom right corners.
// Lines and columns are 0-based; columns count characters, not bytes (UTF-16 units, as QString
// counts them, so a column indexes lineText() directly).
struct SelRange {
  int startLine = 0;
  int startCol = 0;
  int endLine = 0;
  int endCol = 0;
  bool columnSel = false;  // a rectangular (column) selection
  bool operator==(const SelRange&) const = default;
};

// One key press as the program's handlers see it. `shift` holds 1 Shift, 2 Ctrl, 4 Alt, added.
// A handler that sets `handled` keeps the key from reaching the text.
struct KeyPress {
  int key = 0;  // Qt::Key code
  int shift = 0;
  bool handled = false;
  unsigned xkbKeycode = 0;  // the key's place on the keyboard (XkbKeycode); 0 when unknown
  bool keypad = false;      // the key lies on the numeric pad
};

// Command codes understood by executeCommand().
enum class EditCommand : int {
  SelectAll = 137,
  // Argument: the 1-based line number as the user typed it, read like Val(): leading blanks
  // skipped, then the leading digits ("12abc" is 12); 0 and numbers past the end go to the
  // first and the last line. No digits at all ("", "abc", "-3"): nothing happens, false.
  GoToLine = 168,
  ReplaceDialog = 169,  // the control's own replace window, beside the text
  // The last search again, from the selection on; false when nothing was found or nothing
  // has been searched for yet.
  FindNext = 176,
  // The control's own find window, beside the text, holding the selection when it is on one
  // line, else the last text searched for.
  FindDialog = 178,
  SetFindText = 179,  // argument: the text
};

// How the control's search looks for a text. Whole word does not apply to a regular expression.
struct FindOptions {
  bool matchCase = false;
  bool wholeWord = false;
  bool regExp = false;  // ECMAScript syntax, within one line; \1..\9 in a replacement
  bool up = false;      // towards the start of the text
  bool wrap = true;     // go on from the other end when this one is reached
  bool operator==(const FindOptions&) const = default;
};

// The editor's font with one of the font styles of the colour settings: 0 normal, 1 bold,
// 2 italic, 3 bold and italic, 4 underlined; anything else is normal.
QFont FontWithStyle(QFont base, int style);

// A lexer that QScintilla attaches as one the program styles itself, and that takes its own
// language only once attached: QScintilla colours the whole text at once when a lexer with a
// language of its own is set, a long wait on a large text for lines nobody looks at. Told it is
// attached, it sets its language, word lists and properties on the view; the text is then
// coloured as it is shown.
class DeferredLexer {
 public:
  virtual ~DeferredLexer() = default;
  virtual void attached(QsciScintilla& view) = 0;
};

// Colours of what no lexer paints. An invalid colour leaves that part as it is.
struct ViewColours {
  QColor text = Qt::black;   // plain text
  QColor textBack = Qt::white;
  int textStyle = 0;         // font style, as FontWithStyle takes it
  QColor gutter;              // the symbol margin
  QColor lineNumbers;
  QColor lineNumbersBack;
  int lineNumbersStyle = 0;
  QColor currentLine = QColor(0xFF, 0xF1, 0xB8);  // the marked caret line
  QColor whiteSpace;          // the marks of visible white space
  QColor unmatchedBrace;
  bool operator==(const ViewColours&) const = default;
};

enum class FindResult {
  Found,
  Wrapped,  // found after going on from the other end
  NotFound,
  BadPattern,  // the regular expression does not compile
};

class EditControl : public QWidget {
  Q_OBJECT
 public:
  explicit EditControl(QWidget* parent = nullptr);
  ~EditControl() override;

  // --- Text and selection ---
  QString text() const;
  // Replaces everything, as one undoable step; dividers and the highlighted line go with the
  // old text.
  void setText(const QString& text);
  QString selectedText() const;               // "" when nothing is selected
  void setSelectedText(const QString& text);  // replaces the selection or inserts at the caret
  // The same four as UTF-8 (CR LF line ends), for large texts going to and from files and other
  // programs: no QString copy of the text is made on the way.
  QByteArray textUtf8() const;
  // The same text copied into `into`, whose memory is reused when it is large enough: neither the
  // editor's buffer is rearranged nor fresh memory touched, so a copy of a large document taken
  // again and again (to keep it for recovery) stays cheap.
  void copyTextUtf8(QByteArray& into) const;
  void setTextUtf8(QByteArrayView utf8);
  QByteArray selectedTextUtf8() const;
  void setSelectedTextUtf8(QByteArrayView utf8);
  SelRange selection() const;
  void setSelection(const SelRange& range, bool scroll = true);
  int textLength() const;  // in characters
  int lineCount() const;
  int lineLength(int line) const;    // characters, without the line end
  QString lineText(int line) const;  // without the line end
  // Lines first to last, joined by their own line ends (the last one's left off).
  QString linesText(int first, int last) const;
  // The lines the changes since the last mark lie on, as runs (first, last) from the top: for
  // whoever looks after changes (replace-as-you-type) and needs to read only what they made.
  std::vector<std::pair<int, int>> linesChangedSinceMark() const;
  void markChanges();
  QPoint pointOfPosition(int line, int column) const;  // inside this widget, in the active view

  // --- Editing and commands ---
  // A run of edits by the program (a script's): from begin to end they undo as one step, the
  // view is not scrolled to each of them, and the change and selection events come once, at the
  // end, when the caret is also brought into view. Runs nest; only the outermost one counts.
  void beginEditRun();
  void endEditRun();
  bool inEditRun() const;
  void undo();
  void redo();
  void cut();
  void copy();
  void paste();
  bool canUndo() const;
  bool canRedo() const;
  bool canCut() const;
  bool canCopy() const;
  bool canPaste() const;
  void deleteLine(int line);
  void setDivider(int line, bool on);
  bool hasDivider(int line) const;
  // Runs one of the codes above; returns false for a code this control cannot run (yet).
  bool executeCommand(EditCommand code, const QString& argument = QString());
  // The text SetFindText or the last search stored, for the find commands.
  QString findText() const;

  // --- Search (the find and replace dialogs and FindNext work through these) ---
  // Looks for `what` after the selection (before it, going up) and selects the occurrence.
  // Remembers `what` and the options as the last search, which FindNext repeats.
  FindResult find(const QString& what, const FindOptions& options);
  // When the selection is an occurrence of `what`, puts `with` in its place; then finds the
  // next occurrence either way.
  FindResult replace(const QString& what, const QString& with, const FindOptions& options);
  // Replaces every occurrence in the whole text, left to right, as one undo step. Returns how
  // many; nullopt for a regular expression that does not compile. Direction and wrap do not
  // matter here.
  std::optional<int> replaceAll(const QString& what, const QString& with,
                                const FindOptions& options);
  FindOptions findOptions() const;

  // Removes the control's own key bindings for these keys, so that the program's shortcuts win.
  void releaseKeys(const QList<QKeySequence>& keys);
  // True when the control itself would act on this key (a binding not released).
  bool bindsKey(const QKeySequence& key) const;

  // How a file was read: whether it changed size under the reader (the text is then only what
  // was read) and what writing the text back would change.
  struct ReadReport {
    bool partial = false;
    ReadFidelity fidelity;
  };
  // Loads a file as the text (undo history cleared, no change event left pending as "modified").
  // Returns an error description on failure (also for anything but a regular file); the text
  // is then unchanged.
  std::optional<QString> openFile(const QString& path, ReadReport* report = nullptr);
  // Loading a big file in pieces (see PieceReader) while the window lives: the old text goes and
  // the control is read-only; pieces go in at the end as they come; endLoad makes the document
  // what openFile would have (no undo history, not modified, caret at the start), whether all
  // the file came or not. Nothing is reported as a change until then.
  void beginLoad(qint64 expectedBytes);
  // Whether the text of the next load in pieces is to be coloured. When it is not, the text is
  // kept without the style byte per byte of text that colours need; colours chosen later (a
  // lexer maker set while colouring is on) move it into a styled document, and its undo history
  // is lost then (ask first: holdsNoColours).
  void expectColours(bool coloured);
  bool holdsNoColours() const;
  // How many buffers of the text's size the next load in pieces makes: the text's, and the
  // styles' unless the text comes without colours.
  int buffersForLoad() const;
  // The bytes the control's buffers take for a load of that many decoded bytes, display breaks
  // and the component's one spare byte included.
  static qsizetype loadBufferBytes(qint64 expectedBytes);
  void appendLoaded(QByteArrayView utf8, const std::vector<long>& breakOffsets);
  // `utf16Length`: the whole text's length, when the loader counted it (see textLength).
  void endLoad(const TextFormat& format, std::optional<long> utf16Length = std::nullopt);
  bool isLoading() const;
  // Writes the text in the document's own format (see TextFile); the old file survives a failure.
  std::optional<QString> saveFile(const QString& path);
  const TextFormat& fileFormat() const;
  void setFileFormat(const TextFormat& format);

  // Prints the whole text to a printer already chosen by the caller.
  bool print(QPrinter& printer);

  // --- View settings ---
  void setTabSize(int size);
  int tabSize() const;
  void setLeftMarginVisible(bool on);
  bool leftMarginVisible() const;
  void setLineNumbersVisible(bool on);
  bool lineNumbersVisible() const;
  void setLineNumberBase(int base);  // 2..36; 16 shows hexadecimal numbers in the margin
  int lineNumberBase() const;
  QString lineNumberText(int line) const;  // what the margin shows for a 0-based line
  void setWhiteSpaceVisible(bool on);
  bool whiteSpaceVisible() const;
  // Colouring on with a lexer maker set colours the text; off, or with no maker, it is plain.
  void setColouringEnabled(bool on);
  bool colouringEnabled() const;
  // Makes the lexer of one view for the editor's font. Each view of a split gets its own (they
  // paint on their own), and they are made again when the font changes. An empty maker means
  // plain text.
  using LexerMaker = std::function<QsciLexer*(QObject* parent, const QFont& font)>;
  void setLexerMaker(LexerMaker make);
  QsciLexer* lexer() const;  // the primary view's; nullptr while the text is plain
  void setViewColours(const ViewColours& colours);
  const ViewColours& viewColours() const;
  void setWindowsLineEnds(bool on);  // line-end style files are written with
  bool windowsLineEnds() const;
  void setKeywordCaseCorrection(bool on);
  bool keywordCaseCorrection() const;
  void setColumnSelectionMode(bool on);
  bool columnSelectionMode() const;
  void setSplitterAllowed(bool on);
  bool splitterAllowed() const;
  void setSplitterPosition(int y);  // height of the upper view in pixels
  int splitterPosition() const;
  void setHighlightedLine(int line);  // -1: none
  int highlightedLine() const;
  void setEditorFont(const QString& name, int pointSize, int charSet);
  QFont editorFont() const;
  int editorCharSet() const;
  void setWrap(int wrap);  // 0 or 1
  int wrap() const;
  // A read-only text takes no edits, from the user or the program, until this is turned off;
  // loading a file turns it off.
  void setReadOnly(bool on);
  bool isReadOnly() const;

  // The widget that should receive the keyboard focus: the view the user worked in last (the
  // "active" view, which selection, clipboard and undo calls act on).
  QWidget* focusWidget() const;
  QsciScintilla* primaryView() const;  // for the platform layer's own dialogs only

 Q_SIGNALS:
  // Every edit of the text, by the user or the program (openFile and replaceAll: once, at
  // the end).
  void changed();
  // The caret or the selection of the active view moved, once per move. A move made by a call
  // is reported at once; one made by typing when the view next updates (the event loop).
  void selectionChanged();
  // Before the key reaches the text; Shift, Ctrl and Alt come as presses of their own too.
  void keyDown(platform::KeyPress& press);
  // x and y inside this widget.
  void mouseDown(Qt::MouseButton button, int shift, int x, int y);
  void mouseUp(Qt::MouseButton button, int shift, int x, int y);
  // Only when the focus enters or leaves the control as a whole: moving between the views,
  // a pop-up menu or another window taking over are not leaving it.
  void gotFocus();
  void lostFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Impl;
  Impl* d;
};

}  // namespace platform
