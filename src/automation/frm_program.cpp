#include "automation/frm_program.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "automation/program_line.h"
#include "platform/tab_order.h"

namespace automation {
namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
  auto* result = new QPushButton(caption, parent);
  result->setObjectName(QString::fromUtf8(name));
  return result;
}

}  // namespace

FrmProgram::FrmProgram(Mode mode, const ProgramEntry& entry, ChooseFile chooseFile, Check check,
                       QWidget* parent)
    : QDialog(parent),
      m_mode(mode),
      m_chooseFile(std::move(chooseFile)),
      m_check(std::move(check)),
      m_name(new QLineEdit(entry.caption, this)),
      m_path(new QLineEdit(entry.commandLine, this)) {
  setObjectName("frmProgram");
  setWindowTitle(QStringLiteral("Программа"));
  setModal(true);
  m_name->setObjectName("txtName");
  m_path->setObjectName("txtPath");
  m_path->setMinimumWidth(360);
  auto* nameLabel = new QLabel(QStringLiteral("Название:"), this);
  nameLabel->setObjectName("lblName");
  nameLabel->setBuddy(m_name);
  auto* pathLabel = new QLabel(QStringLiteral("Путь:"), this);
  pathLabel->setObjectName("lblPath");
  pathLabel->setBuddy(m_path);
  QPushButton* browse = button("cmdBrowse", QStringLiteral("..."), this);
  browse->setToolTip(QStringLiteral("Выбор программы"));
  QPushButton* ok = button("cmdOK", QStringLiteral("ОК"), this);
  QPushButton* cancel = button("cmdCancel", QStringLiteral("Отмена"), this);
  ok->setDefault(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(nameLabel, 0, 0);
  grid->addWidget(m_name, 0, 1, 1, 2);
  grid->addWidget(pathLabel, 1, 0);
  grid->addWidget(m_path, 1, 1);
  grid->addWidget(browse, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 2, 0, 1, 3);
  platform::ChainTabOrder({m_name, m_path, browse, ok, cancel});

  connect(browse, &QPushButton::clicked, this, &FrmProgram::browse);
  connect(ok, &QPushButton::clicked, this, [this] {
    if (!m_check || m_check(this->entry())) accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

ProgramEntry FrmProgram::entry() const { return {m_name->text(), m_path->text()}; }

void FrmProgram::browse() {
  if (!m_chooseFile) return;
  const std::optional<QString> path = m_chooseFile();
  if (!path || path->isEmpty()) return;
  // The program field is split into words, so a path with spaces goes in quoted.
  m_path->setText(QuoteProgramPath(*path));
  if (m_name->text().isEmpty()) m_name->setText(QFileInfo(*path).fileName());
}

}  // namespace automation
