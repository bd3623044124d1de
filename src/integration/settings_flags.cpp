#include "integration/settings_flags.h"

#include "integration/shell_integration.h"
#include "platform/settings_store.h"

namespace integration {

bool ApplyOpenWith(ShellIntegration& shell, platform::SettingsStore& settings, bool on,
                   QString* error) {
  if (!shell.setOpenWith(on, error)) return false;
  settings.setFlag(platform::Setting::OpenWith, on);
  return true;
}

bool ApplyDefaultHtmlEditor(ShellIntegration& shell, platform::SettingsStore& settings, bool on,
                            QString* error) {
  if (!shell.setDefaultHtmlEditor(on, error)) return false;
  settings.setFlag(platform::Setting::DefHTMLEditor, on);
  return true;
}

}  // namespace integration
