#include "navigation/frm_add_bookmark.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/file_dialogs.h"
#include "navigation/named_objects.h"
#include "platform/tab_order.h"
#include "shell/app_context.h"

namespace navigation {
namespace {

const QString kTitle = QStringLiteral("Добавление закладки");

}  // namespace

FrmAddBookmark::FrmAddBookmark(const BookmarkFields& initial, shell::AppContext& context,
                               QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_file(Named(new QLineEdit(initial.document, this), "txtFile")),
      m_name(Named(new QLineEdit(initial.name, this), "txtName")),
      m_pos(Named(new QLineEdit(initial.position, this), "txtPos")) {
  setObjectName("frmAddBookmark");
  setWindowTitle(kTitle);
  setMinimumWidth(420);
  auto* grid = new QGridLayout;
  auto* browse = Named(new QPushButton(QStringLiteral("..."), this), "cmdBrowse");
  const CaptionedField rows[] = {{"lblFile", "&Документ:", m_file},
                                 {"lblName", "&Название:", m_name},
                                 {"lblPos", "&Позиция:", m_pos}};
  for (int row = 0; row < 3; ++row) {
    grid->addWidget(BuddyLabel(rows[row], this), row, 0);
    grid->addWidget(rows[row].field, row, 1, 1, row == 0 ? 1 : 2);
  }
  grid->addWidget(browse, 0, 2);
  auto* create = Named(new QPushButton(QStringLiteral("Создать"), this), "cmdCreate");
  create->setDefault(true);
  auto* cancel = Named(new QPushButton(QStringLiteral("Отмена"), this), "cmdCancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(create);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  platform::ChainTabOrder({m_file, browse, m_name, m_pos, create, cancel});
  connect(browse, &QPushButton::clicked, this, &FrmAddBookmark::browse);
  connect(create, &QPushButton::clicked, this, &FrmAddBookmark::create);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

BookmarkFields FrmAddBookmark::fields() const {
  return {m_file->text(), m_name->text(), m_pos->text()};
}

void FrmAddBookmark::browse() {
  const platform::FileRequest request{QStringLiteral("Все файлы (*.*)|*.*"),
                                      QStringLiteral("Выбор документа"),
                                      document::LastDir(m_context)};
  const QString path = m_context.ui.openFile(request).path;
  if (!path.isEmpty()) m_file->setText(path);
}

// A bookmark the file could not hold as typed is not made: the dialog stays with the text.
void FrmAddBookmark::create() {
  if (const auto problem = BookmarkProblem(fields())) {
    m_context.ui.message(*problem, kTitle, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    return;
  }
  accept();
}

}  // namespace navigation
