#include "settings/integration_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "integration/settings_flags.h"
#include "integration/shell_integration.h"
#include "integration/type_keepers.h"
#include "integration/window_shell.h"
#include "platform/named_controls.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace settings {
namespace {

using integration::AssociationItem;
using integration::AssociationList;
using platform::Named;
namespace Setting = platform::Setting;

QListWidgetItem* newLine(QListWidget& list, const AssociationItem& item) {
  auto* line = new QListWidgetItem(item.extension, &list);
  line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  line->setCheckState(item.checked ? Qt::Checked : Qt::Unchecked);
  return line;
}

}  // namespace

IntegrationPage::IntegrationPage(QGroupBox& frame, shell::FrmMain& window)
    : QObject(&frame),
      m_window(window),
      m_shell(integration::ShellIntegrationOf(window)),
      m_file(window.context().paths.file(QString::fromLatin1(integration::kAssociationsFile))) {
  new QVBoxLayout(&frame);
  buildList(frame);
  buildChoices(frame);
  refreshButtons();
}

void IntegrationPage::buildList(QGroupBox& frame) {
  auto* layout = static_cast<QVBoxLayout*>(frame.layout());
  m_list = Named(new QListWidget(&frame), "lstAss");
  for (const AssociationItem& item : integration::LoadAssociations(m_file)) newLine(*m_list, item);

  m_newExt = Named(new QLineEdit(&frame), "txtNewExt");
  m_add = Named(new QPushButton(QStringLiteral("Добавить"), &frame), "cmdAddAss");
  m_remove = Named(new QPushButton(QStringLiteral("Удалить"), &frame), "cmdRemoveAss");
  m_associate = Named(new QPushButton(QStringLiteral("Ассоциировать"), &frame), "cmdAssociate");
  m_checkAll = Named(new QPushButton(QStringLiteral("Отметить все"), &frame), "cmdCheckAll");
  m_uncheckAll = Named(new QPushButton(QStringLiteral("Снять отметки"), &frame), "cmdDeSelAll");

  auto* rows = new QHBoxLayout;
  rows->addWidget(m_list, 1);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {m_remove, m_associate, m_checkAll, m_uncheckAll})
    buttons->addWidget(button);
  buttons->addStretch(1);
  rows->addLayout(buttons);
  layout->addLayout(rows, 1);

  auto* addRow = new QHBoxLayout;
  addRow->addWidget(platform::BuddyLabel({"lblNewExt", "Добавить расширение:", m_newExt}, &frame));
  addRow->addWidget(m_newExt, 1);
  addRow->addWidget(m_add);
  layout->addLayout(addRow);

  connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* line) {
    checkChanged(line);
  });
  connect(m_list, &QListWidget::currentRowChanged, this, [this] { refreshButtons(); });
  connect(m_newExt, &QLineEdit::textChanged, this, [this] { refreshButtons(); });
  connect(m_newExt, &QLineEdit::returnPressed, this, [this] { add(); });
  connect(m_add, &QPushButton::clicked, this, [this] { add(); });
  connect(m_remove, &QPushButton::clicked, this, [this] { removeChosen(); });
  connect(m_associate, &QPushButton::clicked, this, [this] { associate(); });
  connect(m_checkAll, &QPushButton::clicked, this, [this] { setAllChecked(true); });
  connect(m_uncheckAll, &QPushButton::clicked, this, [this] { setAllChecked(false); });
}

void IntegrationPage::buildChoices(QGroupBox& frame) {
  auto& s = m_window.context().settings;
  // The boxes show what was last done; opening the window changes nothing outside it.
  m_openWith = Named(new QCheckBox(QStringLiteral("Открыть в Ostrel XP"), &frame), "chkOpenWithOP");
  m_openWith->setChecked(s.flag(Setting::OpenWith));
  m_htmlEditor = Named(new QCheckBox(QStringLiteral(" HTML-редактор по-умолчанию"), &frame),
                       "chkDefaultHTMLEditor");
  m_htmlEditor->setChecked(s.flag(Setting::DefHTMLEditor));
  auto* layout = static_cast<QVBoxLayout*>(frame.layout());
  layout->addWidget(m_openWith);
  layout->addWidget(m_htmlEditor);
  connect(m_openWith, &QCheckBox::toggled, this, [this](bool on) { openWithToggled(on); });
  connect(m_htmlEditor, &QCheckBox::toggled, this, [this](bool on) { htmlEditorToggled(on); });
}

AssociationList IntegrationPage::associations() const {
  AssociationList list;
  for (int i = 0; i < m_list->count(); ++i) {
    const QListWidgetItem* line = m_list->item(i);
    list.append({line->text(), line->checkState() == Qt::Checked});
  }
  return list;
}

void IntegrationPage::save() {
  QString error;
  if (!integration::SaveAssociations(m_file, associations(), &error))
    tell(QStringLiteral("Не удалось записать список расширений:\n") + error, true);
}

void IntegrationPage::add() {
  const QString typed = m_newExt->text().trimmed();
  if (typed.isEmpty()) return;
  const auto extension = integration::normalizeExtension(typed);
  if (!extension) {
    tell(QStringLiteral("«%1» не может быть расширением файла").arg(typed), true);
    return;
  }
  // The same extension twice would be two lines for one file type.
  for (int i = 0; i < m_list->count(); ++i)
    if (integration::normalizeExtension(m_list->item(i)->text()) == extension) {
      m_list->setCurrentRow(i);
      m_newExt->clear();
      return;
    }
  {
    const QSignalBlocker quiet(m_list);
    m_list->setCurrentItem(newLine(*m_list, {typed, false}));
  }
  m_newExt->clear();
  save();
  refreshButtons();
}

void IntegrationPage::removeChosen() {
  QListWidgetItem* line = m_list->currentItem();
  if (!line) return;
  const QString extension = line->text();
  {
    const QSignalBlocker quiet(m_list);
    delete m_list->takeItem(m_list->row(line));
  }
  save();
  release(extension, -1);
  refreshButtons();
}

void IntegrationPage::associate() {
  QString error;
  if (!m_shell.associateChecked(associations(), &error))
    tell(QStringLiteral("Не все расширения удалось ассоциировать:\n") + error, true);
  save();
}

void IntegrationPage::setAllChecked(bool checked) {
  QStringList unticked;
  {
    const QSignalBlocker quiet(m_list);
    for (int i = 0; i < m_list->count(); ++i) {
      QListWidgetItem* line = m_list->item(i);
      if (line->checkState() == Qt::Checked && !checked) unticked.append(line->text());
      line->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
  }
  save();
  for (const QString& extension : unticked) release(extension, -1);
  refreshButtons();
}

void IntegrationPage::checkChanged(QListWidgetItem* line) {
  save();
  if (line->checkState() != Qt::Checked) release(line->text(), m_list->row(line));
  refreshButtons();
}

void IntegrationPage::release(const QString& extension, int except) {
  const auto type = integration::ShellIntegration::mimeTypeOf(extension);
  if (!type || !m_shell.isDefaultFor(*type)) return;
  const QString keeper =
      integration::KeeperOf(*type, associations(), except, m_htmlEditor->isChecked());
  if (!keeper.isEmpty()) {
    tell(QStringLiteral("Файлы типа %1 по-прежнему открывает Ostrel XP: этого требует %2.")
             .arg(*type, keeper),
         false);
    return;
  }
  QString error;
  if (!m_shell.unassociate(extension, &error)) tell(error, true);
}

void IntegrationPage::openWithToggled(bool on) {
  QString error;
  if (integration::ApplyOpenWith(m_shell, m_window.context().settings, on, &error)) return;
  const QSignalBlocker quiet(m_openWith);
  m_openWith->setChecked(!on);
  tell(error, true);
}

void IntegrationPage::htmlEditorToggled(bool on) {
  auto& settings = m_window.context().settings;
  const QString type = QString::fromLatin1(integration::kHtmlType);
  if (!on && m_shell.isDefaultFor(type)) {
    const QString keeper = integration::KeeperOf(type, associations(), -1, false);
    if (!keeper.isEmpty()) {
      settings.setFlag(Setting::DefHTMLEditor, false);
      tell(QStringLiteral("Файлы типа %1 по-прежнему открывает Ostrel XP: этого требует %2.")
               .arg(type, keeper),
           false);
      return;
    }
  }
  QString error;
  if (integration::ApplyDefaultHtmlEditor(m_shell, settings, on, &error)) return;
  const QSignalBlocker quiet(m_htmlEditor);
  m_htmlEditor->setChecked(!on);
  tell(error, true);
}

void IntegrationPage::refreshButtons() {
  bool anyChecked = false;
  for (int i = 0; i < m_list->count(); ++i)
    anyChecked |= m_list->item(i)->checkState() == Qt::Checked;
  m_add->setEnabled(!m_newExt->text().trimmed().isEmpty());
  m_remove->setEnabled(m_list->currentItem() != nullptr);
  m_associate->setEnabled(anyChecked);
  m_checkAll->setEnabled(m_list->count() > 0);
  m_uncheckAll->setEnabled(m_list->count() > 0);
}

void IntegrationPage::tell(const QString& text, bool failure) {
  m_window.context().ui.message(text, QString::fromUtf8(shell::kProgramName),
                                platform::MsgButtons::Ok,
                                failure ? platform::MsgIcon::Warning : platform::MsgIcon::Information);
}

}  // namespace settings
