#include "hotkeys/hot_key_entry.h"

#include "platform/virtual_key.h"

namespace hotkeys {
namespace {

// The menus never hold this many items; a longer run of digits is damage, not an index.
constexpr qsizetype kMaxNumberDigits = 6;

// A decimal number of digits only, as the program writes them.
std::optional<int> number(QStringView text) {
  if (text.isEmpty() || text.size() > kMaxNumberDigits) return std::nullopt;
  for (QChar c : text)
    if (c < u'0' || c > u'9') return std::nullopt;
  return text.toInt();
}

std::optional<HotKeyKind> kindOf(QStringView name) {
  for (HotKeyKind kind : kHotKeyKinds)
    if (name == KindName(kind)) return kind;
  return std::nullopt;
}

}  // namespace

QString KindName(HotKeyKind kind) {
  switch (kind) {
    case HotKeyKind::Program: return QStringLiteral("Program");
    case HotKeyKind::Template: return QStringLiteral("Template");
    case HotKeyKind::Macro: return QStringLiteral("Macro");
    case HotKeyKind::Bookmark: return QStringLiteral("Bookmark");
    case HotKeyKind::HighLight: return QStringLiteral("HighLight");
    case HotKeyKind::Plugin: return QStringLiteral("Plugin");
  }
  return QString();
}

QString KindArray(HotKeyKind kind) { return QStringLiteral("mnu") + KindName(kind); }

QString ModifierName(int modifiers) {
  switch (modifiers) {
    case 1: return QStringLiteral("Shift");
    case 2: return QStringLiteral("Ctrl");
    case 3: return QStringLiteral("Ctrl+Shift");
    case 4: return QStringLiteral("Alt");
    case 5: return QStringLiteral("Shift+Alt");
    case 6: return QStringLiteral("Ctrl+Alt");
    case 7: return QStringLiteral("Ctrl+Shift+Alt");
    default: return QString();
  }
}

QString HotKeyText(int modifiers, int key) {
  const QString modifier = ModifierName(modifiers);
  const auto bindable = platform::BindableKeyOf(key);
  if (modifier.isEmpty() || !bindable) return QString();
  return modifier + u'+' + bindable->name;
}

HotKeyEntry MakeEntry(const HotKeyBinding& binding) {
  return {KindName(binding.kind) + u'.' + QString::number(binding.index),
          QString::number(binding.modifiers) + u'|' + QString::number(binding.key)};
}

std::optional<HotKeyBinding> ParseEntry(const HotKeyEntry& entry) {
  if (entry.isRemoved()) return std::nullopt;
  const qsizetype dot = entry.target.indexOf(u'.');
  const qsizetype bar = entry.binding.indexOf(u'|');
  if (dot < 0 || bar < 0) return std::nullopt;
  const auto kind = kindOf(QStringView(entry.target).left(dot));
  const auto index = number(QStringView(entry.target).mid(entry.target.lastIndexOf(u'.') + 1));
  const auto modifiers = number(QStringView(entry.binding).left(bar));
  const auto key = number(QStringView(entry.binding).mid(bar + 1));
  if (!kind || !index || !modifiers || !key) return std::nullopt;
  if (*modifiers < kMinModifiers || *modifiers > kMaxModifiers) return std::nullopt;
  if (!platform::BindableKeyOf(*key)) return std::nullopt;
  return HotKeyBinding{*kind, *index, *modifiers, *key};
}

QString HotKeyText(const QString& binding) {
  const auto parsed = ParseEntry({QStringLiteral("Program.0"), binding});
  return parsed ? HotKeyText(parsed->modifiers, parsed->key) : QString();
}

QList<HotKeyEntry> ParseHotKeyItems(const QStringList& items) {
  QList<HotKeyEntry> entries;
  for (const QString& item : items) {
    if (item.isEmpty()) continue;
    const qsizetype first = item.indexOf(u'=');
    if (first < 0) {
      entries.append({item, QString()});
      continue;
    }
    entries.append({item.left(first), item.mid(item.lastIndexOf(u'=') + 1)});
  }
  return entries;
}

QStringList HotKeyItems(const QList<HotKeyEntry>& entries) {
  QStringList items;
  for (const HotKeyEntry& entry : entries)
    if (!entry.isRemoved()) items.append(entry.target + u'=' + entry.binding);
  return items;
}

}  // namespace hotkeys
