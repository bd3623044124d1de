#include "automation/script_host.h"

namespace automation {

ScriptText& ScriptHost::kept() const {
  if (!m_text) m_text.emplace(m_editor.text());
  return *m_text;
}

void ScriptHost::flush() const {
  if (!m_changed) return;
  m_changed = false;
  m_editor.setText(m_text->toString());
  // A read-only editor refuses the text; from here on only the editor knows what it holds.
  m_text.reset();
}

qsizetype ScriptHost::replaceInText(QStringView what, QStringView with) {
  if (!m_editor.acceptsEdits()) return 0;
  const qsizetype count = kept().replaceAll(what, with);
  if (count > 0 && what != with) m_changed = true;
  return count;
}

QString ScriptHost::text() const { return kept().toString(); }

void ScriptHost::setText(const QString& text) {
  if (!m_editor.acceptsEdits()) return;
  m_text.emplace(text);
  m_changed = true;
}

QString ScriptHost::selectedText() const {
  flush();
  return m_editor.selectedText();
}

void ScriptHost::setSelectedText(const QString& text) {
  flush();
  m_text.reset();
  m_editor.setSelectedText(text);
}

bool ScriptHost::hasSelection() const {
  flush();
  return m_editor.hasSelection();
}

platform::SelRange ScriptHost::selection() const {
  flush();
  return m_editor.selection();
}

int ScriptHost::lineCount() const {
  flush();
  return m_editor.lineCount();
}

int ScriptHost::lineLength(int line) const {
  flush();
  return m_editor.lineLength(line);
}

platform::SelRange ScriptHost::sharedRange() const {
  flush();
  return m_editor.sharedRange();
}

void ScriptHost::applySharedRange(const platform::SelRange& range) {
  flush();
  m_editor.applySharedRange(range);
}

}  // namespace automation
