// "Сортировка": sorts the lines of the selection, or of the whole text, case-insensitively.
#include "shell/frm_main.h"
#include "text/line_commands.h"
#include "text/lines.h"
#include "text/sort.h"
#include "text/text_command.h"

namespace text {
namespace {

QString sorted(const QString& target, bool ascending) {
  QStringList lines = SplitLines(target);
  SortLines(lines, ascending, false);
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace

void InstallSortCommands(shell::FrmMain& window) {
  window.commands().bind("mnuSortInAlf", [&window] {
    Apply(window, Target::SelectionOrWhole, [](const QString& t) { return sorted(t, true); });
  });
  window.commands().bind("mnuSortOutAlf", [&window] {
    Apply(window, Target::SelectionOrWhole, [](const QString& t) { return sorted(t, false); });
  });
}

}  // namespace text
