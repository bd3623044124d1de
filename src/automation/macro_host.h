// What a macro script may touch: the editor's text and selection, the shared selection range,
// the clipboard, the desktop's "open" verb and the current document's path. Scripts run over
// this and nothing else, so the interpreter works the same for the menu, the events and tests.
#pragma once

#include <QString>

#include "platform/edit_control.h"

namespace automation {

class MacroHost {
 public:
  virtual ~MacroHost() = default;

  // The edits of one run, from its first statement to its last, undo as one step, and whoever
  // listens to the editor hears of them once, when the run ends. Runs nest.
  virtual void beginRun() = 0;
  virtual void endRun() = 0;

  virtual QString text() const = 0;
  virtual qsizetype textLength() const = 0;  // characters of text()
  // Replaces the whole text as one undoable edit. Taken by value, so that a big text handed over
  // with std::move can be let go once the editor's copy is under way.
  virtual void setText(QString text) = 0;
  virtual QString selectedText() const = 0;  // "" when nothing is selected
  // Replaces the selection, or inserts at the caret when nothing is selected.
  virtual void setSelectedText(const QString& text) = 0;
  virtual bool hasSelection() const = 0;
  // The editor's own selection, which a search inside the selection counts from.
  virtual platform::SelRange selection() const = 0;
  // Lines as the editor counts them; a selection made by column is kept inside its line.
  virtual int lineCount() const = 0;
  virtual int lineLength(int line) const = 0;  // characters, without the line end
  // False while the document takes no edits (a file opened read-only): scripts change nothing.
  virtual bool acceptsEdits() const = 0;

  // The range the main window shares between the commands that select: as the last reader
  // stored it. Applying stores it, selects it in the editor and scrolls it into view.
  virtual platform::SelRange sharedRange() const = 0;
  virtual void applySharedRange(const platform::SelRange& range) = 0;

  virtual QString clipboardText() const = 0;
  virtual void setClipboardText(const QString& text) = 0;
  virtual void clearClipboard() = 0;

  // The desktop's "open" verb on a document, a program or an address; nobody waits for it.
  virtual void shellOpen(const QString& target) = 0;
  // The full path of the current document; "" for an untitled one.
  virtual QString openedFile() const = 0;
};

}  // namespace automation
