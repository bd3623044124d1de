// "Клавиши": the user's hot keys. Without the hot keys of the main window the page has nothing
// to bind to and is shown disabled.
#include <QGroupBox>

#include "hotkeys/hot_keys.h"
#include "settings/keys_page.h"
#include "settings/settings_pages.h"

namespace settings {

void BuildKeysPage(QGroupBox& frame, shell::FrmMain& window) {
  hotkeys::HotKeys* hotKeys = hotkeys::FindHotKeys(window);
  if (!hotKeys) {
    frame.setEnabled(false);
    return;
  }
  new KeysPage(frame, window, *hotKeys);
}

}  // namespace settings
