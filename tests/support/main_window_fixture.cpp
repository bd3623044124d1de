#include "support/main_window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "shell/features.h"
#include "shell/startup.h"

namespace testing_support {

MainWindowTest::MainWindowTest() {
  const QString dir = m_home.path();
  m_paths = std::make_unique<platform::AppPaths>(dir, dir + "/settings.ini");
  m_settings = std::make_unique<platform::SettingsStore>(m_paths->settingsFile());
  m_context = std::make_unique<shell::AppContext>(
      shell::AppContext{*m_paths, *m_settings, m_ui, m_shell, m_clipboard});
}

MainWindowTest::~MainWindowTest() {
  if (m_window) m_window->setShutdown(nullptr);
  m_window.reset();
}

shell::FrmMain& MainWindowTest::start(const QString& commandLine) {
  m_window = std::make_unique<shell::FrmMain>(*m_context);
  shell::InstallFeatures(*m_window);
  shell::RunStartup(*m_window, commandLine);
  return *m_window;
}

bool MainWindowTest::close() { return m_window->close(); }

void MainWindowTest::click(const char* name) {
  QAction* item = m_window->commands().action(QString::fromUtf8(name));
  ASSERT_NE(item, nullptr) << name;
  item->trigger();
}

QString MainWindowTest::writeFile(const QString& relative, const QByteArray& bytes) {
  const QString path = homePath(relative);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

QString MainWindowTest::homePath(const QString& relative) const {
  return relative.isEmpty() ? m_home.path() : m_home.path() + "/" + relative;
}

QString MainWindowTest::setting(const char* name) const {
  return m_settings->ReadSetting(QString::fromUtf8(platform::kSettingsKey),
                                 QString::fromUtf8(name), QStringLiteral("<missing>"));
}

}  // namespace testing_support
