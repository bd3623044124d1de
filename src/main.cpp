// Ostrel XP: starts one main window on the file named on the command line, if any.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QLibraryInfo>
#include <QStringList>
#include <cstdio>
#include <memory>

#include "platform/app_paths.h"
#include "platform/qt_translations.h"
#include "platform/qt_ui.h"
#include "platform/settings_store.h"
#include "platform/start_warm_up.h"
#include "shell/command_line.h"
#include "shell/features.h"
#include "shell/frm_main.h"
#include "shell/load_timing.h"
#include "shell/startup.h"

namespace {

// "--help" and "--version" are answered on the terminal, without a display or a window.
bool answeredOnTerminal(int argc, char** argv) {
  QStringList words;
  for (int i = 1; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
  const auto info = shell::CommandLineInfo(words.join(' '), QDir::currentPath());
  if (!info) return false;
  std::fputs(info->toUtf8().constData(), stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (answeredOnTerminal(argc, argv)) return 0;
  QElapsedTimer started;
  started.start();
  // Begun first, so it overlaps the connection to the display.
  platform::StartWarmUp warmUp(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                               QStringLiteral("/imageformats"));
  QApplication app(argc, argv);
  // Measurement only (see load_timing.h); nothing of it exists otherwise.
  std::unique_ptr<shell::LoadTiming> timing;
  if (shell::LoadTiming::requested()) timing = std::make_unique<shell::LoadTiming>(started);
  const auto mark = [&timing](const char* step) {
    if (timing) timing->mark(step);
  };
  mark("application");
  QApplication::setApplicationName("ostrel");
  // No display name: the window system would append it to every title the program sets.
  QApplication::setDesktopFileName("ostrel");
  platform::UseQtTranslations(QStringLiteral("ru"));
  // Qt decodes each picture as it is added, and the window system is handed every one: the
  // title bar and the task bar take 16 to 48 pixels. The larger ones stay with the desktop
  // entry's icon; 64 and 128 here made three quarters of the pixels and 0.3 ms of every start.
  QIcon icon;
  for (int size : {16, 24, 32, 48})
    icon.addFile(QStringLiteral(":/icons/ostrel-%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);

  platform::AppPaths paths = platform::AppPaths::detect();
  platform::SettingsStore settings(paths.settingsFile());
  platform::QtUi ui;
  platform::Shell shell;
  platform::Clipboard clipboard;
  shell::AppContext context{paths, settings, ui, shell, clipboard};
  mark("settings");

  shell::FrmMain window(context);
  ui.setParent(&window);
  mark("window");
  shell::InstallFeatures(window);
  mark("features");
  // The one argument is a path taken whole, even when the shell split it at spaces.
  const QString commandLine = app.arguments().mid(1).join(' ');
  shell::RunStartup(window, commandLine);
  mark("startup");
  window.show();
  window.focusEditor();
  mark("shown");
  if (timing) timing->quitWhenPainted(window);
  return app.exec();
}
