// The host one script run works through. The whole text stays here between statements that only
// read or replace the whole text, and reaches the editor in one undoable step before anything that
// needs the editor's own state (selection, lines, inserting at the caret) and when the run ends.
// Clipboard, shell and the document's path never touch the editor and pass straight through.
#pragma once

#include <optional>

#include "automation/macro_host.h"
#include "automation/script_text.h"

namespace automation {

class ScriptHost final : public MacroHost {
 public:
  explicit ScriptHost(MacroHost& editor) : m_editor(editor) {}
  ~ScriptHost() override { finish(); }
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  // Replaces every occurrence in the whole text (see ScriptText::replaceAll).
  qsizetype replaceInText(QStringView what, QStringView with);
  // Hands a changed text to the editor; the run calls it at its end.
  void finish() { flush(); }

  QString text() const override;
  void setText(const QString& text) override;
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
  // Both mutable: reading through a const call may load or hand over the text, which changes
  // nothing a caller can see.
  mutable std::optional<ScriptText> m_text;
  mutable bool m_changed = false;
};

}  // namespace automation
