// "Редактор": the line ends of new text, the tab size, what the editor shows, the checks on
// opening and closing, the date format of "Дата и время". View options apply to the open
// editor at once.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/edit_control.h"
#include "platform/named_controls.h"
#include "settings/setting_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"

namespace settings {

namespace Setting = platform::Setting;
using platform::Named;

void BuildEditorPage(QGroupBox& frame, shell::FrmMain& window) {
  auto& s = window.context().settings;
  platform::EditControl& editor = window.txtMain();
  auto* layout = new QVBoxLayout(&frame);

  auto* modeGroup = PageGroup(&frame, "fraTextMode", QStringLiteral("Режим текста"));
  auto* modeRow = new QHBoxLayout(modeGroup);
  modeRow->addWidget(SettingIndexList(
      modeGroup, "cmbTextMode", {QStringLiteral("Windows (CrLf)"), QStringLiteral("Unix (Lf)")}, s,
      Setting::TextMode, 0, [&editor](int index) { editor.setWindowsLineEnds(index == 0); }));
  modeRow->addStretch(1);
  layout->addWidget(modeGroup);

  auto* tabGroup = PageGroup(&frame, "fraTabSize", QStringLiteral("Размер tab'а"));
  auto* tabRow = new QHBoxLayout(tabGroup);
  tabRow->addWidget(SettingNumberField(tabGroup, "txtTabSize", s, Setting::TabSize, 4,
                                       [&editor](int size) { editor.setTabSize(size); }));
  tabRow->addWidget(Named(new QLabel(QStringLiteral("пробелов"), tabGroup), "lblSpaces"));
  tabRow->addStretch(1);
  layout->addWidget(tabGroup);

  struct Option {
    const char* name;
    const char* caption;
    const platform::SettingDef& value;
    Reading reading;
    std::function<void(bool)> effect;
  };
  const Option options[] = {
      {"chkWhiteSpace", "Специальные символы", Setting::DisplayWhiteSpaces, Reading::Truth,
       [&editor](bool on) { editor.setWhiteSpaceVisible(on); }},
      {"chkHLCurrentLine", "Подсветка текущей линии", Setting::HighLightCurrentLine,
       Reading::Flag,
       [&editor](bool on) { editor.setHighlightedLine(on ? editor.selection().endLine : -1); }},
      {"chkShowGutter", "Отступ (Gutter)", Setting::ShowGutter, Reading::Truth,
       [&editor](bool on) { editor.setLeftMarginVisible(on); }},
      {"chkNumberStrings", "Нумеровать строки", Setting::NumberStrings, Reading::Truth,
       [&editor](bool on) { editor.setLineNumbersVisible(on); }},
      {"chkWarnIfChanged", "Предупреждать, если файл был изменен", Setting::WarnIfChanged,
       Reading::Flag, {}},
      {"chkOpenLastFileOnStart", "Открывать при старте последний файл", Setting::LoadLastOpened,
       Reading::Flag, {}},
      // The main window's hidden cancel button takes or drops Escape.
      {"chkEscape", "Выход Escape'ом", Setting::ExitOnEscape, Reading::Truth,
       [&window](bool on) {
         if (QAction* escape = window.findChild<QAction*>(QStringLiteral("cmdEscape")))
           escape->setEnabled(on);
       }},
  };
  for (const Option& option : options)
    layout->addWidget(SettingCheckBox(&frame, option.name, QString::fromUtf8(option.caption), s,
                                      option.value, option.reading, option.effect));

  auto* dateGroup = PageGroup(&frame, "fraDateFormat", QStringLiteral("Формат времени"));
  auto* dateRow = new QHBoxLayout(dateGroup);
  dateRow->addWidget(SettingTextField(dateGroup, "TextTDFormat", s, Setting::DateFormat));
  layout->addWidget(dateGroup);
  layout->addStretch(1);
}

}  // namespace settings
