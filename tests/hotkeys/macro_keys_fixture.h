// A started window with two scripts in its macro menu, each typing its own name over the
// selection, for tests that bind keys to menu items; which script is item 1 and which item 2 is
// the folder's order.
#pragma once

#include "editor/typing_fixture.h"
#include "shell/commands.h"
#include "shell/frm_main.h"
#include "shell/menu_array.h"

namespace testing_support {

class MacroKeysTest : public TypingTest {
 protected:
  void writeMacros() {
    writeFile("Macro/first.mac", "setselectedtext first;");
    writeFile("Macro/second.mac", "setselectedtext second;");
  }
  shell::MenuArray& macros() { return *m_window->commands().array("mnuMacro"); }
  QString macroName(int index) {
    return shell::CaptionWithoutShortcut(macros().item(index)->text());
  }
  QString macroCaption(int index) { return macros().item(index)->text(); }
};

}  // namespace testing_support
