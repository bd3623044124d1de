// "Интеграция": file associations, "Open with" and the default HTML editor.
#include <QGroupBox>

#include "settings/integration_page.h"
#include "settings/settings_pages.h"

namespace settings {

void BuildIntegrationPage(QGroupBox& frame, shell::FrmMain& window) {
  new IntegrationPage(frame, window);
}

}  // namespace settings
