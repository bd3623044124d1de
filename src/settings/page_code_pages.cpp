// "Кодировки": the code page a document is saved in. Automatic detection of code pages has
// no options yet; its check boxes are shown disabled.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/named_controls.h"
#include "settings/setting_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;
using platform::Named;

// Entry i is code page i + 1 of the conversion tables; the last one names no table.
const char* const kSaveCodePages[] = {"Win - 1251", "Dos - 866", "Koi - 8r", "Macintosh",
                                      "Iso - 8859", "Другая"};
constexpr int kOtherEntry = 5;

// The stored entry, read as the list shows it: "Другая" is stored as 6, which the saving
// reader treats as no conversion.
int storedEntry(const platform::SettingsStore& s) {
  const auto number = platform::CheckedNumber(s.get(Setting::SaveInCodir), {1, 6});
  return number && *number == int(*number) ? int(*number) - 1 : 0;
}

}  // namespace

void BuildCodePagesPage(QGroupBox& frame, shell::FrmMain& window) {
  auto& ctx = window.context();
  auto& s = ctx.settings;
  auto* layout = new QVBoxLayout(&frame);

  auto* saving = PageGroup(&frame, "fraSave", QStringLiteral("Сохранение"));
  auto* savingLayout = new QVBoxLayout(saving);
  auto* options = new QButtonGroup(saving);
  auto* current = Named(new QRadioButton(QStringLiteral("Установленной"), saving), "optSave0");
  auto* chosen =
      Named(new QRadioButton(QStringLiteral("Сохранять в кодировке:"), saving), "optSave1");
  options->addButton(current, 0);
  options->addButton(chosen, 1);

  auto* list = Named(new QComboBox(saving), "cmbSaveCodir");
  for (const char* name : kSaveCodePages) list->addItem(QString::fromUtf8(name));
  list->setCurrentIndex(storedEntry(s));
  auto* other = Named(new QPushButton(QStringLiteral("Настроить"), saving), "cmdSetSaveCodir");

  const auto showChoice = [list, other](bool chosenPage) {
    list->setVisible(chosenPage);
    other->setVisible(chosenPage && list->currentIndex() == kOtherEntry);
  };
  const int mode = s.number(Setting::SaveCodir);
  (mode == 1 ? chosen : current)->setChecked(mode == 0 || mode == 1);
  QObject::connect(options, &QButtonGroup::idClicked, saving, [&s, showChoice](int id) {
    s.set(Setting::SaveCodir, QString::number(id));
    showChoice(id == 1);
  });
  QObject::connect(list, &QComboBox::activated, saving, [&s, showChoice](int index) {
    s.set(Setting::SaveInCodir, QString::number(index + 1));
    showChoice(true);
  });
  QObject::connect(other, &QPushButton::clicked, saving, [&ctx] {
    ctx.ui.message(QStringLiteral("Функция на доработке :-("), QString::fromUtf8(shell::kProgramName),
                   platform::MsgButtons::Ok, platform::MsgIcon::Information);
  });

  savingLayout->addWidget(current);
  auto* chosenRow = new QHBoxLayout;
  chosenRow->addWidget(chosen);
  chosenRow->addWidget(list);
  chosenRow->addWidget(other);
  chosenRow->addStretch(1);
  savingLayout->addLayout(chosenRow);
  showChoice(chosen->isChecked());
  layout->addWidget(saving);

  // Code-page detection keeps no options of its own yet.
  auto* detect = Named(new QCheckBox(QStringLiteral("Автоматически определять кодировку"), &frame),
                       "chkGetCodir");
  layout->addWidget(detect);
  for (const auto& [name, caption] :
       {std::pair{"chkGetCodirWhileOpen", "При открытии"},
        std::pair{"chkGetCodirWhilePaste", "При вставке из Буфера обмена"},
        std::pair{"chkConfirmCodir", "Подтверждать определение"}})
    layout->addWidget(Named(new QCheckBox(QString::fromUtf8(caption), &frame), name));
  for (auto* box : frame.findChildren<QCheckBox*>()) box->setEnabled(false);
  layout->addStretch(1);
}

}  // namespace settings
