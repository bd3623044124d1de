// Editing operations of the control: undo and the clipboard, line deletion, dividers, the
// numbered commands and the control's own key bindings.
#include <Qsci/qscicommandset.h>

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QSet>
#include <algorithm>
#include <limits>
#include <optional>

#include "platform/clipboard.h"
#include "platform/edit_control_impl.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

// The line number the user typed, read like the classic Val(): leading blanks skipped, then
// the leading digits ("12abc" is 12). Nothing when the text does not start with a digit.
std::optional<qint64> typedLineNumber(const QString& typed) {
  constexpr qint64 kCap = std::numeric_limits<int>::max();
  qsizetype i = 0;
  while (i < typed.size() && typed[i].isSpace()) ++i;
  qint64 value = 0;
  const qsizetype firstDigit = i;
  for (; i < typed.size() && typed[i] >= u'0' && typed[i] <= u'9'; ++i)
    value = std::min(kCap, value * 10 + (typed[i].unicode() - u'0'));
  if (i == firstDigit) return std::nullopt;
  return value;
}

int combinedKey(const QKeySequence& key) { return key.count() == 1 ? key[0].toCombined() : 0; }

}  // namespace

void EditControl::undo() {
  const Impl::ChangeScope scope{d};
  d->active->undo();
}
void EditControl::redo() {
  const Impl::ChangeScope scope{d};
  d->active->redo();
}
void EditControl::cut() {
  const Impl::ChangeScope scope{d};
  if (!d->selectionHasBreaks()) return d->active->cut();
  copy();
  sci(d->active, Sci::SCI_CLEAR);
}
void EditControl::copy() {
  // The component would copy the display breaks as line ends of the text.
  if (!d->selectionHasBreaks()) return d->active->copy();
  QApplication::clipboard()->setText(selectedText());
}
void EditControl::paste() {
  const Impl::ChangeScope scope{d};
  d->active->paste();
}
bool EditControl::canUndo() const { return sci(d->active, Sci::SCI_CANUNDO) != 0; }
bool EditControl::canRedo() const { return sci(d->active, Sci::SCI_CANREDO) != 0; }
bool EditControl::canCopy() const { return sci(d->active, Sci::SCI_GETSELECTIONEMPTY) == 0; }
bool EditControl::canPaste() const {
  // Scintilla only knows whether the text may take a paste; whether there is anything to
  // paste is the clipboard's to say.
  return sci(d->active, Sci::SCI_CANPASTE) != 0 && ClipboardHasText();
}

bool EditControl::canCut() const { return canCopy() && sci(d->active, Sci::SCI_GETREADONLY) == 0; }

void EditControl::deleteLine(int line) {
  const QsciScintilla* view = d->primary();
  const long lines = lineCount();
  if (line < 0 || line >= lines) return;
  long start = d->lineStart(line);
  long end = line + 1 < lines ? d->lineStart(line + 1) : sci(view, Sci::SCI_GETLENGTH);
  if (line == lines - 1 && line > 0) {
    // The last line has no line end of its own: the one before it goes instead.
    start = d->lineEnd(line - 1);
  }
  const Impl::ChangeScope scope{d};
  sci(view, Sci::SCI_DELETERANGE, start, end - start);
}

void EditControl::setDivider(int line, bool on) {
  if (line < 0 || line >= lineCount()) return;
  const QsciScintilla* view = d->primary();
  // The underline goes under the last display line of a long line.
  sci(view, on ? Sci::SCI_MARKERADD : Sci::SCI_MARKERDELETE, d->lastDisplayLine(line),
      kDividerMarker);
}

bool EditControl::hasDivider(int line) const {
  if (line < 0 || line >= lineCount()) return false;
  return (sci(d->primary(), Sci::SCI_MARKERGET, d->lastDisplayLine(line)) &
          (1L << kDividerMarker)) != 0;
}

bool EditControl::executeCommand(EditCommand code, const QString& argument) {
  QsciScintilla* view = d->active;
  switch (code) {
    case EditCommand::SelectAll:
      sci(view, Sci::SCI_SELECTALL);
      return true;
    case EditCommand::GoToLine: {
      const std::optional<qint64> typed = typedLineNumber(argument);
      if (!typed) return false;
      // 0 and numbers past the end land on the first and the last line.
      const long line = std::clamp<qint64>(*typed - 1, 0, lineCount() - 1);
      const long displayLine = d->firstDisplayLine(int(line));
      sci(view, Sci::SCI_ENSUREVISIBLEENFORCEPOLICY, displayLine);
      sci(view, Sci::SCI_GOTOLINE, displayLine);
      d->noteSelection(view);
      return true;
    }
    case EditCommand::SetFindText:
      d->findText = argument;
      return true;
    case EditCommand::FindDialog:
    case EditCommand::ReplaceDialog:
      d->openFindDialog(code == EditCommand::ReplaceDialog);
      return true;
    case EditCommand::FindNext: {
      // Nothing searched for yet is as good as not found: the caller decides what to ask.
      if (d->findText.isEmpty()) return false;
      const FindResult result = d->search(d->findText, d->findOptions);
      return result == FindResult::Found || result == FindResult::Wrapped;
    }
  }
  return false;
}

QString EditControl::findText() const { return d->findText; }

void EditControl::releaseKeys(const QList<QKeySequence>& keys) {
  // One pass over the component's commands: a pass per key cost a third of a millisecond of
  // every start.
  for (const QKeySequence& sequence : keys)
    if (const int key = combinedKey(sequence)) d->releasedKeys.insert(key);
  for (auto* view : d->made()) d->releaseKeysOf(view);
}

void EditControl::Impl::releaseKeysOf(QsciScintilla* view) const {
  for (QsciCommand* command : view->standardCommands()->commands()) {
    if (releasedKeys.contains(command->key())) command->setKey(0);
    if (releasedKeys.contains(command->alternateKey())) command->setAlternateKey(0);
  }
}

bool EditControl::bindsKey(const QKeySequence& key) const {
  const int combined = combinedKey(key);
  return combined != 0 && d->primary()->standardCommands()->boundTo(combined) != nullptr;
}

}  // namespace platform
