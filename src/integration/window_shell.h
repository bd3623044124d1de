// The main window's one ShellIntegration, starting this program's own executable, made when
// first asked for; the settings page works through it, and tests can configure it beforehand.
#pragma once

namespace shell {
class FrmMain;
}

namespace integration {

class ShellIntegration;

ShellIntegration& ShellIntegrationOf(shell::FrmMain& window);

}  // namespace integration
