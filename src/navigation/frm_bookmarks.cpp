#include "navigation/frm_bookmarks.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "navigation/named_objects.h"
#include "platform/tab_order.h"
#include "shell/window_placement.h"

namespace navigation {
namespace {

// The widths of the two views: the list alone, and the list with the details.
constexpr double kNarrowTwips = 2265;
constexpr double kWideTwips = 6120;

QLineEdit* detailField(QWidget* parent, const char* name) {
  auto* field = Named(new QLineEdit(parent), name);
  field->setReadOnly(true);
  return field;
}

}  // namespace

FrmBookmarks::FrmBookmarks(BookmarksHost host, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      m_host(std::move(host)),
      m_list(Named(new QListWidget(this), "lstBookmarks")),
      m_details(Named(new QWidget(this), "fraDetails")),
      m_document(detailField(m_details, "txtDocument")),
      m_position(detailField(m_details, "txtPosition")),
      m_name(detailField(m_details, "txtName")),
      m_menu(Named(new QMenu(this), "mnuBm")) {
  setObjectName("frmBookmarks");
  setWindowTitle(QStringLiteral("Закладки"));
  auto* showHide = Named(new QPushButton(QStringLiteral("Спрятать/Показать инфу"), this),
                         "cmdShowHide");
  auto* left = new QVBoxLayout;
  left->addWidget(m_list);
  left->addWidget(showHide);
  auto* grid = new QGridLayout(m_details);
  grid->setContentsMargins(0, 0, 0, 0);
  const CaptionedField rows[] = {{"lblDocument", "Документ:", m_document},
                                 {"lblPosition", "Позиция", m_position},
                                 {"lblName", "Название:", m_name}};
  for (int row = 0; row < 3; ++row) {
    grid->addWidget(BuddyLabel(rows[row], m_details), 2 * row, 0);
    grid->addWidget(rows[row].field, 2 * row + 1, 0);
  }
  grid->setRowStretch(6, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addWidget(m_details, 1);
  platform::ChainTabOrder({m_list, showHide, m_document, m_position, m_name});
  resize(width(), 260);

  const struct {
    const char* name;
    const char* caption;
    void (FrmBookmarks::*work)();
  } items[] = {
      {"mnuAddBm", "&Добавить", &FrmBookmarks::addBookmark},
      {"mnuRemoveBm", "&Удалить", &FrmBookmarks::removeBookmark},
      {"mnuEditBm", "&Изменить", &FrmBookmarks::editBookmark},
      {"mnuGotoBm", "&Перейти", &FrmBookmarks::goToBookmark},
  };
  for (const auto& item : items)
    connect(Named(m_menu->addAction(QString::fromUtf8(item.caption)), item.name),
            &QAction::triggered, this, item.work);
  m_list->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_list, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { m_menu->popup(m_list->viewport()->mapToGlobal(at)); });
  connect(m_list, &QListWidget::itemDoubleClicked, this, &FrmBookmarks::goToBookmark);
  connect(m_list, &QListWidget::itemSelectionChanged, this, &FrmBookmarks::showDetails);
  connect(showHide, &QPushButton::clicked, this, [this] {
    setWide(!m_wide);
    if (m_host.viewChanged) m_host.viewChanged(m_wide);
  });
  setWide(false);
}

void FrmBookmarks::setBookmarks(const QList<Bookmark>& bookmarks) {
  const int row = m_list->currentRow();
  m_bookmarks = bookmarks;
  m_list->clear();
  for (const Bookmark& bookmark : bookmarks) m_list->addItem(bookmark.name);
  if (row >= 0 && !bookmarks.isEmpty()) m_list->setCurrentRow(std::min(row, m_list->count() - 1));
  showDetails();
}

int FrmBookmarks::selectedIndex() const {
  const QList<QListWidgetItem*> chosen = m_list->selectedItems();
  const int row = chosen.isEmpty() ? -1 : m_list->row(chosen.first());
  return row < m_bookmarks.size() ? row : -1;
}

void FrmBookmarks::setWide(bool wide) {
  m_wide = wide;
  m_details->setVisible(wide);
  // A font larger than the one the widths were made for must not cut the controls off.
  const int twips = shell::TwipsToPixels(wide ? kWideTwips : kNarrowTwips, *this);
  layout()->activate();
  resize(std::max(twips, minimumSizeHint().width()), height());
}

void FrmBookmarks::addBookmark() {
  if (m_host.add) m_host.add();
}

void FrmBookmarks::removeBookmark() {
  if (const int index = selectedIndex(); index >= 0 && m_host.remove) m_host.remove(index);
}

void FrmBookmarks::editBookmark() {
  if (const int index = selectedIndex(); index >= 0 && m_host.edit) m_host.edit(index);
}

void FrmBookmarks::goToBookmark() {
  if (const int index = selectedIndex(); index >= 0 && m_host.go) m_host.go(index);
}

void FrmBookmarks::showDetails() {
  const int index = selectedIndex();
  const Bookmark shown = index >= 0 ? m_bookmarks[index] : Bookmark{};
  m_document->setText(shown.document);
  m_position->setText(index >= 0 ? QString::number(shown.position) : QString());
  m_name->setText(shown.name);
}

void FrmBookmarks::closeEvent(QCloseEvent* event) {
  event->accept();
  if (m_host.closed) m_host.closed();
}

}  // namespace navigation
