#include "automation/editor_macro_host.h"

#include "platform/clipboard.h"
#include "platform/edit_control.h"
#include "platform/shell.h"

namespace automation {

EditorMacroHost::EditorMacroHost(platform::EditControl& edit, platform::Clipboard& clipboard,
                                 platform::Shell& shell, Window window)
    : m_edit(edit), m_clipboard(clipboard), m_shell(shell), m_window(std::move(window)) {}

void EditorMacroHost::beginRun() { m_edit.beginEditRun(); }
void EditorMacroHost::endRun() { m_edit.endEditRun(); }
QString EditorMacroHost::text() const { return m_edit.text(); }
qsizetype EditorMacroHost::textLength() const { return m_edit.textLength(); }
void EditorMacroHost::setText(QString text) {
  // The editor's UTF-8 first, then the text goes: a gigabyte of text is not held three times.
  const QByteArray utf8 = text.toUtf8();
  text = QString();
  m_edit.setTextUtf8(utf8);
}
QString EditorMacroHost::selectedText() const { return m_edit.selectedText(); }
void EditorMacroHost::setSelectedText(const QString& text) { m_edit.setSelectedText(text); }

bool EditorMacroHost::hasSelection() const {
  const platform::SelRange range = m_edit.selection();
  return range.startLine != range.endLine || range.startCol != range.endCol;
}

platform::SelRange EditorMacroHost::selection() const { return m_edit.selection(); }
int EditorMacroHost::lineCount() const { return m_edit.lineCount(); }
int EditorMacroHost::lineLength(int line) const { return m_edit.lineLength(line); }
bool EditorMacroHost::acceptsEdits() const { return !m_edit.isReadOnly(); }

platform::SelRange EditorMacroHost::sharedRange() const {
  return m_window.sharedRange ? m_window.sharedRange() : m_edit.selection();
}

void EditorMacroHost::applySharedRange(const platform::SelRange& range) {
  if (m_window.storeSharedRange) m_window.storeSharedRange(range);
  m_edit.setSelection(range, true);
}

QString EditorMacroHost::clipboardText() const { return m_clipboard.text(); }
void EditorMacroHost::setClipboardText(const QString& text) { m_clipboard.setText(text); }
void EditorMacroHost::clearClipboard() { m_clipboard.clear(); }
void EditorMacroHost::shellOpen(const QString& target) { m_shell.open(target); }

QString EditorMacroHost::openedFile() const {
  return m_window.openedFile ? m_window.openedFile() : QString();
}

}  // namespace automation
