#include "automation/plugins.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>

#include "platform/caption_marks.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/menu_array.h"
#include "shell/version.h"

namespace automation {
namespace {

const QString kMenu = QStringLiteral("mnuPlugin");
const QString kLast = QStringLiteral("mnuLastPlugin");

// An id is a plug-in's own text: an "&" in it is shown, not taken for an access key.
QString menuCaption(const QString& id) { return QString(id).replace(u'&', QStringLiteral("&&")); }

}  // namespace

Plugins::Plugins(shell::FrmMain& window) : QObject(&window), m_window(window), m_host(window) {
  setObjectName(QStringLiteral("Plugins"));
}

Plugins::~Plugins() = default;

QString Plugins::folder() const { return m_window.context().paths.file(QStringLiteral("Plugins")); }

void Plugins::say(const QString& text, platform::MsgIcon icon) const {
  m_window.context().ui.message(text, QString::fromUtf8(shell::kProgramName),
                                platform::MsgButtons::Ok, icon);
}

LoadedPlugin* Plugins::at(int slot) const {
  return slot >= 1 && slot <= count() ? m_slots[slot - 1].get() : nullptr;
}

QStringList Plugins::ids() const {
  QStringList ids;
  for (const auto& plugin : m_slots) ids << plugin->id();
  return ids;
}

QString Plugins::fileName(int slot) const {
  const LoadedPlugin* plugin = at(slot);
  return plugin ? plugin->fileName() : QString();
}

void Plugins::release() {
  if (shell::MenuArray* menu = m_window.commands().array(kMenu)) menu->clear();
  m_menuSlots.clear();
  m_slots.clear();
}

void Plugins::append(std::unique_ptr<LoadedPlugin> plugin) {
  m_slots.push_back(std::move(plugin));
  const LoadedPlugin& added = *m_slots.back();
  if (!added.showme()) return;
  shell::MenuArray* menu = m_window.commands().array(kMenu);
  if (!menu) return;
  menu->add(menuCaption(added.id()));
  m_menuSlots.append(count());
}

void Plugins::load(bool callInit) {
  release();
  std::vector<BrokenPlugin> broken;
  const QStringList libraries = PluginLibraries(folder());
  for (const QString& path : libraries) {
    if (count() == kMaxPlugins) {
      say(QStringLiteral("Загружено наибольшее число плагинов (%1); остальные библиотеки папки "
                         "«%2» пропущены.")
              .arg(kMaxPlugins)
              .arg(folder()),
          platform::MsgIcon::Warning);
      break;
    }
    PluginLoad loaded = LoadPluginLibrary(path);
    if (loaded.plugin) m_everLoaded.insert(path);
    // Init learns the slot the plug-in is about to take; one that fails in it takes none.
    if (loaded.plugin && callInit) {
      if (auto problem = CallPlugin([&] { loaded.plugin->plugin().Init(m_host, count() + 1); }))
        loaded = FailedLoad(PluginProblem::RegistrationFailed, *problem);
    }
    if (!loaded.plugin) {
      broken.push_back(BrokenPluginAt(path, loaded.problem));
      continue;
    }
    append(std::move(loaded.plugin));
  }
  followLast();
  // Start-up speaks once the window is there to speak from; a reload the user asked for at once.
  m_broken = std::move(broken);
  if (callInit)
    reportWhenShown();
  else
    reportBroken(true);
}

void Plugins::reportWhenShown() {
  m_reportPending = true;
  if (m_window.isVisible())
    QMetaObject::invokeMethod(this, [this] { reportBroken(false); }, Qt::QueuedConnection);
  else
    m_window.installEventFilter(this);
}

bool Plugins::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &m_window && event->type() == QEvent::Show) {
    m_window.removeEventFilter(this);
    // After the show has run its course, so that the message stands over a window.
    QMetaObject::invokeMethod(this, [this] { reportBroken(false); }, Qt::QueuedConnection);
  }
  return QObject::eventFilter(watched, event);
}

void Plugins::reportBroken(bool always) {
  if (!always && !m_reportPending) return;
  m_reportPending = false;
  const BrokenPluginRecord record(
      m_window.context().paths.file(QString::fromLatin1(BrokenPluginRecord::kFileName)));
  // The same libraries failing the same way at every start would be the same box every time.
  if (!always && !record.differs(m_broken)) return;
  record.store(m_broken);
  if (!m_broken.empty()) say(BrokenPluginsMessage(m_broken), platform::MsgIcon::Warning);
}

void Plugins::showLast(const LoadedPlugin& plugin) {
  QAction* item = m_window.commands().action(kLast);
  if (!item) return;
  // A hot key's name after the Tab stays.
  const QString caption = item->text();
  const qsizetype tab = caption.indexOf(u'\t');
  item->setText(menuCaption(plugin.id()) + (tab < 0 ? QString() : caption.mid(tab)));
  platform::MarkDataCaption(*item);
  item->setEnabled(true);
}

// After a reload "Последний" goes on naming and running the same library, wherever its slot is
// now; with the library gone it has nothing to run.
void Plugins::followLast() {
  if (m_lastPlug == 0) return;
  m_lastPlug = 0;
  for (int slot = 1; slot <= count(); ++slot) {
    if (at(slot)->path() != m_lastPath) continue;
    m_lastPlug = slot;
    showLast(*at(slot));
    return;
  }
  if (QAction* item = m_window.commands().action(kLast)) item->setEnabled(false);
}

int Plugins::menuSlot(int index) const {
  const shell::MenuArray* menu = m_window.commands().array(kMenu);
  const int item = index - (menu ? menu->fixedCount() : 1);
  return item >= 0 && item < m_menuSlots.size() ? m_menuSlots[item] : 0;
}

bool Plugins::run(int slot) {
  LoadedPlugin* plugin = at(slot);
  if (!plugin) return false;
  platform::EditControl& editor = m_window.txtMain();
  QString result;
  m_host.beginRun();
  const auto problem = CallPlugin([&] { result = plugin->plugin().PLUGIN(m_host); });
  if (!problem) {
    result = WithCrLf(result);
    // One assignment: one undo step.
    if (result != editor.selectedText()) editor.setSelectedText(result);
  }
  m_host.finishRun(!problem);
  m_lastPlug = slot;
  m_lastPath = plugin->path();
  showLast(*plugin);
  if (problem)
    say(QStringLiteral("Плагин «%1» завершился с ошибкой, текст не изменён:\n%2")
            .arg(plugin->id(), *problem),
        platform::MsgIcon::Warning);
  m_window.focusEditor();
  return !problem;
}

bool Plugins::hasSettings(int slot) {
  LoadedPlugin* plugin = at(slot);
  int settings = 0;
  // A plug-in that cannot say offers no settings: the button stays disabled.
  if (!plugin || CallPlugin([&] { settings = plugin->plugin().Settings(); })) return false;
  return settings != 0;
}

bool Plugins::showSettings(int slot) {
  LoadedPlugin* plugin = at(slot);
  if (!plugin) return false;
  const auto problem = CallPlugin([&] { plugin->plugin().ShowSettings(); });
  if (problem)
    say(QStringLiteral("Настройки плагина «%1» не открылись:\n%2").arg(plugin->id(), *problem),
        platform::MsgIcon::Warning);
  return !problem;
}

QString Plugins::about(int slot) {
  LoadedPlugin* plugin = at(slot);
  if (!plugin) return QString();
  QString description;
  if (auto problem = CallPlugin([&] { description = plugin->plugin().Description(); }))
    description = QStringLiteral("(плагин не смог его дать: %1)").arg(*problem);
  const QString gap = QStringLiteral("\r\n\r\n");
  return QStringLiteral("Название плагина: ") + plugin->id() + gap + QStringLiteral("Описание: ") +
         description + gap + QStringLiteral("Файл: ") + plugin->fileName();
}

Plugins* PluginsOf(shell::FrmMain& window) {
  return window.findChild<Plugins*>(QStringLiteral("Plugins"), Qt::FindDirectChildrenOnly);
}

void InstallPlugins(shell::FrmMain& window) {
  auto* plugins = new Plugins(window);
  window.hooks().add(shell::Hook::PluginMenu, [plugins] { plugins->load(true); });
  window.commands().bindArray(kMenu,
                              [plugins](int index) { plugins->run(plugins->menuSlot(index)); });
  window.commands().bind(kLast, [plugins] {
    if (plugins->LastPlug() != 0) plugins->run(plugins->LastPlug());
  });
  // Nothing has run yet: "Последний" waits for the first run.
  window.commands().action(kLast)->setEnabled(false);
}

}  // namespace automation
