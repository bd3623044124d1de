// "Главные": timed back-up and save, the length of the recent-files history, the typing sound.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "document/recent_files.h"
#include "platform/named_controls.h"
#include "settings/setting_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"

namespace settings {
namespace {

using platform::Named;
namespace Setting = platform::Setting;

// "Включить", then "Каждые" [minutes] "минут", the row shown only while the box is ticked.
// The running timers keep their state until the next start.
void timedGroup(QGroupBox& group, platform::SettingsStore& s, const char* check,
                const platform::SettingDef& on, const char* field,
                const platform::SettingDef& minutes, const char* every, const char* unit) {
  auto* layout = new QHBoxLayout(&group);
  auto* minutesField = SettingNumberField(&group, field, s, minutes, 0);
  auto* before = Named(new QLabel(QStringLiteral("Каждые"), &group), every);
  auto* after = Named(new QLabel(QStringLiteral("минут"), &group), unit);
  before->setBuddy(minutesField);
  const auto showRow = [=](bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(before), static_cast<QWidget*>(minutesField),
                       static_cast<QWidget*>(after)})
      w->setVisible(shown);
  };
  auto* box = SettingCheckBox(&group, check, QStringLiteral("Включить"), s, on, Reading::Truth,
                              showRow);
  layout->addWidget(box);
  layout->addWidget(before);
  layout->addWidget(minutesField);
  layout->addWidget(after);
  layout->addStretch(1);
  showRow(box->isChecked());
}

}  // namespace

void BuildMainPage(QGroupBox& frame, shell::FrmMain& window) {
  auto& s = window.context().settings;
  auto* layout = new QVBoxLayout(&frame);

  auto* backup = PageGroup(&frame, "fraAutoBackUp", QStringLiteral("Автобэкап"));
  timedGroup(*backup, s, "chkAutoBackUp", Setting::AutoBackUp, "txtAutoBackUp",
             Setting::AutoBackUpTime, "lblBackUpEvery", "lblBackUpMinutes");
  layout->addWidget(backup);

  auto* history = PageGroup(&frame, "fraHistory", QStringLiteral("История"));
  auto* historyRow = new QHBoxLayout(history);
  auto* count = SettingNumberField(history, "txtOpenedFilesCount", s, Setting::OpenedLimit, 10);
  historyRow->addWidget(
      platform::BuddyLabel({"lblRemember", "Помнить", count}, history));
  historyRow->addWidget(count);
  historyRow->addWidget(Named(new QLabel(QStringLiteral("последних файлов"), history),
                              "lblLastFiles"));
  historyRow->addStretch(1);
  auto* clear = Named(new QPushButton(QStringLiteral("Очистить историю"), history),
                      "cmdClearHistory");
  QObject::connect(clear, &QPushButton::clicked, &frame, [&window] {
    if (document::RecentFiles* recent = window.recentFiles()) recent->clear();
  });
  historyRow->addWidget(clear);
  layout->addWidget(history);

  auto* autoSave = PageGroup(&frame, "fraAutoSave", QStringLiteral("Автосохранение"));
  timedGroup(*autoSave, s, "chkAutoSave", Setting::AutoSave, "txtAutoSave",
             Setting::AutoSaveTime, "lblSaveEvery", "lblSaveMinutes");
  layout->addWidget(autoSave);

  auto* sound = PageGroup(&frame, "fraSound", QStringLiteral("Звук"));
  auto* soundLayout = new QVBoxLayout(sound);
  const PathRow wave = SettingPathRow(sound, "txtSoundFile", "cmdBrowseForSoundFile", window,
                                      Setting::WaveFile, QStringLiteral("Выбор WAVE-файла"),
                                      QStringLiteral("Wave-файлы(*.wav)|*.wav"));
  const auto showWave = [wave](bool shown) {
    wave.field->setVisible(shown);
    wave.button->setVisible(shown);
  };
  auto* play = SettingCheckBox(sound, "chkPlaySound",
                               QStringLiteral("Играть звук при наборе текста"), s,
                               Setting::PlayWave, Reading::Truth, showWave);
  soundLayout->addWidget(play);
  auto* waveRow = new QHBoxLayout;
  waveRow->addWidget(wave.field, 1);
  waveRow->addWidget(wave.button);
  soundLayout->addLayout(waveRow);
  showWave(play->isChecked());
  layout->addWidget(sound);
  layout->addStretch(1);
}

}  // namespace settings
