#include "text/text_command.h"

#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace text {

void Apply(shell::FrmMain& window, Target target, const Operation& operation) {
  platform::EditControl& editor = window.txtMain();
  const QString selected = target == Target::Whole ? QString() : editor.selectedText();
  if (target == Target::Selection && selected.isEmpty()) {
    window.focusEditor();
    return;
  }
  if (!selected.isEmpty()) {
    const QString result = operation(selected);
    if (result != selected) editor.setSelectedText(result);
  } else {
    const QString whole = editor.text();
    const QString result = operation(whole);
    if (result != whole) editor.setText(result);
  }
  window.focusEditor();
}

std::optional<QString> Ask(shell::FrmMain& window, const QString& prompt, const QString& title,
                           const QString& defaultText) {
  const auto answer = window.context().ui.inputBox(prompt, title, defaultText);
  if (!answer || answer->isEmpty()) return std::nullopt;
  return answer;
}

}  // namespace text
