#include "shell/commands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "platform/caption_marks.h"
#include "platform/theme_icons.h"
#include "shell/command_table.h"

namespace shell {

Commands::Commands(QMainWindow& window) : QObject(&window) {
  setObjectName("commands");
  buildMenus(window);
  buildToolBar(window);
}

QAction* Commands::addItem(QMenu* parent, const CommandDef& def) {
  const QString name = QString::fromUtf8(def.name);
  if (def.flags & kSeparator && !parent->actions().isEmpty()) parent->addSeparator();
  QAction* action = nullptr;
  if (def.flags & kSubmenu) {
    QMenu* sub = parent->addMenu(QString::fromUtf8(def.caption));
    sub->setObjectName(name);
    m_menus.insert(name, sub);
    action = sub->menuAction();
  } else {
    action = parent->addAction(QString::fromUtf8(def.caption));
    action->setEnabled(false);
    // A separator without text, so the menu folds it into a neighbouring one: a bare "-" would
    // be drawn as a titled section and stand beside the next separator.
    if (QString::fromUtf8(def.caption) == "-") {
      action->setText(QString());
      action->setSeparator(true);
    }
    if (def.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(def.shortcut)));
    action->setCheckable(def.flags & kCheckable);
    action->setChecked(def.flags & kChecked);
  }
  action->setObjectName(name);
  if (def.flags & kArray) {
    MenuArray*& array = m_arrays[name];
    if (!array) array = new MenuArray(name, parent, this);
    // Only an array's first element can be a caption of the program; the fixed elements after
    // it name schemes and code pages, the same in every language.
    if (array->count() > 0) platform::MarkDataCaption(*action);
    array->adopt(action);
    // An array without a fixed entry of its own keeps element 0 out of sight.
    if (*def.caption == '\0') action->setVisible(false);
  }
  if (def.flags & kHidden) action->setVisible(false);
  if (!m_actions.contains(name)) m_actions.insert(name, action);
  m_all.append(action);
  return action;
}

void Commands::buildMenus(QMainWindow& window) {
  for (const CommandDef& def : CommandTable()) {
    const QString name = QString::fromUtf8(def.name);
    if (def.flags & (kMenu | kPopup)) {
      QMenu* menu = nullptr;
      if (def.flags & kMenu) {
        menu = window.menuBar()->addMenu(QString::fromUtf8(def.caption));
      } else {
        menu = new QMenu(QString::fromUtf8(def.caption), &window);
      }
      menu->setObjectName(name);
      menu->menuAction()->setObjectName(name);
      m_menus.insert(name, menu);
      m_actions.insert(name, menu->menuAction());
      continue;
    }
    QMenu* parent = m_menus.value(QString::fromUtf8(def.parent));
    Q_ASSERT(parent);
    addItem(parent, def);
  }
}

void Commands::buildToolBar(QMainWindow& window) {
  m_toolBar = window.addToolBar(QStringLiteral("Панель инструментов"));
  m_toolBar->setObjectName("ToolBar");
  m_toolBar->setMovable(false);
  for (const ToolButtonDef& def : ToolButtonTable()) {
    QAction* command = action(QString::fromUtf8(def.command));
    command->setIcon(platform::ThemeIcon(QString::fromUtf8(def.icon)));
    m_toolBar->addAction(command);
    if (QWidget* button = m_toolBar->widgetForAction(command))
      button->setObjectName(QString::fromUtf8(def.name));
  }
}

QAction* Commands::action(const QString& name) const { return m_actions.value(name); }
QMenu* Commands::menu(const QString& name) const { return m_menus.value(name); }
MenuArray* Commands::array(const QString& name) const { return m_arrays.value(name); }
bool Commands::isBound(const QString& name) const { return m_bound.value(name); }

void Commands::bind(const QString& name, std::function<void()> work) {
  QAction* item = action(name);
  Q_ASSERT_X(item, "Commands::bind", qPrintable(name));
  if (!item) return;
  item->setEnabled(true);
  m_bound.insert(name, true);
  connect(item, &QAction::triggered, this, [work = std::move(work)] { work(); });
}

void Commands::bindArray(const QString& name, std::function<void(int)> work) {
  MenuArray* items = array(name);
  Q_ASSERT_X(items, "Commands::bindArray", qPrintable(name));
  if (!items) return;
  items->setEnabled(true);
  m_bound.insert(name, true);
  connect(items, &MenuArray::triggered, this, [work = std::move(work)](int i) { work(i); });
}

QList<QKeySequence> Commands::shortcuts() const {
  QList<QKeySequence> keys;
  for (const QAction* item : m_all)
    if (!item->shortcut().isEmpty()) keys.append(item->shortcut());
  return keys;
}

}  // namespace shell
