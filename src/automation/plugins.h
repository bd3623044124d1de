// The menu "П&лагины": the plug-in libraries of the folder "Plugins" loaded into a table of
// slots, a menu item for each plug-in that asks for one, running a plug-in on the selection,
// "Последний", and what the settings page works through (reload, list, settings, about, install).
#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>
#include <memory>
#include <vector>

#include "automation/plugin_host.h"
#include "automation/plugin_library.h"
#include "automation/plugin_report.h"
#include "platform/ui.h"

namespace shell {
class FrmMain;
}

namespace automation {

class Plugins : public QObject {
  Q_OBJECT
 public:
  // Slots are numbered 1..count(); slot 0 never holds a plug-in.
  static constexpr int kMaxPlugins = 1000;

  explicit Plugins(shell::FrmMain& window);
  ~Plugins() override;

  QString folder() const;

  // Releases every loaded plug-in and loads the libraries of the folder again, in name order,
  // rebuilding the menu. Libraries that cannot be used are passed over and listed, by file name
  // and reason, in one message. `callInit`: the start-up load, which calls Init for each and
  // leaves the message until the window shows, and then only when the failing libraries are
  // not the ones the last message listed; a reload says it at once.
  void load(bool callInit);
  // Libraries of the last load that gave no plug-in.
  const std::vector<BrokenPlugin>& broken() const { return m_broken; }
  // True from the start-up load until its message was given or found needless.
  bool reportPending() const { return m_reportPending; }

  int count() const { return int(m_slots.size()); }
  // The id of each slot: entry i is slot i + 1.
  QStringList ids() const;
  QString fileName(int slot) const;

  // Runs the plug-in: its text replaces the selection (inserted at the caret when nothing is
  // selected) as one undo step, with its line ends made CR LF. It becomes LastPlug, and
  // "Последний" takes its id. A plug-in that fails is reported and the text is left as it was.
  // False when the slot is empty or the plug-in failed.
  bool run(int slot);
  // The slot element `index` of the menu array mnuPlugin runs; 0 for none.
  int menuSlot(int index) const;
  // The slot run last; 0 before any run. A reload keeps it on the same library.
  int LastPlug() const { return m_lastPlug; }

  // Whether the plug-in has a settings window (false for an empty slot or a failing plug-in),
  // and opening it; a failure is reported.
  bool hasSettings(int slot);
  bool showSettings(int slot);
  // The text of "О плагине"; "" for an empty slot.
  QString about(int slot);

  // Copies the library into the folder under its own name (asking before it replaces a different
  // file of that name) and reloads without Init. A library already in the folder is only
  // reloaded. False, after telling the user why, when nothing was installed.
  bool install(const QString& path);
  // The same for a library the user picks in "Инсталляция плагина"; false when cancelled.
  bool installWithDialog();

 private:
  LoadedPlugin* at(int slot) const;
  void release();
  void append(std::unique_ptr<LoadedPlugin> plugin);
  void showLast(const LoadedPlugin& plugin);
  void followLast();
  void say(const QString& text, platform::MsgIcon icon) const;
  void reportWhenShown();
  // Tells the user about m_broken: `always`, or when it is not what the last message listed.
  void reportBroken(bool always);
  bool eventFilter(QObject* watched, QEvent* event) override;

  shell::FrmMain& m_window;
  EditorPluginHost m_host;
  std::vector<std::unique_ptr<LoadedPlugin>> m_slots;  // m_slots[i] is slot i + 1
  QList<int> m_menuSlots;  // the slot of each run-time item of mnuPlugin, in menu order
  std::vector<BrokenPlugin> m_broken;
  bool m_reportPending = false;
  int m_lastPlug = 0;
  QString m_lastPath;  // the library of LastPlug
  // Every library loaded since start: Qt keeps their code mapped, so a new file under one of
  // those names is only used from the next start.
  QSet<QString> m_everLoaded;
};

// The window's plug-ins, once installed; nullptr before.
Plugins* PluginsOf(shell::FrmMain& window);

void InstallPlugins(shell::FrmMain& window);

}  // namespace automation
