#include "settings/page_programs_list.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "automation/programs.h"
#include "platform/caption_marks.h"
#include "platform/named_controls.h"
#include "settings/setting_controls.h"
#include "shell/frm_main.h"

namespace settings {
namespace {

using platform::Named;

// The list shows the feature's entries; every change goes through the feature, which writes
// the file and rebuilds the menu, and the list is then filled again from what it holds.
class ProgramListView : public QObject {
 public:
  ProgramListView(QGroupBox& group, automation::Programs* programs)
      : QObject(&group),
        m_programs(programs),
        m_list(Named(new QListWidget(&group), "lstProgs")),
        m_program(Named(new QLabel(&group), "lblProgram")),
        m_add(button(group, "cmdAddProgram", "Добавить")),
        m_change(button(group, "cmdChangeProgram", "Изменить")),
        m_remove(button(group, "cmdRemoveProgram", "Удалить")),
        m_run(button(group, "cmdRunProgram", "Запустить")) {
    platform::MarkDataCaption(*m_program);
    m_program->setWordWrap(true);
    m_program->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (!m_programs) {
      // Without the feature nothing here could be read or stored.
      for (QWidget* w : {static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_add)})
        w->setEnabled(false);
      showSelection();
      return;
    }
    m_programs->load();
    fill(-1);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { showSelection(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { change(); });
    connect(m_add, &QPushButton::clicked, this, [this] {
      const bool added = m_programs->addWithDialog();
      fill(added ? int(m_programs->entries().size()) - 1 : m_list->currentRow());
    });
    connect(m_change, &QPushButton::clicked, this, [this] { change(); });
    connect(m_remove, &QPushButton::clicked, this, [this] {
      const int row = m_list->currentRow();
      m_programs->remove(row);
      fill(std::min(row, int(m_programs->entries().size()) - 1));
    });
    connect(m_run, &QPushButton::clicked, this,
            [this] { m_programs->launch(m_list->currentRow()); });
  }

  QListWidget* list() const { return m_list; }
  QLabel* program() const { return m_program; }
  QList<QPushButton*> buttons() const { return {m_add, m_change, m_remove, m_run}; }

 private:
  static QPushButton* button(QGroupBox& group, const char* name, const char* caption) {
    return Named(new QPushButton(QString::fromUtf8(caption), &group), name);
  }

  void change() {
    const int row = m_list->currentRow();
    if (row < 0) return;
    m_programs->changeWithDialog(row);
    fill(row);
  }

  void fill(int row) {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const automation::ProgramEntry& entry : m_programs->entries())
      m_list->addItem(entry.caption);
    m_list->setCurrentRow(row < m_list->count() ? row : -1);
    showSelection();
  }

  // The program line of the chosen entry; the buttons that act on an entry only with one.
  void showSelection() {
    const int row = m_list->currentRow();
    const bool chosen = m_programs && row >= 0 && row < m_programs->entries().size();
    m_program->setText(chosen ? m_programs->entries()[row].commandLine : QString());
    for (QPushButton* b : {m_change, m_remove, m_run}) b->setEnabled(chosen);
  }

  automation::Programs* m_programs;
  QListWidget* m_list;
  QLabel* m_program;
  QPushButton* m_add;
  QPushButton* m_change;
  QPushButton* m_remove;
  QPushButton* m_run;
};

}  // namespace

QGroupBox* ProgramListGroup(QWidget& frame, shell::FrmMain& window) {
  auto* group = PageGroup(&frame, "frmPrograms", QStringLiteral("Программы"));
  auto* view = new ProgramListView(*group, automation::ProgramsOf(window));
  auto* layout = new QVBoxLayout(group);
  auto* row = new QHBoxLayout;
  row->addWidget(view->list(), 1);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : view->buttons()) buttons->addWidget(b);
  buttons->addStretch(1);
  row->addLayout(buttons);
  layout->addLayout(row, 1);
  layout->addWidget(view->program());
  layout->addWidget(SettingCheckBox(group, "chkProgramsLOG", QStringLiteral("Вести LOG-файл"),
                                    window.context().settings, platform::Setting::BlockToLog,
                                    Reading::Flag));
  return group;
}

}  // namespace settings
