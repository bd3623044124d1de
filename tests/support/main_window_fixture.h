// A main window started the way the program starts it, against a temporary program directory,
// with the scripted user answering.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "platform/app_paths.h"
#include "platform/clipboard.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "shell/app_context.h"
#include "shell/frm_main.h"
#include "support/qt_print.h"
#include "support/scripted_ui.h"

namespace testing_support {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest();
  ~MainWindowTest() override;

  // Builds the window, installs the features and runs start-up.
  shell::FrmMain& start(const QString& commandLine = QString());
  // Closes the window as the user would; true when it really closed.
  bool close();
  // Chooses a menu command, as a click on it does.
  void click(const char* name);
  // A file in the program directory, written with these bytes.
  QString writeFile(const QString& relative, const QByteArray& bytes);
  QString homePath(const QString& relative = QString()) const;
  QString setting(const char* name) const;

  QTemporaryDir m_home;
  std::unique_ptr<platform::AppPaths> m_paths;
  std::unique_ptr<platform::SettingsStore> m_settings;
  ScriptedUi m_ui;
  platform::Shell m_shell;
  platform::Clipboard m_clipboard;
  std::unique_ptr<shell::AppContext> m_context;
  std::unique_ptr<shell::FrmMain> m_window;
};

}  // namespace testing_support
