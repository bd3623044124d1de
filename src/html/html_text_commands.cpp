#include "html/html_text_commands.h"

#include "html/frm_text_to_html.h"
#include "html/html_text.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace html {

void InstallHtmlTextCommands(shell::FrmMain& window) {
  shell::Commands& c = window.commands();
  platform::EditControl& editor = window.txtMain();
  c.bind("mnuHTML2Text", [&window, &editor] {
    editor.setText(HtmlToText(editor.text()));
    window.focusEditor();
  });
  c.bind("mnuTextToHTML", [&window, &editor] {
    FrmTextToHtml dialog(window.context().settings, [&editor](const TextToHtmlOptions& options) {
      const QString text = editor.text();
      // An empty document stays empty, frame or not.
      if (!text.isEmpty()) editor.setText(TextToHtml(text, options));
    }, &window);
    window.context().ui.runModal(dialog);
    window.focusEditor();
  });
}

}  // namespace html
