// "Подсветка": the scheme in use and installing new definition files, the colour scheme, and
// the options of choosing a scheme by extension, keyword case and the auto-complete words.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "highlight/highlighter.h"
#include "platform/edit_control.h"
#include "platform/named_controls.h"
#include "settings/page_highlight_colours.h"
#include "settings/setting_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;
using platform::Named;

// Copies a definition file the user picks into the Syntax folder and lists its scheme.
void installScheme(shell::FrmMain& window, highlight::HighLighter& lighter, QComboBox& schemes) {
  shell::AppContext& ctx = window.context();
  platform::FileRequest request;
  request.title = QStringLiteral("Добавление подсветки");
  request.filter = QStringLiteral("Модули подсветки Ostrel XP(*.ohf)|*.ohf");
  request.initialDir = ctx.settings.get(Setting::LastDir, ctx.paths.file(QStringLiteral("Syntax")));
  const platform::FileChoice choice = ctx.ui.openFile(request);
  if (choice.path.isEmpty()) return;
  int index = -1;
  if (const auto problem = lighter.InstallHighLightFile(choice.path, &index)) {
    ctx.ui.message(*problem, QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                   platform::MsgIcon::Warning);
    return;
  }
  schemes.addItem(lighter.list().caption(index));
}

QGroupBox* schemeGroup(QWidget& frame, shell::FrmMain& window) {
  auto* group = PageGroup(&frame, "fraHighLightScheme", QStringLiteral("Схема подсветки"));
  auto* row = new QHBoxLayout(group);
  auto* schemes = Named(new QComboBox(group), "cmbHighLight");
  auto* install = Named(new QPushButton(QStringLiteral("Инсталлировать"), group), "cmdAddHL");
  // Schemes only ever join the list while the program runs (menu items, hot keys and the
  // stored choice count on their places), so removing one has nothing to act on.
  auto* remove = Named(new QPushButton(QStringLiteral("Удалить"), group), "cmdRemoveHL");
  remove->setEnabled(false);
  row->addWidget(schemes, 1);
  row->addWidget(install);
  row->addWidget(remove);

  highlight::HighLighter* lighter = highlight::HighLighterOf(window);
  if (!lighter) {
    schemes->setEnabled(false);
    install->setEnabled(false);
    return group;
  }
  const auto showCurrent = [schemes](int index) {
    schemes->setCurrentIndex(index >= 0 && index < schemes->count() ? index : -1);
  };
  for (int i = 0; i < lighter->list().count(); ++i) schemes->addItem(lighter->list().caption(i));
  showCurrent(lighter->current());
  QObject::connect(schemes, &QComboBox::activated, lighter,
                   [lighter](int index) { lighter->SetHighLight(index); });
  // The menu, a hot key or an opened file may choose another scheme while the page is shown.
  QObject::connect(lighter, &highlight::HighLighter::currentChanged, schemes, showCurrent);
  QObject::connect(install, &QPushButton::clicked, schemes,
                   [&window, lighter, schemes] { installScheme(window, *lighter, *schemes); });
  return group;
}

QGroupBox* highlightOptions(QWidget& frame, shell::FrmMain& window) {
  auto& s = window.context().settings;
  auto* group = PageGroup(&frame, "fraHighLightOptions", QStringLiteral("Параметры"));
  auto* column = new QVBoxLayout(group);
  column->addWidget(SettingCheckBox(group, "chkSynAutoDetect",
                                    QStringLiteral("Выбирать подсветку по расширению файла"), s,
                                    Setting::SynAutoDetect, Reading::Truth));
  platform::EditControl& editor = window.txtMain();
  column->addWidget(SettingCheckBox(group, "chkSynAutoCase",
                                    QStringLiteral("Исправлять регистр ключевых слов"), s,
                                    Setting::SyntaxAutoCase, Reading::Truth,
                                    [&editor](bool on) { editor.setKeywordCaseCorrection(on); }));
  // The auto-complete list follows at once: the current scheme's words, or back to the
  // user's own word list.
  column->addWidget(SettingCheckBox(
      group, "chkAddToAutoComplete", QStringLiteral("Добавлять слова подсветки в автозавершение"),
      s, Setting::AddToAutoComplete, Reading::Truth, [&window](bool on) {
        highlight::HighLighter* lighter = highlight::HighLighterOf(window);
        if (on && lighter)
          lighter->SetHighLight(lighter->current());
        else if (!on)
          window.hooks().run(shell::Hook::AutoComplete);
      }));
  return group;
}

}  // namespace

void BuildHighLightPage(QGroupBox& frame, shell::FrmMain& window) {
  auto* layout = new QVBoxLayout(&frame);
  layout->addWidget(schemeGroup(frame, window));
  layout->addWidget(HighLightColoursGroup(frame, window), 1);
  layout->addWidget(highlightOptions(frame, window));
}

}  // namespace settings
