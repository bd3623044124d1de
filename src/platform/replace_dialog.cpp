// The replace window: the find window's fields and options, a replacement text, and buttons
// for one replacement or all of them.
#include "platform/replace_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/tab_order.h"

namespace platform {

ReplaceDialog::ReplaceDialog(EditControl& edit, QWidget* parent) : FindDialog(edit, parent) {
  setObjectName(QStringLiteral("frmReplace"));
  setWindowTitle(QStringLiteral("Замена"));

  m_txtReplace = new QLineEdit;
  m_txtReplace->setObjectName(QStringLiteral("txtReplace"));
  auto* label = new QLabel(QStringLiteral("За&менить на:"));
  label->setObjectName(QStringLiteral("lblReplace"));
  label->setBuddy(m_txtReplace);
  fields()->addWidget(label, 1, 0);
  fields()->addWidget(m_txtReplace, 1, 1);

  m_cmdReplace = new QPushButton(QStringLiteral("&Заменить"));
  m_cmdReplace->setObjectName(QStringLiteral("cmdReplace"));
  m_cmdReplaceAll = new QPushButton(QStringLiteral("Заменить &все"));
  m_cmdReplaceAll->setObjectName(QStringLiteral("cmdReplaceAll"));
  addButton(m_cmdReplace);
  addButton(m_cmdReplaceAll);

  // Tab from the text to find goes to the replacement, as the fields read.
  QWidget::setTabOrder(findField(), m_txtReplace);
  ChainTabOrder({findButton(), m_cmdReplace, m_cmdReplaceAll});

  connect(m_cmdReplace, &QPushButton::clicked, this, &ReplaceDialog::replaceOne);
  connect(m_cmdReplaceAll, &QPushButton::clicked, this, &ReplaceDialog::replaceEverything);
  updateButtons();
}

QString ReplaceDialog::replaceWith() const { return m_txtReplace->text(); }

void ReplaceDialog::updateButtons() {
  FindDialog::updateButtons();
  const bool any = !findWhat().isEmpty();
  m_cmdReplace->setEnabled(any);
  m_cmdReplaceAll->setEnabled(any);
}

void ReplaceDialog::replaceOne() { report(m_edit.replace(findWhat(), replaceWith(), options())); }

void ReplaceDialog::replaceEverything() {
  const std::optional<int> count = m_edit.replaceAll(findWhat(), replaceWith(), options());
  if (!count)
    report(FindResult::BadPattern);
  else
    showStatus(QStringLiteral("Заменено: %1").arg(*count));
}

}  // namespace platform
