// "Macro": the scripts bound to the program's events, kept in "Macro.ini" and read at every
// event, so a change here counts from the next one; and the options of the macro language.
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <memory>

#include "automation/event_macros.h"
#include "automation/macro_runner.h"
#include "platform/caption_marks.h"
#include "platform/ini_file.h"
#include "platform/named_controls.h"
#include "settings/setting_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;
using automation::MacroEvent;
using platform::Named;

// In the order of MacroEvent.
constexpr const char* kEventCaptions[] = {
    "При старте",       "При выходе",  "При открытии",  "При сохранении",
    "При копировании ", "При вставке", "При вырезании", "При удалении",
};
constexpr int kEventCount = int(std::size(kEventCaptions));
static_assert(int(MacroEvent::Delete) + 1 == kEventCount);

// The one section of the binding file.
QString mainSection() { return QStringLiteral("Main"); }

// The event list and the binding of its selected event.
class BindingPane {
 public:
  explicit BindingPane(shell::FrmMain& window) : m_window(window) {}

  QListWidget* events = nullptr;
  QCheckBox* enable = nullptr;
  QLineEdit* file = nullptr;
  QPushButton* browse = nullptr;

  // Shows the selected event's binding as the file holds it; without a selection there is
  // nothing to bind, and the controls are off.
  void show() {
    const bool selected = event().has_value();
    for (QWidget* w : {static_cast<QWidget*>(enable), static_cast<QWidget*>(file),
                       static_cast<QWidget*>(browse)})
      w->setEnabled(selected);
    const QSignalBlocker quiet(enable);
    const platform::IniFile ini(iniPath());
    enable->setChecked(selected && ini.read(mainSection(), automation::EnableKey(*event()),
                                            QStringLiteral("0")) == u"1");
    file->setText(selected ? ini.read(mainSection(), automation::FileKey(*event()), QString())
                           : QString());
  }

  void setEnabled(bool on) {
    if (const auto e = event())
      write(automation::EnableKey(*e), on ? QStringLiteral("1") : QStringLiteral("0"));
  }

  void setFile(const QString& path) {
    if (const auto e = event()) write(automation::FileKey(*e), path);
  }

  void chooseFile() {
    const auto e = event();
    if (!e) return;
    shell::AppContext& ctx = m_window.context();
    platform::FileRequest request;
    request.title = QStringLiteral("Выбор Macro-скрипта");
    request.filter = QStringLiteral("Macro-скрипты Ostrel XP(*.mac)|*.mac");
    request.initialDir =
        ctx.settings.get(Setting::LastDir, ctx.paths.file(QStringLiteral("Macro")));
    const QString path = ctx.ui.openFile(request).path;
    if (path.isEmpty()) return;
    ctx.settings.set(Setting::LastDir, QFileInfo(path).absolutePath());
    // The binding file gives back at most this much of a value: a longer path would come back
    // cut and name another file.
    if (path.size() > platform::IniFile::kMaxValueLength) {
      say(QStringLiteral("Путь к Macro-скрипту длиннее %1 символов и не может быть сохранён:\n%2")
              .arg(platform::IniFile::kMaxValueLength)
              .arg(path));
      return;
    }
    if (write(automation::FileKey(*e), path)) file->setText(path);
  }

 private:
  std::optional<MacroEvent> event() const {
    const int row = events->currentRow();
    if (row < 0 || row >= kEventCount) return std::nullopt;
    return MacroEvent(row);
  }

  QString iniPath() const { return m_window.context().paths.file(QStringLiteral("Macro.ini")); }

  // Writes one key of the binding file, keeping the rest of it; a failed write is reported and
  // the controls show again what the file holds.
  bool write(const QString& key, const QString& value) {
    platform::IniFile ini(iniPath());
    QString error;
    if (ini.write(mainSection(), key, value, &error)) return true;
    say(QStringLiteral("Не удалось записать файл «%1»:\n%2").arg(ini.path(), error));
    show();
    return false;
  }

  void say(const QString& text) {
    m_window.context().ui.message(text, QString::fromUtf8(shell::kProgramName),
                                  platform::MsgButtons::Ok, platform::MsgIcon::Warning);
  }

  shell::FrmMain& m_window;
};

QGroupBox* bindingsGroup(QWidget& frame, shell::FrmMain& window) {
  auto* group = PageGroup(&frame, "frmMacroOther", QStringLiteral("Дополнительно"));
  auto pane = std::make_shared<BindingPane>(window);
  pane->events = Named(new QListWidget(group), "lstMacroOther");
  for (const char* caption : kEventCaptions) pane->events->addItem(QString::fromUtf8(caption));
  platform::SetMiscListSuffix(*pane->events, QStringLiteral("_m"));
  pane->enable = Named(new QCheckBox(QStringLiteral("Включено"), group), "chkEnableMacro");
  pane->file = Named(new QLineEdit(group), "txtMacro");
  pane->file->setMaxLength(platform::IniFile::kMaxValueLength);
  pane->browse = Named(new QPushButton(QStringLiteral("..."), group), "cmdMacroBrowse");

  auto* grid = new QGridLayout(group);
  grid->addWidget(pane->events, 0, 0, 3, 1);
  grid->addWidget(pane->enable, 0, 1, 1, 2);
  grid->addWidget(pane->file, 1, 1);
  grid->addWidget(pane->browse, 1, 2);
  grid->setRowStretch(2, 1);
  grid->setColumnStretch(1, 1);

  auto* p = pane.get();
  QObject::connect(pane->events, &QListWidget::currentRowChanged, group, [pane] { pane->show(); });
  QObject::connect(pane->enable, &QCheckBox::toggled, group, [p](bool on) { p->setEnabled(on); });
  QObject::connect(pane->file, &QLineEdit::textEdited, group,
                   [p](const QString& text) { p->setFile(text); });
  QObject::connect(pane->browse, &QPushButton::clicked, group, [p] { p->chooseFile(); });
  pane->events->setCurrentRow(0);
  return group;
}

QGroupBox* macroOptions(QWidget& frame, shell::FrmMain& window) {
  auto& s = window.context().settings;
  auto* group = PageGroup(&frame, "frmMacroSetts", QStringLiteral("Настройки"));
  auto* column = new QVBoxLayout(group);
  auto* separatorRow = new QHBoxLayout;
  auto* separator = SettingTextField(group, "txtMacroSeperator", s, Setting::MacroSeperator);
  separatorRow->addWidget(
      platform::BuddyLabel({"lblMacroSeperator", "Разделитель:", separator}, group));
  separatorRow->addWidget(separator);
  separatorRow->addStretch(1);
  column->addLayout(separatorRow);
  column->addWidget(SettingCheckBox(
      group, "chkMacroMenuVisibleForAll", QStringLiteral("Доступно только для файлов .mac"), s,
      Setting::MacroOnlyForOPS, Reading::Flag,
      [&window](bool) { automation::FollowMacroMenuOption(window); }));
  column->addWidget(SettingCheckBox(
      group, "chkAutoMacroExecute",
      QStringLiteral("Автоматически выполнять Macro-скрипты при открытии Mac-файла"), s,
      Setting::AutoMacroExecute, Reading::Truth));
  return group;
}

}  // namespace

void BuildMacroPage(QGroupBox& frame, shell::FrmMain& window) {
  auto* layout = new QVBoxLayout(&frame);
  layout->addWidget(bindingsGroup(frame, window), 1);
  layout->addWidget(macroOptions(frame, window));
}

}  // namespace settings
