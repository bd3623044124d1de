// "Программы": the browsers of the preview commands, and the user's program list. The option
// buttons choose which of the two is shown.
#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/caption_marks.h"
#include "platform/named_controls.h"
#include "settings/page_programs_list.h"
#include "settings/setting_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;
using platform::Named;

// Programs on this system seldom carry an extension: every file can be chosen too.
constexpr const char* kBrowserFilter = "Программы(*.exe;*.com)|*.exe;*.com|Все файлы (*)|*";

struct BrowserRow {
  const char* label;
  const char* caption;
  const char* field;
  const char* button;
  const platform::SettingDef& value;
};

// The preview item of the other browser is named after it: its caption is data, not a text
// a language file could translate.
void showBrowserName(shell::FrmMain& window, const QString& name) {
  if (QAction* other = window.commands().action(QStringLiteral("mnuOther"))) {
    other->setText(name);
    platform::MarkDataCaption(*other);
  }
}

void addPathRow(QGridLayout& grid, int row, QGroupBox& group, shell::FrmMain& window,
                const BrowserRow& browser) {
  const PathRow path = SettingPathRow(&group, browser.field, browser.button, window, browser.value,
                                      QStringLiteral("Обзор"), QString::fromUtf8(kBrowserFilter));
  grid.addWidget(platform::BuddyLabel({browser.label, browser.caption, path.field}, &group), row,
                 0);
  grid.addWidget(path.field, row, 1);
  grid.addWidget(path.button, row, 2);
}

QGroupBox* pathsGroup(QWidget& frame, shell::FrmMain& window) {
  auto* group = PageGroup(&frame, "fraPaths", QStringLiteral("Пути"));
  auto* grid = new QGridLayout(group);
  const BrowserRow browsers[] = {
      {"lblIEDir", "Internet Explorer:", "txtIEDir", "cmdIEBrowse", Setting::InternetExplorer},
      {"lblOperaDir", "Opera:", "txtOperaDir", "cmdOperaBrowse", Setting::Opera},
      {"lblNetscapeDir", "Netscape:", "txtNetscapeDir", "cmdNetscapeBrowse", Setting::NetScape},
  };
  int row = 0;
  for (const BrowserRow& browser : browsers) addPathRow(*grid, row++, *group, window, browser);

  grid->addWidget(Named(new QLabel(QStringLiteral("Другой:"), group), "lblOther"), row++, 0);
  QLineEdit* name =
      SettingTextField(group, "txtOtherName", window.context().settings, Setting::MyBrowserName);
  QObject::connect(name, &QLineEdit::textEdited, group,
                   [&window](const QString& text) { showBrowserName(window, text); });
  grid->addWidget(platform::BuddyLabel({"lblOtherName", "Название:", name}, group), row, 0);
  grid->addWidget(name, row++, 1);
  addPathRow(*grid, row, *group, window,
             {"lblOtherDir", "Путь:", "txtOtherDir", "cmdOtherBrowse", Setting::MyBrowserDir});
  grid->setColumnStretch(1, 1);
  return group;
}

}  // namespace

void BuildProgramsPage(QGroupBox& frame, shell::FrmMain& window) {
  auto* layout = new QVBoxLayout(&frame);
  QGroupBox* paths = pathsGroup(frame, window);
  QGroupBox* programs = ProgramListGroup(frame, window);
  // The program menu's "Настроить" opens this page: its list is what the user came for.
  layout->addWidget(SubPageChooser(
      &frame, "optPrograms", QStringLiteral("_p"),
      {{QStringLiteral("Пути"), paths}, {QStringLiteral("Программы"), programs}}, 1));
  layout->addWidget(paths);
  layout->addWidget(programs, 1);
  layout->addStretch(0);
}

}  // namespace settings
