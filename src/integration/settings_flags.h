// The two check boxes of the integration page and the settings that remember them: the setting
// follows what was really done, so a failed change is never stored as made.
#pragma once

#include <QString>

namespace platform {
class SettingsStore;
}

namespace integration {

class ShellIntegration;

// Adds or removes the "Open with" choice and stores "OpenWith" = "1" / "0" once that succeeded.
bool ApplyOpenWith(ShellIntegration& shell, platform::SettingsStore& settings, bool on,
                   QString* error = nullptr);
// The same for the default HTML editor and "DefHTMLEditor".
bool ApplyDefaultHtmlEditor(ShellIntegration& shell, platform::SettingsStore& settings, bool on,
                            QString* error = nullptr);

}  // namespace integration
