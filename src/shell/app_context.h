// The services every part of the program reaches: the program directory, the settings key and
// the platform adapters. One instance lives as long as the main window.
#pragma once

#include "platform/app_paths.h"
#include "platform/clipboard.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/ui.h"

namespace shell {

struct AppContext {
  platform::AppPaths& paths;
  platform::SettingsStore& settings;
  platform::Ui& ui;
  platform::Shell& shell;
  platform::Clipboard& clipboard;
};

}  // namespace shell
