// A program window for the benchmarks, made as the program makes it: a temporary program folder,
// the real settings, dialogs and platform services, every feature installed and start-up run.
#pragma once

#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "platform/app_paths.h"
#include "platform/clipboard.h"
#include "platform/qt_ui.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "shell/app_context.h"
#include "shell/features.h"
#include "shell/frm_main.h"
#include "shell/startup.h"

namespace bench {

struct BenchWindow {
  // `prepare` fills the program folder and the settings before the window starts.
  explicit BenchWindow(const std::function<void(platform::AppPaths&, platform::SettingsStore&)>&
                           prepare = {}) {
    const QString dir = home.path();
    paths = std::make_unique<platform::AppPaths>(dir, dir + "/settings.ini");
    settings = std::make_unique<platform::SettingsStore>(paths->settingsFile());
    if (prepare) prepare(*paths, *settings);
    context = std::make_unique<shell::AppContext>(
        shell::AppContext{*paths, *settings, ui, shell, clipboard});
    window = std::make_unique<shell::FrmMain>(*context);
    shell::InstallFeatures(*window);
    shell::RunStartup(*window, QString());
  }

  QTemporaryDir home;
  std::unique_ptr<platform::AppPaths> paths;
  std::unique_ptr<platform::SettingsStore> settings;
  platform::QtUi ui;
  platform::Shell shell;
  platform::Clipboard clipboard;
  std::unique_ptr<shell::AppContext> context;
  std::unique_ptr<shell::FrmMain> window;
};

}  // namespace bench
