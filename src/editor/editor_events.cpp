#include "editor/editor_events.h"

#include <QCursor>
#include <QMenu>

#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace editor {
namespace {

void showEditMenu(shell::FrmMain& window, const QPoint& globalPos) {
  if (QMenu* edit = window.commands().menu("mnuEdit")) edit->popup(globalPos);
}

}  // namespace

void InstallEditorEvents(shell::FrmMain& window) {
  platform::EditControl& control = window.txtMain();
  QObject::connect(&control, &platform::EditControl::changed, &window,
                   [&window, &control] {
                     window.setSelectionRange(control.selection());
                     window.document().setDirty(true);
                   });
  QObject::connect(&control, &platform::EditControl::mouseDown, &window,
                   [&window, &control](Qt::MouseButton button, int, int x, int y) {
                     if (button == Qt::RightButton)
                       showEditMenu(window, control.mapToGlobal(QPoint(x, y)));
                   });
  QObject::connect(&control, &platform::EditControl::keyDown, &window,
                   [&window, &control](platform::KeyPress& press) {
                     if (press.key != Qt::Key_Menu || press.shift != 0) return;
                     const auto sel = control.selection();
                     showEditMenu(window, control.mapToGlobal(
                                              control.pointOfPosition(sel.endLine, sel.endCol)));
                     press.handled = true;
                   });
}

}  // namespace editor
