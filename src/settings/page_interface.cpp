// "Интерфейс": the icon set's file, the base of the line numbers, the editor's font and the
// interface language. The font and the numbering apply to the editor at once.
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "languages/languages.h"
#include "platform/caption_marks.h"
#include "platform/edit_control.h"
#include "platform/named_controls.h"
#include "settings/setting_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;
using platform::Named;

constexpr int kFontSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

void applyFont(shell::FrmMain& window) {
  const auto& s = window.context().settings;
  window.txtMain().setEditorFont(s.get(Setting::DefaultFontName),
                                 s.number(Setting::DefaultFontSize, 10),
                                 platform::CharSetOfIndex(s.number(Setting::DefaultFontCharSet)));
}

// An editable list whose text is written when the user picks an entry or finishes typing;
// `accept` turns the text into the stored value, or refuses it (the field then shows the
// stored value again).
QComboBox* editableList(QWidget* parent, const char* name, const QStringList& entries,
                        const QString& current, std::function<bool(const QString&)> accept) {
  auto* list = Named(new QComboBox(parent), name);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->addItems(entries);
  list->setCurrentText(current);
  auto commit = [list, accept = std::move(accept), last = current]() mutable {
    const QString text = list->currentText().trimmed();
    if (text == last) return;
    if (accept(text)) last = text;
    else list->setCurrentText(last);
  };
  QObject::connect(list, &QComboBox::textActivated, list, [commit](const QString&) mutable {
    commit();
  });
  QObject::connect(list->lineEdit(), &QLineEdit::editingFinished, list, commit);
  return list;
}

QGroupBox* fontGroup(QWidget& frame, shell::FrmMain& window) {
  auto& s = window.context().settings;
  auto* group = PageGroup(&frame, "fraFont", QStringLiteral("Шрифт"));
  auto* grid = new QGridLayout(group);

  auto* name = editableList(group, "cmbDefaultFontName", QFontDatabase::families(),
                            s.get(Setting::DefaultFontName), [&window](const QString& text) {
                              if (text.isEmpty()) return false;
                              window.context().settings.set(Setting::DefaultFontName, text);
                              applyFont(window);
                              return true;
                            });
  QStringList sizes;
  for (int size : kFontSizes) sizes.append(QString::number(size));
  auto* size = editableList(
      group, "cmbDefaultFontSize", sizes, QString::number(s.number(Setting::DefaultFontSize, 10)),
      [&window](const QString& text) {
        const auto number = platform::CheckedNumber(text, Setting::DefaultFontSize.range);
        if (!number || *number != int(*number)) return false;
        window.context().settings.set(Setting::DefaultFontSize, QString::number(int(*number)));
        applyFont(window);
        return true;
      });
  size->setValidator(new QIntValidator(int(Setting::DefaultFontSize.range.min),
                                       int(Setting::DefaultFontSize.range.max), size));
  QStringList charSets;
  for (const platform::CharSet& set : platform::kCharSets) charSets.append(set.name);
  auto* charSet = SettingIndexList(group, "cmbCharSet", charSets, s, Setting::DefaultFontCharSet,
                                   0, [&window](int) { applyFont(window); });

  grid->addWidget(platform::BuddyLabel({"lblFontName", "Шрифт:", name}, group), 0, 0);
  grid->addWidget(name, 0, 1);
  grid->addWidget(platform::BuddyLabel({"lblFontSize", "Размер:", size}, group), 1, 0);
  grid->addWidget(size, 1, 1);
  grid->addWidget(charSet, 2, 1);
  return group;
}

QGroupBox* languageGroup(QWidget& frame, shell::FrmMain& window) {
  auto* group = PageGroup(&frame, "fraLanguage", QStringLiteral("Язык/Language"));
  auto* row = new QHBoxLayout(group);
  auto* list = Named(new QComboBox(group), "cmbLanguage");
  if (languages::Languages* languages = languages::LanguagesOf(window)) {
    list->addItems(languages->names());
    list->setCurrentIndex(languages->currentIndex());
    QObject::connect(list, &QComboBox::activated, list,
                     [languages](int index) { languages->choose(index); });
  } else {
    list->setEnabled(false);
  }
  row->addWidget(list);
  row->addStretch(1);
  return group;
}

}  // namespace

void BuildInterfacePage(QGroupBox& frame, shell::FrmMain& window) {
  auto& s = window.context().settings;
  auto* layout = new QVBoxLayout(&frame);

  auto* icons = PageGroup(&frame, "fraToolbarTheme", QStringLiteral("Набор иконок"));
  auto* iconRow = new QHBoxLayout(icons);
  const PathRow theme =
      SettingPathRow(icons, "txtToolbarTheme", "cmdBrowseTheme", window, Setting::ToolBarTheme,
                     QStringLiteral("Обзор"), QStringLiteral("INI файлы(*.ini)|*.ini"));
  iconRow->addWidget(theme.field, 1);
  iconRow->addWidget(theme.button);
  layout->addWidget(icons);

  auto* numbering = PageGroup(&frame, "fraLineNumbering", QStringLiteral("Нумерация строк"));
  auto* numberRow = new QHBoxLayout(numbering);
  auto* base = SettingNumberField(numbering, "txtLineNumberStyle", s, Setting::LineNumberingStyle,
                                  10, [&window](int b) { window.txtMain().setLineNumberBase(b); });
  numberRow->addWidget(platform::BuddyLabel({"lblNumberIn", "Номер в", base}, numbering));
  numberRow->addWidget(base);
  numberRow->addWidget(Named(new QLabel(QStringLiteral("системе"), numbering), "lblNumberSystem"));
  numberRow->addStretch(1);
  layout->addWidget(numbering);

  layout->addWidget(fontGroup(frame, window));
  layout->addWidget(languageGroup(frame, window));
  layout->addStretch(1);
}

}  // namespace settings
