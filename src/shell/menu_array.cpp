#include "shell/menu_array.h"

#include <QAction>
#include <QMenu>

#include "platform/caption_marks.h"

namespace shell {

QString CaptionWithoutShortcut(const QString& caption) {
  const qsizetype tab = caption.indexOf(u'\t');
  return tab < 0 ? caption : caption.left(tab);
}

MenuArray::MenuArray(const QString& name, QMenu* menu, QObject* parent)
    : QObject(parent), m_name(name), m_menu(menu) {
  setObjectName(name + "Array");
}

void MenuArray::connectItem(QAction* action) {
  action->setProperty("menuIndex", int(m_items.size()));
  action->setObjectName(m_name);
  if (!action->isSeparator()) action->setEnabled(m_enabled);
  m_items.append(action);
  connect(action, &QAction::triggered, this,
          [this, action] { Q_EMIT triggered(action->property("menuIndex").toInt()); });
}

void MenuArray::adopt(QAction* action) {
  connectItem(action);
  m_fixed = int(m_items.size());
}

QAction* MenuArray::add(const QString& caption) {
  auto* action = new QAction(caption, m_menu);
  // Elements made at run time name files, schemes and scripts: no language renames them.
  platform::MarkDataCaption(*action);
  QAction* before = nullptr;
  if (!m_items.isEmpty()) {
    const QList<QAction*> all = m_menu->actions();
    const qsizetype last = all.indexOf(m_items.last());
    if (last >= 0 && last + 1 < all.size()) before = all[last + 1];
  }
  m_menu->insertAction(before, action);
  // The checkable arrays (languages, schemes) make their run-time items checkable too.
  if (!m_items.isEmpty() && m_items.first()->isCheckable()) action->setCheckable(true);
  connectItem(action);
  Q_EMIT changed();
  return action;
}

void MenuArray::clear() {
  while (m_items.size() > m_fixed) {
    QAction* action = m_items.takeLast();
    m_menu->removeAction(action);
    action->deleteLater();
  }
  Q_EMIT changed();
}

void MenuArray::setEnabled(bool enabled) {
  m_enabled = enabled;
  for (QAction* action : m_items)
    if (!action->isSeparator()) action->setEnabled(enabled);
}

}  // namespace shell
