// The find window: a text, the search options and a status line saying what the last search
// came to; the searching itself is the control's.
#include "platform/find_dialog.h"

#include "platform/caption_marks.h"
#include "platform/named_controls.h"
#include "platform/tab_order.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace platform {

FindDialog::FindDialog(EditControl& edit, QWidget* parent) : QDialog(parent), m_edit(edit) {
  setObjectName(QStringLiteral("frmFind"));
  setWindowTitle(QStringLiteral("Поиск"));
  setModal(false);

  m_fields = new QGridLayout;
  m_txtFind = Named(new QLineEdit, "txtFind");
  auto* label = Named(new QLabel(QStringLiteral("&Найти:")), "lblFind");
  label->setBuddy(m_txtFind);
  m_fields->addWidget(label, 0, 0);
  m_fields->addWidget(m_txtFind, 0, 1);

  m_lblStatus = Named(new QLabel, "lblStatus");
  platform::MarkDataCaption(*m_lblStatus);
  auto* left = new QVBoxLayout;
  left->addLayout(m_fields);
  left->addLayout(makeOptions());
  left->addWidget(m_lblStatus);
  left->addStretch();

  m_cmdFind = Named(new QPushButton(QStringLiteral("Найти &далее")), "cmdFind");
  m_cmdFind->setDefault(true);
  auto* cmdClose = Named(new QPushButton(QStringLiteral("Закрыть")), "cmdClose");
  m_buttons = new QVBoxLayout;
  m_buttons->addWidget(m_cmdFind);
  m_buttons->addWidget(cmdClose);
  m_buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(m_buttons);

  setOptions(edit.findOptions());
  connect(m_cmdFind, &QPushButton::clicked, this, &FindDialog::findNext);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_txtFind, &QLineEdit::textChanged, this, [this] { updateButtons(); });
  // Whole words are a plain-text option: Scintilla does not apply them to a pattern.
  connect(m_chkRegExp, &QCheckBox::toggled, m_chkWholeWord, &QWidget::setDisabled);
  ChainTabOrder({m_txtFind, m_chkMatchCase, m_chkWholeWord, m_chkRegExp, m_chkWrap, m_optUp,
                 m_optDown, m_cmdFind, cmdClose});
}

QLayout* FindDialog::makeOptions() {
  m_chkMatchCase = Named(new QCheckBox(QStringLiteral("Учитывать &регистр")), "chkMatchCase");
  m_chkWholeWord = Named(new QCheckBox(QStringLiteral("&Слово целиком")), "chkWholeWord");
  m_chkRegExp = Named(new QCheckBox(QStringLiteral("Регулярное в&ыражение")), "chkRegExp");
  m_chkWrap = Named(new QCheckBox(QStringLiteral("&Циклический поиск")), "chkWrap");
  auto* checks = new QVBoxLayout;
  for (QCheckBox* check : {m_chkMatchCase, m_chkWholeWord, m_chkRegExp, m_chkWrap})
    checks->addWidget(check);

  auto* direction = Named(new QGroupBox(QStringLiteral("Направление")), "fraDirection");
  m_optUp = Named(new QRadioButton(QStringLiteral("Вв&ерх")), "optUp");
  m_optDown = Named(new QRadioButton(QStringLiteral("Вн&из")), "optDown");
  auto* directionLayout = new QVBoxLayout(direction);
  directionLayout->addWidget(m_optUp);
  directionLayout->addWidget(m_optDown);

  auto* options = new QHBoxLayout;
  options->addLayout(checks);
  options->addWidget(direction);
  return options;
}

void FindDialog::present(const QString& what) {
  setOptions(m_edit.findOptions());
  m_txtFind->setText(what);
  m_txtFind->selectAll();
  showStatus(QString());
  updateButtons();
  show();
  raise();
  activateWindow();
  m_txtFind->setFocus();
}

QString FindDialog::findWhat() const { return m_txtFind->text(); }

FindOptions FindDialog::options() const {
  FindOptions options;
  options.matchCase = m_chkMatchCase->isChecked();
  options.wholeWord = m_chkWholeWord->isChecked();
  options.regExp = m_chkRegExp->isChecked();
  options.up = m_optUp->isChecked();
  options.wrap = m_chkWrap->isChecked();
  return options;
}

void FindDialog::setOptions(const FindOptions& options) {
  m_chkMatchCase->setChecked(options.matchCase);
  m_chkWholeWord->setChecked(options.wholeWord);
  m_chkRegExp->setChecked(options.regExp);
  m_chkWholeWord->setDisabled(options.regExp);
  m_optUp->setChecked(options.up);
  m_optDown->setChecked(!options.up);
  // Tab enters the direction at the checked button, not at the first one of the pair.
  for (QRadioButton* option : {m_optUp, m_optDown})
    option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  m_chkWrap->setChecked(options.wrap);
}

QWidget* FindDialog::findField() const { return m_txtFind; }
QWidget* FindDialog::findButton() const { return m_cmdFind; }

QString FindDialog::status() const { return m_lblStatus->text(); }

void FindDialog::addButton(QPushButton* button) {
  // Above "Закрыть" and the stretch under it.
  m_buttons->insertWidget(m_buttons->count() - 2, button);
}

void FindDialog::showStatus(const QString& text) { m_lblStatus->setText(text); }

void FindDialog::report(FindResult result) {
  switch (result) {
    case FindResult::Found:
      showStatus(QString());
      break;
    case FindResult::Wrapped:
      showStatus(options().up ? QStringLiteral("Поиск продолжен с конца текста")
                              : QStringLiteral("Поиск продолжен с начала текста"));
      break;
    case FindResult::NotFound:
      showStatus(QStringLiteral("Текст не найден"));
      break;
    case FindResult::BadPattern:
      showStatus(QStringLiteral("Ошибка в регулярном выражении"));
      break;
  }
}

void FindDialog::updateButtons() { m_cmdFind->setEnabled(!findWhat().isEmpty()); }

void FindDialog::findNext() { report(m_edit.find(findWhat(), options())); }

}  // namespace platform
