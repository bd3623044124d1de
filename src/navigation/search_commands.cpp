// The search commands hand the work to the editing control: its own windows find and replace,
// its command 168 moves to a line. Only go to position works on the window's selection range.
#include "navigation/search_commands.h"

#include <algorithm>
#include <limits>

#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "text/text_command.h"

namespace navigation {
namespace {

using platform::EditCommand;

// The leading number of an answer, read the way the classic Val() reads it: blanks skipped,
// an optional sign, then the digits; 0 when there are none ("12abc" is 12, "abc" is 0).
qint64 LeadingNumber(const QString& typed) {
  constexpr qint64 kCap = std::numeric_limits<int>::max();
  qsizetype i = 0;
  while (i < typed.size() && typed[i].isSpace()) ++i;
  const bool negative = i < typed.size() && typed[i] == u'-';
  if (i < typed.size() && (typed[i] == u'-' || typed[i] == u'+')) ++i;
  qint64 value = 0;
  for (; i < typed.size() && typed[i] >= u'0' && typed[i] <= u'9'; ++i)
    value = std::min(kCap, value * 10 + (typed[i].unicode() - u'0'));
  return negative ? -value : value;
}

void GoToLine(shell::FrmMain& window) {
  const auto answer = text::Ask(window, QStringLiteral("Введите номер строки"),
                                QStringLiteral("Переход на строку"));
  if (!answer) return;
  // A number the control cannot go to is no error of the user's: nothing happens then.
  window.txtMain().executeCommand(EditCommand::GoToLine, QString::number(LeadingNumber(*answer)));
  window.focusEditor();
}

// Puts the caret at the typed position of the lines of the window's selection range. The
// position counts as the status bar does, from 1; 0 also means the start of the line.
void GoToPosition(shell::FrmMain& window) {
  const auto answer =
      text::Ask(window, QStringLiteral("Введите позицию"), QStringLiteral("Переход"));
  if (!answer) return;
  bool whole = false;
  const int column = answer->trimmed().toInt(&whole);
  if (!whole) {
    window.context().ui.message(QStringLiteral("Позиция должна быть целым числом."),
                                QStringLiteral("Переход"), platform::MsgButtons::Ok,
                                platform::MsgIcon::Warning);
    return;
  }
  platform::SelRange range = window.selectionRange();
  range.startCol = std::max(column, 1) - 1;
  range.endCol = range.startCol;
  window.setSelectionRange(range);
  window.txtMain().setSelection(range, true);
  window.focusEditor();
}

// Repeats the last search; with nothing searched for yet, asks what to look for.
void FindNext(shell::FrmMain& window) {
  platform::EditControl& editor = window.txtMain();
  if (editor.findText().isEmpty()) {
    editor.executeCommand(EditCommand::FindDialog);
    return;
  }
  if (!editor.executeCommand(EditCommand::FindNext)) {
    window.context().ui.message(QStringLiteral("Текст «%1» не найден.").arg(editor.findText()),
                                QStringLiteral("Поиск"), platform::MsgButtons::Ok,
                                platform::MsgIcon::Information);
  }
  window.focusEditor();
}

}  // namespace

void InstallSearchCommands(shell::FrmMain& window) {
  shell::Commands& commands = window.commands();
  platform::EditControl& editor = window.txtMain();
  commands.bind("mnuSearch", [&editor] { editor.executeCommand(EditCommand::FindDialog); });
  commands.bind("mnuReplace", [&editor] { editor.executeCommand(EditCommand::ReplaceDialog); });
  commands.bind("mnuFindNext", [&window] { FindNext(window); });
  commands.bind("mnuGotoLine", [&window] { GoToLine(window); });
  commands.bind("mnuGoto", [&window] { GoToPosition(window); });
}

}  // namespace navigation
