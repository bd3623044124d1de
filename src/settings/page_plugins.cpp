// "Плагины": plug-in support on or off, the plug-ins loaded now (run, settings, about), and
// installing or reloading the libraries of the plug-in folder.
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "automation/plugins.h"
#include "platform/named_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;
using platform::Named;

// The list and the buttons that act on its selected plug-in.
class PluginPane {
 public:
  PluginPane(shell::FrmMain& window, automation::Plugins& plugins)
      : m_window(window), m_plugins(plugins) {}

  QWidget* body = nullptr;
  QListWidget* list = nullptr;
  QPushButton* run = nullptr;
  QPushButton* settings = nullptr;
  QPushButton* about = nullptr;

  // The slot of the selected entry (entry i is slot i + 1); 0 with none selected.
  int slot() const {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? 0 : list->row(selected.first()) + 1;
  }

  // Lists the ids of the plug-ins loaded now; nothing is selected after a reload.
  void fill() {
    list->clear();
    list->addItems(m_plugins.ids());
    follow();
  }

  // The buttons act only with a plug-in selected; "Настройки" only for one that has a window.
  void follow() {
    const int selected = slot();
    run->setEnabled(selected != 0);
    about->setEnabled(selected != 0);
    settings->setEnabled(selected != 0 && m_plugins.hasSettings(selected));
  }

  void runSelected() {
    if (const int selected = slot()) m_plugins.run(selected);
  }
  void showSettings() {
    if (const int selected = slot()) m_plugins.showSettings(selected);
  }
  void showAbout() {
    const int selected = slot();
    if (selected == 0) return;
    m_window.context().ui.message(m_plugins.about(selected), QString::fromUtf8(shell::kProgramName),
                                  platform::MsgButtons::Ok, platform::MsgIcon::Information);
  }
  void install() {
    m_plugins.installWithDialog();
    fill();
  }
  void reload() {
    m_plugins.load(false);
    fill();
  }

 private:
  shell::FrmMain& m_window;
  automation::Plugins& m_plugins;
};

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
  return Named(new QPushButton(QString::fromUtf8(caption), parent), name);
}

// The list with its buttons: everything the check box switches off.
std::shared_ptr<PluginPane> pluginsBody(QWidget& frame, shell::FrmMain& window,
                                        automation::Plugins& plugins) {
  auto pane = std::make_shared<PluginPane>(window, plugins);
  QWidget* body = pane->body = new QWidget(&frame);
  pane->list = Named(new QListWidget(body), "lstPlugins");
  pane->run = button(body, "cmdExecutePlugin", "Выполнить");
  pane->settings = button(body, "cmdPlugSettings", "Настройки");
  pane->about = button(body, "cmdAboutPlugin", "О плагине");
  auto* install = button(body, "cmdInstallPlugin", "Установить");
  auto* refresh = button(body, "cmdRefreshPlugin", "Обновить");

  auto* row = new QHBoxLayout(body);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(pane->list, 1);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {pane->run, pane->settings, pane->about, install, refresh})
    buttons->addWidget(b);
  buttons->addStretch(1);
  row->addLayout(buttons);

  using P = PluginPane;
  QObject::connect(pane->list, &QListWidget::itemSelectionChanged, body,
                   [p = pane.get()] { p->follow(); });
  QObject::connect(pane->list, &QListWidget::itemDoubleClicked, body,
                   [p = pane.get()] { p->runSelected(); });
  const std::pair<QPushButton*, void (P::*)()> actions[] = {{pane->run, &P::runSelected},
                                                            {pane->settings, &P::showSettings},
                                                            {pane->about, &P::showAbout},
                                                            {install, &P::install},
                                                            {refresh, &P::reload}};
  for (const auto& [button, action] : actions)
    QObject::connect(button, &QPushButton::clicked, body,
                     [pane, act = action] { (pane.get()->*act)(); });
  pane->fill();
  return pane;
}

}  // namespace

void BuildPluginsPage(QGroupBox& frame, shell::FrmMain& window) {
  auto& s = window.context().settings;
  auto* layout = new QVBoxLayout(&frame);
  auto* use =
      Named(new QCheckBox(QStringLiteral("Разрешить поддержку плагинов"), &frame), "chkUsePlugins");
  // The program loads plug-ins for every value but "0".
  use->setChecked(s.get(Setting::EnablePlugins) != u"0");
  layout->addWidget(use);

  automation::Plugins* plugins = automation::PluginsOf(window);
  if (!plugins) {
    use->setEnabled(false);
    return;
  }
  const std::shared_ptr<PluginPane> pane = pluginsBody(frame, window, *plugins);
  pane->body->setEnabled(use->isChecked());
  layout->addWidget(pane->body, 1);
  QObject::connect(use, &QCheckBox::toggled, pane->body, [&window, pane](bool on) {
    window.context().settings.setFlag(Setting::EnablePlugins, on);
    pane->body->setEnabled(on);
    if (QMenu* menu = window.commands().menu(QStringLiteral("mnuPlugins")))
      menu->menuAction()->setVisible(on);
    // Turned on, the folder is loaded afresh; Init is for the start-up load only.
    if (on) pane->reload();
  });
}

}  // namespace settings
