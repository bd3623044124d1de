// Built in a later step.
#include <QGroupBox>

#include "settings/settings_pages.h"

namespace settings {

void BuildAutomationPage(QGroupBox& frame, shell::FrmMain&) { frame.setEnabled(false); }

}  // namespace settings
