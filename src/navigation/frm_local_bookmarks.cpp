#include "navigation/frm_local_bookmarks.h"

#include <QAction>
#include <QCloseEvent>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

#include "navigation/named_objects.h"

namespace navigation {

FrmLocalBookmarks::FrmLocalBookmarks(LocalBookmarksHost host, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      m_host(std::move(host)),
      m_list(Named(new QListWidget(this), "lstBoox")),
      m_menu(Named(new QMenu(this), "mnuBoox")) {
  setObjectName("frmLocalBookmarks");
  setWindowTitle(QStringLiteral("Закладки"));
  // Wide enough for the window manager to show the whole title.
  setMinimumWidth(160);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list);
  resize(160, 220);

  const struct {
    const char* name;
    const char* caption;
    std::function<void(int)> LocalBookmarksHost::*work;
  } items[] = {
      // Named apart from the main menu's "mnuRemove" and "mnuGoto": a language file has one key
      // per name, and these items say something else.
      {"mnuSetLb", "Установить", &LocalBookmarksHost::set},
      {"mnuRemoveLb", "Удалить", &LocalBookmarksHost::remove},
      {"mnuGotoLb", "Перейти", &LocalBookmarksHost::go},
  };
  for (const auto& item : items) {
    QAction* action = Named(m_menu->addAction(QString::fromUtf8(item.caption)), item.name);
    connect(action, &QAction::triggered, this, [this, work = item.work] { run(m_host.*work); });
  }
  m_list->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_list, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { m_menu->popup(m_list->viewport()->mapToGlobal(at)); });
  connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { run(m_host.go); });
}

void FrmLocalBookmarks::setLabels(const QStringList& labels) {
  // Texts change in place, so the selected line stays selected.
  if (m_list->count() != labels.size()) {
    m_list->clear();
    m_list->addItems(labels);
    return;
  }
  for (int row = 0; row < m_list->count(); ++row) m_list->item(row)->setText(labels[row]);
}

int FrmLocalBookmarks::selectedSlot() const {
  const QList<QListWidgetItem*> chosen = m_list->selectedItems();
  return chosen.isEmpty() ? -1 : m_list->row(chosen.first());
}

// The pop-up menu's commands act on the selected line and do nothing without one.
void FrmLocalBookmarks::run(const std::function<void(int)>& work) {
  if (const int slot = selectedSlot(); slot >= 0 && work) work(slot);
}

void FrmLocalBookmarks::closeEvent(QCloseEvent* event) {
  event->accept();
  if (m_host.closed) m_host.closed();
}

}  // namespace navigation
