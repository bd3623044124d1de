// Every feature registers its commands and hooks with the main window here, once.
#pragma once

namespace shell {

class FrmMain;

void InstallFeatures(FrmMain& window);

}  // namespace shell
