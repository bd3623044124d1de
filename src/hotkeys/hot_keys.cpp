#include "hotkeys/hot_keys.h"

#include <QAction>

#include "platform/list_file.h"
#include "shell/frm_main.h"

namespace hotkeys {
namespace {

// The item's tag: the table index of the binding its caption shows.
constexpr char kEntryTag[] = "hotKeyEntry";

QString hotKeysFile(shell::FrmMain& window) {
  return window.context().paths.file(QStringLiteral("HotKeys.ini"));
}

}  // namespace

HotKeys::HotKeys(shell::FrmMain& window) : QObject(&window), m_window(window) {
  setObjectName(QStringLiteral("HotKeys"));
  for (HotKeyKind kind : kHotKeyKinds)
    if (shell::MenuArray* array = window.commands().array(KindArray(kind)))
      connect(array, &shell::MenuArray::changed, this, [this, kind] { markArray(kind); });
}

void HotKeys::load() {
  const auto items = platform::ListFile::read(hotKeysFile(m_window));
  if (!items) return;
  // An entry that cannot work (damaged by hand, or from another version) is left out, so the
  // next save drops it rather than carrying it on unseen.
  for (const HotKeyEntry& entry : ParseHotKeyItems(*items))
    if (const auto binding = ParseEntry(entry)) m_slots.append({entry, binding});
  apply();
}

void HotKeys::apply() {
  for (HotKeyKind kind : kHotKeyKinds) markArray(kind);
}

bool HotKeys::save() const {
  return platform::ListFile::write(hotKeysFile(m_window), HotKeyItems(entries()));
}

QAction* HotKeys::itemOf(HotKeyKind kind, int index) const {
  const shell::MenuArray* array = m_window.commands().array(KindArray(kind));
  QAction* item = array ? array->item(index) : nullptr;
  // Element 0 of most arrays is a blank stand-in before the run-time items: nothing to run.
  if (!item || item->isSeparator() || item->text().isEmpty()) return nullptr;
  return item;
}

std::optional<int> HotKeys::entryOf(const QAction& item) {
  const QVariant tag = item.property(kEntryTag);
  if (!tag.isValid()) return std::nullopt;
  return tag.toInt();
}

void HotKeys::mark(QAction& item, int entry) const {
  const HotKeyBinding& binding = *m_slots[entry].binding;
  item.setText(item.text() + u'\t' + HotKeyText(binding.modifiers, binding.key));
  item.setProperty(kEntryTag, entry);
}

void HotKeys::markArray(HotKeyKind kind) {
  for (int i = 0; i < m_slots.size(); ++i) {
    const auto& binding = m_slots[i].binding;
    if (!binding || binding->kind != kind) continue;
    QAction* item = itemOf(kind, binding->index);
    if (item && !entryOf(*item)) mark(*item, i);
  }
}

bool HotKeys::dispatch(int key, int modifiers) const {
  bool ran = false;
  // A command run here may rebuild its menu; each binding looks its item up afresh.
  for (int i = 0; i < m_slots.size(); ++i) {
    const auto& binding = m_slots[i].binding;
    if (!binding || binding->key != key || binding->modifiers != modifiers) continue;
    QAction* item = itemOf(binding->kind, binding->index);
    if (!item || !item->isEnabled()) continue;
    item->trigger();
    ran = true;
  }
  return ran;
}

QList<HotKeyEntry> HotKeys::entries() const {
  QList<HotKeyEntry> entries;
  entries.reserve(m_slots.size());
  for (const Slot& slot : m_slots) entries.append(slot.entry);
  return entries;
}

QList<HotKeyRow> HotKeys::rows() const {
  QList<HotKeyRow> rows;
  for (int i = 0; i < m_slots.size(); ++i)
    if (const auto& binding = m_slots[i].binding)
      rows.append({i, *binding, HotKeyText(binding->modifiers, binding->key)});
  return rows;
}

HotKeyChange HotKeys::assign(HotKeyKind kind, int index, int modifiers, int key) {
  const HotKeyBinding binding{kind, index, modifiers, key};
  QAction* item = itemOf(kind, index);
  if (!item || entryOf(*item) || !ParseEntry(MakeEntry(binding))) return HotKeyChange::Refused;
  m_slots.append({MakeEntry(binding), binding});
  mark(*item, int(m_slots.size()) - 1);
  return saved();
}

HotKeyChange HotKeys::remove(int entry) {
  if (entry < 0 || entry >= m_slots.size() || !m_slots[entry].binding)
    return HotKeyChange::Refused;
  const HotKeyKind kind = m_slots[entry].binding->kind;
  if (QAction* item = itemOf(kind, m_slots[entry].binding->index);
      item && entryOf(*item) == entry) {
    item->setText(shell::CaptionWithoutShortcut(item->text()));
    item->setProperty(kEntryTag, QVariant());
  }
  m_slots[entry] = Slot{};
  // Another binding of the same item shows now.
  markArray(kind);
  return saved();
}

HotKeys* FindHotKeys(shell::FrmMain& window) {
  return window.findChild<HotKeys*>(QStringLiteral("HotKeys"), Qt::FindDirectChildrenOnly);
}

void InstallHotKeys(shell::FrmMain& window) {
  auto* hotKeys = new HotKeys(window);
  window.hooks().add(shell::Hook::HotKeys, [hotKeys] { hotKeys->load(); });
  window.hooks().add(shell::KeyHook::DispatchHotKey, [hotKeys](int key, int modifiers) {
    return hotKeys->dispatch(key, modifiers);
  });
}

}  // namespace hotkeys
