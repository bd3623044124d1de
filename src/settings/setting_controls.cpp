#include "settings/setting_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "document/file_dialogs.h"
#include "platform/caption_marks.h"
#include "platform/named_controls.h"
#include "shell/frm_main.h"

namespace settings {

using platform::Named;

QCheckBox* SettingCheckBox(QWidget* parent, const char* name, const QString& caption,
                           platform::SettingsStore& settings, const platform::SettingDef& value,
                           Reading reading, std::function<void(bool)> effect) {
  auto* box = Named(new QCheckBox(caption, parent), name);
  box->setChecked(reading == Reading::Flag ? settings.flag(value) : settings.truth(value));
  QObject::connect(box, &QCheckBox::toggled, box,
                   [&settings, &value, effect = std::move(effect)](bool on) {
                     settings.setFlag(value, on);
                     if (effect) effect(on);
                   });
  return box;
}

QSpinBox* SettingNumberField(QWidget* parent, const char* name, platform::SettingsStore& settings,
                             const platform::SettingDef& value, int fallback,
                             std::function<void(int)> effect) {
  auto* field = Named(new QSpinBox(parent), name);
  field->setRange(int(value.range.min), int(value.range.max));
  field->setValue(settings.number(value, fallback));
  // Typing changes nothing until the number is complete and the field is left or Enter pressed.
  field->setKeyboardTracking(false);
  QObject::connect(field, &QSpinBox::valueChanged, field,
                   [&settings, &value, effect = std::move(effect)](int number) {
                     settings.set(value, QString::number(number));
                     if (effect) effect(number);
                   });
  return field;
}

QLineEdit* SettingTextField(QWidget* parent, const char* name, platform::SettingsStore& settings,
                            const platform::SettingDef& value) {
  auto* field = Named(new QLineEdit(settings.get(value), parent), name);
  QObject::connect(field, &QLineEdit::textEdited, field,
                   [&settings, &value](const QString& text) { settings.set(value, text); });
  return field;
}

QComboBox* SettingIndexList(QWidget* parent, const char* name, const QStringList& entries,
                            platform::SettingsStore& settings, const platform::SettingDef& value,
                            int offset, std::function<void(int)> effect) {
  auto* list = Named(new QComboBox(parent), name);
  list->addItems(entries);
  const int stored = settings.number(value, offset) - offset;
  list->setCurrentIndex(stored >= 0 && stored < list->count() ? stored : -1);
  QObject::connect(list, &QComboBox::activated, list,
                   [&settings, &value, offset, effect = std::move(effect)](int index) {
                     settings.set(value, QString::number(index + offset));
                     if (effect) effect(index);
                   });
  return list;
}

PathRow SettingPathRow(QWidget* parent, const char* fieldName, const char* buttonName,
                       shell::FrmMain& window, const platform::SettingDef& value,
                       const QString& title, const QString& filter) {
  auto& ctx = window.context();
  QLineEdit* field = SettingTextField(parent, fieldName, ctx.settings, value);
  auto* button = Named(new QPushButton(QStringLiteral("..."), parent), buttonName);
  QObject::connect(button, &QPushButton::clicked, field, [&ctx, &value, field, title, filter] {
    platform::FileRequest request;
    request.title = title;
    request.filter = filter;
    request.initialDir = document::LastDir(ctx);
    const platform::FileChoice choice = ctx.ui.openFile(request);
    if (choice.path.isEmpty()) return;
    field->setText(choice.path);
    ctx.settings.set(value, choice.path);
  });
  return {field, button};
}

QGroupBox* PageGroup(QWidget* parent, const char* name, const QString& caption) {
  return Named(new QGroupBox(caption, parent), name);
}

QWidget* SubPageChooser(QWidget* parent, const char* name, const QString& miscSuffix,
                        const QList<SubPage>& parts, int shown) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* group = new QButtonGroup(row);
  for (int i = 0; i < parts.size(); ++i) {
    const QString index = QString::number(i);
    auto* option = new QRadioButton(parts[i].caption, row);
    option->setObjectName(QString::fromUtf8(name) + index);
    platform::SetMiscKey(*option, index + miscSuffix);
    group->addButton(option, i);
    layout->addWidget(option);
    option->setChecked(i == shown);
    parts[i].part->setVisible(i == shown);
  }
  layout->addStretch(1);
  QObject::connect(group, &QButtonGroup::idClicked, row, [parts](int chosen) {
    for (int i = 0; i < parts.size(); ++i) parts[i].part->setVisible(i == chosen);
  });
  return row;
}

void PageWarning(shell::FrmMain& window, const QString& text, const QString& title) {
  window.context().ui.message(text, title, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

}  // namespace settings
