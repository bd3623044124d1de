#include "editor/column_selection.h"

#include <QTimer>

#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace editor {

void InstallColumnSelection(shell::FrmMain& window) {
  platform::EditControl& control = window.txtMain();
  QObject::connect(&control, &platform::EditControl::mouseUp, &window,
                   [&window, &control](Qt::MouseButton, int, int, int) {
                     if (!control.columnSelectionMode()) return;
                     // The editor ends its own drag on this release; the range it leaves is
                     // the one that becomes a column.
                     QTimer::singleShot(0, &window, [&window, &control] {
                       platform::SelRange range = control.selection();
                       range.columnSel = true;
                       control.setSelection(range, false);
                       window.focusEditor();
                     });
                   });
}

}  // namespace editor
