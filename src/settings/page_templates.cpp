// "Шаблоны": the templates of the template menu, and the user's macro variables of
// "Macroses.lst". The option buttons choose which of the two is shown.
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "automation/macro_runner.h"
#include "automation/templates.h"
#include "document/open_file.h"
#include "platform/named_controls.h"
#include "platform/text_file.h"
#include "settings/setting_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace settings {
namespace {

using platform::MsgAnswer;
using platform::Named;

const QString kAddTitle = QStringLiteral("Добавление шаблона");
const QString kMacrosesFile = QStringLiteral("Macroses.lst");

// The template list with its buttons; every change goes through the templates feature, which
// rebuilds the menu, and the list is listed from the folder again.
class TemplateListView : public QObject {
 public:
  TemplateListView(QGroupBox& group, shell::FrmMain& window)
      : QObject(&group),
        m_window(window),
        m_list(Named(new QListWidget(&group), "lstTemplates")),
        m_add(Named(new QPushButton(QStringLiteral("Добавить"), &group), "cmdAddTemplate")),
        m_edit(Named(new QPushButton(QStringLiteral("Редактировать"), &group), "cmdEditTemplate")),
        m_remove(Named(new QPushButton(QStringLiteral("Удалить"), &group), "cmdRemoveTemplate")) {
    fill(QString());
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { enableButtons(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { edit(); });
    connect(m_add, &QPushButton::clicked, this, [this] { add(); });
    connect(m_edit, &QPushButton::clicked, this, [this] { edit(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { remove(); });

    auto* layout = new QHBoxLayout(&group);
    layout->addWidget(m_list, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_add, m_edit, m_remove}) buttons->addWidget(b);
    buttons->addStretch(1);
    layout->addLayout(buttons);
  }

 private:
  QString chosen() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
  }

  void add() {
    const std::optional<QString> name =
        m_window.context().ui.inputBox(QStringLiteral("Введите название"), kAddTitle, QString());
    if (!name || name->isEmpty()) return;
    // Adding makes an empty file: a template already there would lose its text unasked.
    if (automation::TemplateExists(m_window, *name) &&
        m_window.context().ui.message(
            QStringLiteral("Шаблон «%1» уже есть. Заменить его пустым?").arg(*name), kAddTitle,
            platform::MsgButtons::YesNo, platform::MsgIcon::Question) != MsgAnswer::Yes)
      return;
    if (const auto problem = automation::AddTemplate(m_window, *name)) {
      PageWarning(m_window, *problem, kAddTitle);
      return;
    }
    fill(*name);
  }

  void edit() {
    if (const QString name = chosen(); !name.isEmpty()) automation::EditTemplate(m_window, name);
  }

  void remove() {
    const QString name = chosen();
    if (name.isEmpty()) return;
    if (const auto problem = automation::RemoveTemplate(m_window, name))
      PageWarning(m_window, *problem, QString::fromUtf8(shell::kProgramName));
    fill(QString());
  }

  void fill(const QString& select) {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItems(
        automation::TemplateNames(m_window.context().paths.file(QStringLiteral("Templates"))));
    const QList<QListWidgetItem*> found = m_list->findItems(select, Qt::MatchExactly);
    m_list->setCurrentItem(select.isEmpty() || found.isEmpty() ? nullptr : found.first());
    enableButtons();
  }

  void enableButtons() {
    const bool any = m_list->currentItem() != nullptr;
    m_edit->setEnabled(any);
    m_remove->setEnabled(any);
  }

  shell::FrmMain& m_window;
  QListWidget* m_list;
  QPushButton* m_add;
  QPushButton* m_edit;
  QPushButton* m_remove;
};

// The user's variables are read again each time the window opens, so what was changed in
// the file since takes effect now; the file is shown as it stands.
QGroupBox* macrosGroup(QWidget& frame, shell::FrmMain& window) {
  auto* group = PageGroup(&frame, "fraMacroses", QStringLiteral("Макросы"));
  const QString path = window.context().paths.file(kMacrosesFile);
  if (automation::MacroRunner* runner = automation::MacroRunnerOf(window)) runner->loadUserMacros();
  auto* text = Named(new QPlainTextEdit(group), "txtMacroses");
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  if (const auto file = platform::TextFile::read(path))
    text->setPlainText(QString(file->text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  auto* edit =
      Named(new QPushButton(QStringLiteral("Редактировать в Ostrel XP"), group), "cmdEditMacros");
  QObject::connect(edit, &QPushButton::clicked, group, [&window, path] {
    // A missing file is an empty table: there is nothing to lose by making it, to type into.
    QString error;
    if (!QFileInfo::exists(path) && !platform::TextFile::writeBytes(path, {}, &error)) {
      PageWarning(window, QStringLiteral("Невозможно создать %1:\n%2").arg(path, error),
           QString::fromUtf8(shell::kProgramName));
      return;
    }
    document::LFile(window, path);
  });
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(text, 1);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(edit);
  layout->addLayout(row);
  return group;
}

}  // namespace

void BuildTemplatesPage(QGroupBox& frame, shell::FrmMain& window) {
  auto* layout = new QVBoxLayout(&frame);
  auto* templates = PageGroup(&frame, "frmTemplates", QStringLiteral("Шаблоны"));
  new TemplateListView(*templates, window);
  QGroupBox* macros = macrosGroup(frame, window);
  layout->addWidget(SubPageChooser(
      &frame, "optTemplates", QStringLiteral("_t"),
      {{QStringLiteral("Шаблоны"), templates}, {QStringLiteral("Макросы"), macros}}, 0));
  layout->addWidget(templates, 1);
  layout->addWidget(macros, 1);
}

}  // namespace settings
