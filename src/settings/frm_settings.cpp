#include "settings/frm_settings.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "platform/caption_marks.h"
#include "platform/named_controls.h"
#include "settings/settings_pages.h"
#include "shell/commands.h"
#include "shell/frm_main.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;

struct PageDef {
  const char* option;
  const char* frame;
  void (*build)(QGroupBox&, shell::FrmMain&);
};

constexpr PageDef kPages[kPageCount] = {
    {"Главные", "Главные настройки", BuildMainPage},
    {"Интеграция", "Настройки ассоциаций", BuildIntegrationPage},
    {"Редактор", "Редактор", BuildEditorPage},
    {"Интерфейс", "Интерфейс", BuildInterfacePage},
    {"Подсветка", "Подсветка", BuildHighLightPage},
    {"Плагины", "Плагины", BuildPluginsPage},
    {"Программы", "Программы", BuildProgramsPage},
    {"Шаблоны", "Шаблоны", BuildTemplatesPage},
    {"Автомат", "Автоматизация", BuildAutomationPage},
    {"Macro", "Macro-скрипты", BuildMacroPage},
    {"Кодировки", "Кодировки", BuildCodePagesPage},
    {"Клавиши", "Горячие клавиши", BuildKeysPage},
};
static_assert(std::size(kPages) == 12);

// The one window per main window, kept beside it.
QPointer<FrmSettings>& windowOf(shell::FrmMain& window) {
  static QHash<shell::FrmMain*, QPointer<FrmSettings>> windows;
  return windows[&window];
}

}  // namespace

FrmSettings::FrmSettings(shell::FrmMain& window)
    : QDialog(&window), m_window(window), m_stack(new QStackedWidget(this)) {
  setObjectName(QStringLiteral("frmSettings"));
  setWindowTitle(QStringLiteral("Настройки"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  auto* layout = new QHBoxLayout(this);
  auto* selectors = new QVBoxLayout;
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < kPageCount; ++i) {
    const QString index = QString::number(i);
    m_options[i] = new QRadioButton(QString::fromUtf8(kPages[i].option), this);
    m_options[i]->setObjectName(QStringLiteral("optOption") + index);
    platform::SetMiscKey(*m_options[i], index);
    group->addButton(m_options[i], i);
    selectors->addWidget(m_options[i]);

    m_frames[i] = new QGroupBox(QString::fromUtf8(kPages[i].frame), m_stack);
    m_frames[i]->setObjectName(QStringLiteral("Frame") + index);
    platform::SetMiscKey(*m_frames[i], index + QStringLiteral("_f"));
    m_stack->addWidget(m_frames[i]);
  }
  selectors->addStretch(1);
  auto* close = platform::Named(new QPushButton(QStringLiteral("Закрыть"), this), "cmdClose");
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  selectors->addWidget(close);
  layout->addLayout(selectors);
  layout->addWidget(m_stack, 1);

  for (int i = 0; i < kPageCount; ++i) kPages[i].build(*m_frames[i], window);
  connect(group, &QButtonGroup::idClicked, this, &FrmSettings::showPage);

  const int stored = window.context().settings.number(Setting::LastSI);
  showPage(stored < kPageCount ? stored : 0);
}

void FrmSettings::showPage(int page) {
  if (page < 0 || page >= kPageCount) return;
  m_options[page]->setChecked(true);
  m_stack->setCurrentIndex(page);
  m_window.context().settings.set(Setting::LastSI, QString::number(page));
}

int FrmSettings::currentPage() const { return m_stack->currentIndex(); }

void FrmSettings::reject() { close(); }

void FrmSettings::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
  m_window.focusEditor();
}

FrmSettings& OpenSettings(shell::FrmMain& window, int page) {
  QPointer<FrmSettings>& open = windowOf(window);
  if (!open) {
    open = new FrmSettings(window);
    // A closed window is deleted later; the next command makes a new one at once.
    QObject::connect(open, &FrmSettings::closed, &window, [&window] { windowOf(window) = nullptr; });
  }
  if (page >= 0) open->showPage(page);
  open->show();
  open->raise();
  open->activateWindow();
  return *open;
}

FrmSettings* FindSettings(shell::FrmMain& window) { return windowOf(window).data(); }

void InstallSettings(shell::FrmMain& window) {
  shell::Commands& commands = window.commands();
  commands.bind("mnuSettings", [&window] { OpenSettings(window); });
  struct OnPage {
    const char* item;
    int page;
  };
  for (const OnPage& item : {OnPage{"mnuSetPrograms", kProgramsPage},
                             OnPage{"mnuSetPlugins", kPluginsPage},
                             OnPage{"mnuSetTemplates", kTemplatesPage},
                             OnPage{"mnuSetMacro", kMacroPage},
                             OnPage{"mnuSetHightLight", kHighLightPage}})
    commands.bind(QString::fromUtf8(item.item),
                  [&window, page = item.page] { OpenSettings(window, page); });
}

}  // namespace settings
