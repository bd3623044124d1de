#include "settings/keys_page.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "hotkeys/hot_keys.h"
#include "hotkeys/key_owners.h"
#include "platform/caption_marks.h"
#include "platform/named_controls.h"
#include "settings/keys_entry_field.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace settings {
namespace {

using hotkeys::HotKeyChange;
using hotkeys::HotKeyKind;
using platform::Named;

struct Group {
  HotKeyKind kind;
  const char* header;
};
// The order the list has always shown them in.
constexpr Group kGroups[] = {
    {HotKeyKind::Template, "Шаблоны:"},  {HotKeyKind::Program, "Программы:"},
    {HotKeyKind::Macro, "Macro-скрипты:"}, {HotKeyKind::HighLight, "Подсветка:"},
    {HotKeyKind::Plugin, "Плагины:"},    {HotKeyKind::Bookmark, "Закладки:"},
};

// A line of an item holds its kind and index; a header line holds neither.
constexpr int kKindRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

QString groupName(HotKeyKind kind) {
  for (const Group& group : kGroups)
    if (group.kind == kind) return QString::fromUtf8(group.header).chopped(1);
  return QString();
}

}  // namespace

KeysPage::KeysPage(QGroupBox& frame, shell::FrmMain& window, hotkeys::HotKeys& hotKeys)
    : QObject(&frame), m_window(window), m_hotKeys(hotKeys) {
  // The menus show their keys whenever the window opens.
  m_hotKeys.apply();
  auto* layout = new QVBoxLayout(&frame);
  m_list = Named(new QListWidget(&frame), "lstCommands");
  layout->addWidget(m_list, 1);

  m_field = Named(new KeysEntryField(&frame), "HotKey");
  auto* fieldRow = new QHBoxLayout;
  fieldRow->addWidget(platform::BuddyLabel({"lblHotKey", "Горячая клавиша:", m_field}, &frame));
  fieldRow->addWidget(m_field, 1);
  layout->addLayout(fieldRow);

  m_assign = Named(new QPushButton(QStringLiteral("Назначить"), &frame), "cmdAssignHotKey");
  m_remove = Named(new QPushButton(QStringLiteral("Удалить"), &frame), "cmdRemoveHotKey");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_assign);
  buttons->addWidget(m_remove);
  buttons->addStretch(1);
  layout->addLayout(buttons);

  // The note says what is wrong with the combination in the field, in the words of the moment.
  m_note = Named(new QLabel(&frame), "lblHotKeyNote");
  platform::MarkDataCaption(*m_note);
  m_note->setWordWrap(true);
  layout->addWidget(m_note);

  fillList();
  connect(m_list, &QListWidget::currentRowChanged, this, [this] { choiceChanged(); });
  connect(m_field, &KeysEntryField::hotKeyEdited, this, [this] { refresh(); });
  connect(m_assign, &QPushButton::clicked, this, [this] { assign(); });
  connect(m_remove, &QPushButton::clicked, this, [this] { remove(); });
  // Scripts, templates or programs added or removed while the window is open.
  connect(&m_hotKeys, &hotkeys::HotKeys::itemsChanged, this, [this] { fillList(); });
  choiceChanged();
}

void KeysPage::fillList() {
  const auto before = chosen();
  const QString beforeCaption =
      before ? shell::CaptionWithoutShortcut(before->item->text()) : QString();
  QSignalBlocker quiet(m_list);
  m_list->clear();
  int keep = -1;
  for (const Group& group : kGroups) {
    auto* header = new QListWidgetItem(QString::fromUtf8(group.header), m_list);
    header->setFlags(Qt::ItemIsEnabled);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    const shell::MenuArray* array =
        m_window.commands().array(hotkeys::KindArray(group.kind));
    for (int i = 0; array && i < array->count(); ++i) {
      const QAction* item = m_hotKeys.item(group.kind, i);
      if (!item) continue;
      const QString caption = shell::CaptionWithoutShortcut(item->text());
      auto* line = new QListWidgetItem(QStringLiteral("  ") + caption, m_list);
      line->setData(kKindRole, int(group.kind));
      line->setData(kIndexRole, i);
      if (before && before->kind == group.kind && caption == beforeCaption) keep = m_list->row(line);
    }
  }
  m_list->setCurrentRow(keep);
  if (before && keep < 0)
    choiceChanged();
  else
    refresh();
}

std::optional<KeysPage::Choice> KeysPage::chosen() const {
  const QListWidgetItem* line = m_list->currentItem();
  if (!line || !line->data(kKindRole).isValid()) return std::nullopt;
  const auto kind = HotKeyKind(line->data(kKindRole).toInt());
  const int index = line->data(kIndexRole).toInt();
  QAction* item = m_hotKeys.item(kind, index);
  if (!item) return std::nullopt;
  return Choice{kind, index, item};
}

std::optional<hotkeys::HotKeyBinding> KeysPage::bindingOf(const Choice& choice) const {
  const auto entry = hotkeys::HotKeys::entryOf(*choice.item);
  if (!entry) return std::nullopt;
  for (const hotkeys::HotKeyRow& row : m_hotKeys.rows())
    if (row.entry == *entry) return row.binding;
  return std::nullopt;
}

void KeysPage::choiceChanged() {
  m_field->reset();
  if (const auto choice = chosen())
    if (const auto binding = bindingOf(*choice)) m_field->setHotKey(binding->modifiers, binding->key);
  refresh();
}

QString KeysPage::otherBinding(int modifiers, int key, const std::optional<Choice>& choice) const {
  for (const hotkeys::HotKeyRow& row : m_hotKeys.rows()) {
    const hotkeys::HotKeyBinding& b = row.binding;
    if (b.modifiers != modifiers || b.key != key) continue;
    if (choice && b.kind == choice->kind && b.index == choice->index) continue;
    if (const QAction* item = m_hotKeys.item(b.kind, b.index))
      return QStringLiteral("«%1» (%2)")
          .arg(shell::CaptionWithoutShortcut(item->text()), groupName(b.kind));
    return QStringLiteral("пункт %1 меню «%2», которого сейчас нет")
        .arg(b.index)
        .arg(groupName(b.kind));
  }
  return QString();
}

QString KeysPage::refusal(int modifiers, int key, const std::optional<Choice>& choice) const {
  if (key == 0) return QString();
  if (choice)
    if (const auto own = bindingOf(*choice)) {
      if (own->modifiers == modifiers && own->key == key) return QString();
      return QStringLiteral("У команды уже есть сочетание %1: чтобы назначить другое, сначала "
                            "удалите его.")
          .arg(hotkeys::HotKeyText(own->modifiers, own->key));
    }
  if (modifiers == 0)
    return QStringLiteral("Сочетание должно включать Ctrl, Shift или Alt.");
  const QString keys = hotkeys::HotKeyText(modifiers, key);
  if (const auto command = hotkeys::ProgramCommandFor(m_window, modifiers, key))
    return QStringLiteral("Сочетание %1 уже занято командой «%2».").arg(keys, *command);
  if (const QString other = otherBinding(modifiers, key, choice); !other.isEmpty())
    return QStringLiteral("Сочетание %1 уже назначено: %2.").arg(keys, other);
  return QString();
}

void KeysPage::refresh() {
  const auto choice = chosen();
  const int modifiers = m_field->hotKeyModifier();
  const int key = m_field->hotKey();
  const QString why = refusal(modifiers, key, choice);
  m_note->setText(why);
  const bool bound = choice && bindingOf(*choice);
  m_assign->setEnabled(choice && !bound && key != 0 && why.isEmpty());
  m_remove->setEnabled(bound);
}

void KeysPage::assign() {
  const auto choice = chosen();
  const int modifiers = m_field->hotKeyModifier();
  const int key = m_field->hotKey();
  // The button is enabled only for a free combination; the check is made again at the click.
  if (!choice || key == 0 || !refusal(modifiers, key, choice).isEmpty()) return refresh();
  switch (m_hotKeys.assign(choice->kind, choice->index, modifiers, key)) {
    case HotKeyChange::Done:
      break;
    case HotKeyChange::Refused:
      refresh();
      m_note->setText(QStringLiteral("Сочетание не назначено: команды больше нет в меню или "
                                     "у неё уже есть сочетание."));
      return;
    case HotKeyChange::NotSaved:
      notSaved(QStringLiteral("Сочетание действует только до выхода из программы."));
      break;
  }
  refresh();
}

void KeysPage::remove() {
  const auto choice = chosen();
  const auto entry = choice ? hotkeys::HotKeys::entryOf(*choice->item) : std::nullopt;
  if (!entry) return refresh();
  switch (m_hotKeys.remove(*entry)) {
    case HotKeyChange::Done:
      break;
    case HotKeyChange::Refused:
      choiceChanged();
      m_note->setText(QStringLiteral("Сочетание не удалено: его уже нет."));
      return;
    case HotKeyChange::NotSaved:
      notSaved(QStringLiteral("Сочетание снято только до выхода из программы."));
      break;
  }
  choiceChanged();
}

void KeysPage::notSaved(const QString& what) {
  m_window.context().ui.message(
      QStringLiteral("Не удалось записать файл HotKeys.ini в папке программы.\n") + what,
      QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

}  // namespace settings
