// Builds the menu bar, the pop-up menus and the tool bar from the command table and connects
// each command to the feature that registered it. A command nobody registered stays disabled.
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>

#include "shell/menu_array.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace shell {

class Commands : public QObject {
  Q_OBJECT
 public:
  explicit Commands(QMainWindow& window);

  // The item of that name (element 0 for an array); nullptr for an unknown name.
  QAction* action(const QString& name) const;
  // A top-level menu, submenu or pop-up menu.
  QMenu* menu(const QString& name) const;
  MenuArray* array(const QString& name) const;
  QToolBar* toolBar() const { return m_toolBar; }

  // Registers the work of a command and enables it.
  void bind(const QString& name, std::function<void()> work);
  // Registers the work of every element of an array, present and future.
  void bindArray(const QString& name, std::function<void(int index)> work);
  bool isBound(const QString& name) const;

  // Every fixed shortcut of the menus, so the editing control can leave those keys alone.
  QList<QKeySequence> shortcuts() const;
  // Every item built from the table, in table order.
  const QList<QAction*>& allActions() const { return m_all; }

 private:
  void buildMenus(QMainWindow& window);
  void buildToolBar(QMainWindow& window);
  QAction* addItem(QMenu* parent, const struct CommandDef& def);

  QHash<QString, QAction*> m_actions;
  QHash<QString, QMenu*> m_menus;
  QHash<QString, MenuArray*> m_arrays;
  QList<QAction*> m_all;
  QHash<QString, bool> m_bound;
  QToolBar* m_toolBar = nullptr;
};

}  // namespace shell
