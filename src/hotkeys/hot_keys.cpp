#include "hotkeys/hot_keys.h"

#include <QAction>

#include "hotkeys/item_moves.h"
#include "platform/list_file.h"
#include "shell/frm_main.h"

namespace hotkeys {
namespace {

// The item's tag: the table index of the binding its caption shows.
constexpr char kEntryTag[] = "hotKeyEntry";

QString hotKeysFile(shell::FrmMain& window) {
  return window.context().paths.file(QStringLiteral("HotKeys.ini"));
}

size_t slotOf(HotKeyKind kind) { return size_t(kind); }

}  // namespace

HotKeys::HotKeys(shell::FrmMain& window) : QObject(&window), m_window(window) {
  setObjectName(QStringLiteral("HotKeys"));
  for (HotKeyKind kind : kHotKeyKinds)
    if (shell::MenuArray* array = window.commands().array(KindArray(kind)))
      connect(array, &shell::MenuArray::changed, this, [this, kind] { menuChanged(kind); });
}

void HotKeys::load() {
  const auto items = platform::ListFile::read(hotKeysFile(m_window));
  // An entry that cannot work (damaged by hand, or from another version) is left out, so the
  // next save drops it rather than carrying it on unseen.
  if (items)
    for (const HotKeyEntry& entry : ParseHotKeyItems(*items))
      if (const auto binding = ParseEntry(entry)) m_slots.append({entry, binding});
  // The file's indices are positions in the menus as they stand now.
  for (HotKeyKind kind : kHotKeyKinds) {
    m_known[slotOf(kind)] = captionsOf(kind);
    m_pending[slotOf(kind)] = false;
  }
  apply();
}

void HotKeys::apply() {
  settle();
  for (HotKeyKind kind : kHotKeyKinds) markArray(kind);
}

bool HotKeys::save() const {
  return platform::ListFile::write(hotKeysFile(m_window), HotKeyItems(currentEntries()));
}

QAction* HotKeys::item(HotKeyKind kind, int index) const {
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
  // A mark whose binding went elsewhere or was removed comes off first.
  if (const shell::MenuArray* array = m_window.commands().array(KindArray(kind)))
    for (int i = 0; i < array->count(); ++i) {
      QAction* element = array->item(i);
      const auto entry = entryOf(*element);
      if (!entry) continue;
      const bool current = *entry >= 0 && *entry < m_slots.size() && m_slots[*entry].binding &&
                           m_slots[*entry].binding->kind == kind &&
                           m_slots[*entry].binding->index == i;
      if (current) continue;
      element->setText(shell::CaptionWithoutShortcut(element->text()));
      element->setProperty(kEntryTag, QVariant());
    }
  for (int i = 0; i < m_slots.size(); ++i) {
    const auto& binding = m_slots[i].binding;
    if (!binding || binding->kind != kind) continue;
    QAction* bound = item(kind, binding->index);
    if (bound && !entryOf(*bound)) mark(*bound, i);
  }
}

bool HotKeys::dispatch(int key, int modifiers) {
  bool ran = false;
  for (int i = 0; i < m_slots.size(); ++i) {
    // A command run here may rebuild its menu: the bindings follow their items first, and each
    // binding looks its item up afresh.
    settle();
    const auto& binding = m_slots[i].binding;
    if (!binding || binding->key != key || binding->modifiers != modifiers) continue;
    QAction* bound = item(binding->kind, binding->index);
    if (!bound || !bound->isEnabled()) continue;
    bound->trigger();
    ran = true;
  }
  return ran;
}

QList<HotKeyEntry> HotKeys::currentEntries() const {
  QList<HotKeyEntry> entries;
  entries.reserve(m_slots.size());
  for (const Slot& slot : m_slots) entries.append(slot.entry);
  return entries;
}

QList<HotKeyEntry> HotKeys::entries() {
  settle();
  return currentEntries();
}

QList<HotKeyRow> HotKeys::rows() {
  settle();
  QList<HotKeyRow> rows;
  for (int i = 0; i < m_slots.size(); ++i)
    if (const auto& binding = m_slots[i].binding)
      rows.append({i, *binding, HotKeyText(binding->modifiers, binding->key)});
  return rows;
}

HotKeyChange HotKeys::assign(HotKeyKind kind, int index, int modifiers, int key) {
  settle();
  const HotKeyBinding binding{kind, index, modifiers, key};
  QAction* bound = item(kind, index);
  if (!bound || entryOf(*bound) || !ParseEntry(MakeEntry(binding))) return HotKeyChange::Refused;
  m_slots.append({MakeEntry(binding), binding});
  mark(*bound, int(m_slots.size()) - 1);
  return saved();
}

HotKeyChange HotKeys::remove(int entry) {
  settle();
  if (entry < 0 || entry >= m_slots.size() || !m_slots[entry].binding)
    return HotKeyChange::Refused;
  const HotKeyKind kind = m_slots[entry].binding->kind;
  m_slots[entry] = Slot{};
  // The mark comes off, and another binding of the same item shows now.
  markArray(kind);
  return saved();
}

QStringList HotKeys::captionsOf(HotKeyKind kind) const {
  QStringList captions;
  if (const shell::MenuArray* array = m_window.commands().array(KindArray(kind)))
    for (const QAction* element : array->items())
      captions.append(element->isSeparator() ? QString()
                                             : shell::CaptionWithoutShortcut(element->text()));
  return captions;
}

void HotKeys::menuChanged(HotKeyKind kind) {
  m_pending[slotOf(kind)] = true;
  // A menu is rebuilt element by element, each step announced; the bindings follow once the
  // whole rebuild is done, so no half-built menu ever costs a binding.
  if (m_settleQueued) return;
  m_settleQueued = true;
  QMetaObject::invokeMethod(this, [this] { settle(); }, Qt::QueuedConnection);
}

void HotKeys::settle() {
  m_settleQueued = false;
  bool changedMenus = false, changedTable = false;
  for (HotKeyKind kind : kHotKeyKinds) {
    if (!m_pending[slotOf(kind)]) continue;
    m_pending[slotOf(kind)] = false;
    changedMenus = true;
    changedTable |= follow(kind);
    markArray(kind);
  }
  // The file must never point a key at whatever took a removed item's place, even after a
  // restart; a write that fails now is made again by the next change.
  if (changedTable) save();
  if (changedMenus) Q_EMIT itemsChanged();
}

bool HotKeys::follow(HotKeyKind kind) {
  const QStringList before = m_known[slotOf(kind)];
  const QStringList after = captionsOf(kind);
  m_known[slotOf(kind)] = after;
  if (before == after) return false;
  const shell::MenuArray* array = m_window.commands().array(KindArray(kind));
  const QList<int> moves = FollowItems(before, after, array ? array->fixedCount() : 0);
  bool changed = false;
  for (Slot& slot : m_slots) {
    if (!slot.binding || slot.binding->kind != kind) continue;
    const int index = slot.binding->index;
    // A binding waiting for an item that was not there keeps its position.
    if (index >= before.size() || before[index].isEmpty()) continue;
    if (moves[index] == index) continue;
    changed = true;
    if (moves[index] < 0) {
      slot = Slot{};
      continue;
    }
    slot.binding->index = moves[index];
    slot.entry = MakeEntry(*slot.binding);
  }
  return changed;
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
