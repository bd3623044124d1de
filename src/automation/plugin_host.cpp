#include "automation/plugin_host.h"

#include <QLabel>

#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace automation {

QString EditorPluginHost::text() const { return m_window.txtMain().text(); }
QString EditorPluginHost::selectedText() const { return m_window.txtMain().selectedText(); }
QString EditorPluginHost::documentPath() const { return m_window.document().path(); }

void EditorPluginHost::setStatusText(const QString& text) {
  if (m_holding)
    m_held = text;
  else
    m_window.statusText().setText(text);
}

void EditorPluginHost::beginRun() {
  m_held.reset();
  m_holding = true;
  m_before = m_window.statusText().text();
}

void EditorPluginHost::finishRun(bool succeeded) {
  m_holding = false;
  if (!succeeded)
    m_window.statusText().setText(m_before);
  else if (m_held)
    m_window.statusText().setText(*m_held);
  m_held.reset();
}

}  // namespace automation
