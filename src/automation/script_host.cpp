#include "automation/script_host.h"

#include <exception>
#include <utility>

namespace automation {

ScriptHost::ScriptHost(MacroHost& editor, qsizetype textLimit)
    : m_editor(editor), m_limit(textLimit) {
  m_editor.beginRun();
}

ScriptHost::~ScriptHost() {
  try {
    finish();
  } catch (const std::exception&) {
  }
}

void ScriptHost::finish() {
  // The editor's run ends even when handing over the text fails.
  struct EndRun {
    ScriptHost& host;
    ~EndRun() {
      if (!host.m_inRun) return;
      host.m_inRun = false;
      host.m_editor.endRun();
    }
  } endRun{*this};
  flush();
}

ScriptText& ScriptHost::kept() const {
  if (!m_text) m_text.emplace(m_editor.text());
  return *m_text;
}

void ScriptHost::flush() const {
  if (!m_changed) return;
  m_changed = false;
  // The pieces go before the editor makes its copy: a big text is then held twice, not three
  // times. A read-only editor refuses the text; from here on only the editor knows what it holds.
  QString whole = m_text->toString();
  m_text.reset();
  m_editor.setText(std::move(whole));
}

qsizetype ScriptHost::replaceInText(QStringView what, QStringView with) {
  if (!m_editor.acceptsEdits()) return 0;
  const qsizetype count = kept().replaceAll(what, with, m_limit);
  if (count == ScriptText::kPastLimit) {
    m_limitReached = true;
    return 0;
  }
  if (count > 0 && what != with) m_changed = true;
  return count;
}

bool ScriptHost::admitsSelectedText(qsizetype length) {
  flush();
  const qsizetype now = m_editor.textLength();
  // Most inserts are small: the selection is read only when the text is near the limit.
  if (now + length <= m_limit) return true;
  const qsizetype after = now - m_editor.selectedText().size() + length;
  if (after <= m_limit || after <= now) return true;
  m_limitReached = true;
  return false;
}

QString ScriptHost::text() const { return kept().toString(); }

qsizetype ScriptHost::textLength() const {
  return m_text ? m_text->size() : m_editor.textLength();
}

void ScriptHost::setText(QString text) {
  if (!m_editor.acceptsEdits()) return;
  if (text.size() > m_limit && text.size() > textLength()) {
    m_limitReached = true;
    return;
  }
  m_text.emplace(text);
  m_changed = true;
}

QString ScriptHost::selectedText() const {
  flush();
  return m_editor.selectedText();
}

void ScriptHost::setSelectedText(const QString& text) {
  if (!admitsSelectedText(text.size())) return;
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
