// A menu array: a fixed element 0 (a separator or a fixed entry) and further elements made at
// run time, all under one name; a click reports the element's index.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace shell {

// A menu item's caption up to its first Tab: the name of a hot key may follow it.
QString CaptionWithoutShortcut(const QString& caption);

class MenuArray : public QObject {
  Q_OBJECT
 public:
  MenuArray(const QString& name, QMenu* menu, QObject* parent = nullptr);

  const QString& name() const { return m_name; }
  int count() const { return int(m_items.size()); }
  QAction* item(int index) const { return m_items.value(index); }
  const QList<QAction*>& items() const { return m_items; }

  // Appends an element after the last one; it is enabled when the array has a handler.
  QAction* add(const QString& caption);
  // Adopts an action built from the command table as the next fixed element.
  void adopt(QAction* action);
  // Removes every element made at run time; the fixed ones stay.
  void clear();
  int fixedCount() const { return m_fixed; }

  void setEnabled(bool enabled);
  bool isEnabled() const { return m_enabled; }

 Q_SIGNALS:
  void triggered(int index);
  // Elements were added or removed: whatever is shown on them (hot keys) is shown again.
  void changed();

 private:
  void connectItem(QAction* action);

  QString m_name;
  QMenu* m_menu;
  QList<QAction*> m_items;
  int m_fixed = 0;
  bool m_enabled = false;
};

}  // namespace shell
