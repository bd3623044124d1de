#include "text/calc_commands.h"

#include <QLocale>

#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "text/calculator.h"
#include "text/number_words.h"

namespace text {
namespace {

// Replaces the selection (or inserts at the caret) with what `result` makes of it, unless that
// is the selection itself.
template <typename Result>
void replaceSelection(shell::FrmMain& window, Result result) {
  platform::EditControl& editor = window.txtMain();
  const QString selected = editor.selectedText();
  const QString replacement = result(selected);
  if (replacement != selected || selected.isEmpty()) editor.setSelectedText(replacement);
  window.focusEditor();
}

}  // namespace

void InstallCalcCommands(shell::FrmMain& window) {
  // "2+2" becomes "2+2=4"; the result is written with the user's decimal separator.
  window.commands().bind("mnuCalcText", [&window] {
    replaceSelection(window, [](const QString& expression) {
      return AppendCalcResult(expression, QLocale().decimalPoint());
    });
  });
  // Text that is not all digits stays as it is.
  window.commands().bind("mnuIntToStr", [&window] { replaceSelection(window, NumberToWords); });
}

}  // namespace text
