// The host one script run works through. The whole text stays here between statements that only
// read or replace the whole text, and reaches the editor in one undoable step before anything that
// needs the editor's own state (selection, lines, inserting at the caret) and when the run ends.
// Clipboard, shell and the document's path never touch the editor and pass straight through.
// No edit may make the text longer than a limit: a script that doubles the text would otherwise
// take all the memory there is.
#pragma once

#include <optional>

#include "automation/macro_host.h"
#include "automation/script_text.h"

namespace automation {

class ScriptHost final : public MacroHost {
 public:
  // The run of the editor begins here and ends with finish(). An edit that would make the text
  // longer than `textLimit` characters is refused, and limitReached() tells of it.
  ScriptHost(MacroHost& editor, qsizetype textLimit);
  ~ScriptHost() override;
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  // Replaces every occurrence in the whole text (see ScriptText::replaceAll).
  qsizetype replaceInText(QStringView what, QStringView with);
  // Whether the selection may be replaced by a text of `length` characters; when not, the limit
  // counts as reached. For a command that would otherwise build that text first.
  bool admitsSelectedText(qsizetype length);
  bool limitReached() const { return m_limitReached; }
  // Hands a changed text to the editor and ends the editor's run; the run calls it at its end.
  void finish();

  void beginRun() override { m_editor.beginRun(); }
  void endRun() override { m_editor.endRun(); }
  QString text() const override;
  qsizetype textLength() const override;
  void setText(QString text) override;
  QString selectedText() const override;
  void setSelectedText(const QString& text) override;
  bool hasSelection() const override;
  platform::SelRange selection() const override;
  int lineCount() const override;
  int lineLength(int line) const override;
  bool acceptsEdits() const override { return m_editor.acceptsEdits(); }
  platform::SelRange sharedRange() const override;
  void applySharedRange(const platform::SelRange& range) override;

  QString clipboardText() const override { return m_editor.clipboardText(); }
  void setClipboardText(const QString& text) override { m_editor.setClipboardText(text); }
  void clearClipboard() override { m_editor.clearClipboard(); }
  void shellOpen(const QString& target) override { m_editor.shellOpen(target); }
  QString openedFile() const override { return m_editor.openedFile(); }

 private:
  ScriptText& kept() const;
  // Hands a changed kept text to the editor. A text that was only read stays kept until the
  // editor's text is changed there.
  void flush() const;

  MacroHost& m_editor;
  qsizetype m_limit;
  bool m_limitReached = false;
  bool m_inRun = true;
  // Both mutable: reading through a const call may load or hand over the text, which changes
  // nothing a caller can see.
  mutable std::optional<ScriptText> m_text;
  mutable bool m_changed = false;
};

}  // namespace automation
