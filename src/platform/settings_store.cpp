#include "platform/settings_store.h"

#include <cmath>

#include <QSettings>
#include <QStringList>

namespace platform {
namespace {

// QSettings groups nest with '/', and the registry ignores case and a trailing separator.
QString groupOf(const QString& keyPath) {
  QString g = keyPath.toLower();
  g.replace('\\', '/');
  while (g.contains("//")) g.replace("//", "/");
  while (g.startsWith('/')) g.remove(0, 1);
  while (g.endsWith('/')) g.chop(1);
  return g;
}

}  // namespace

SettingsStore::SettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::fileName() const { return m_settings->fileName(); }

QString SettingsStore::findName(const QString& group, const QString& name) const {
  m_settings->beginGroup(group);
  const QStringList keys = m_settings->childKeys();
  m_settings->endGroup();
  for (const QString& key : keys) {
    if (key.compare(name, Qt::CaseInsensitive) == 0) return key;
  }
  return QString();
}

QString SettingsStore::ReadSetting(const QString& keyPath, const QString& name,
                                   const QString& defaultValue) const {
  const QString group = groupOf(keyPath);
  const QString stored = findName(group, name);
  if (stored.isEmpty()) return defaultValue;
  const QVariant value = m_settings->value(group + "/" + stored);
  if (value.typeId() != QMetaType::QString) return defaultValue;
  const QString text = value.toString();
  const qsizetype nul = text.indexOf(QChar(0));
  return nul < 0 ? text : text.left(nul);
}

void SettingsStore::WriteSetting(const QString& keyPath, const QString& name,
                                 const QString& value) {
  const QString group = groupOf(keyPath);
  const QString stored = findName(group, name);
  const QString key = group + "/" + (stored.isEmpty() ? name : stored);
  // The same value again leaves the file alone: start-up alone set values it had just read,
  // and each one rewrote the settings file and flushed it to the disk.
  if (!stored.isEmpty()) {
    // What another running copy of the program wrote meanwhile is read first (nothing is
    // written when nothing is pending).
    m_settings->sync();
    const QVariant old = m_settings->value(key);
    if (old.typeId() == QMetaType::QString && old.toString() == value) return;
  }
  m_settings->setValue(key, value);
  m_settings->sync();
}

QString SettingsStore::get(const SettingDef& def) const {
  return get(def, QString::fromUtf8(def.defaultValue));
}

QString SettingsStore::get(const SettingDef& def, const QString& defaultValue) const {
  return ReadSetting(QString::fromUtf8(def.keyPath), QString::fromUtf8(def.name), defaultValue);
}

bool SettingsStore::flag(const SettingDef& def) const { return get(def) == QLatin1String("1"); }

bool SettingsStore::truth(const SettingDef& def) const { return SettingIsTrue(get(def)); }

std::optional<double> SettingsStore::decimal(const SettingDef& def) const {
  // A setting the table gives no range is still read as a number a 32-bit integer can hold.
  const NumberRange range = def.range.max < def.range.min ? kAnyIntRange : def.range;
  if (auto stored = CheckedNumber(get(def), range)) return stored;
  return CheckedNumber(QString::fromUtf8(def.defaultValue), range);
}

int SettingsStore::number(const SettingDef& def, int fallback) const {
  const std::optional<double> value = decimal(def);
  return value ? int(std::lround(*value)) : fallback;
}

void SettingsStore::set(const SettingDef& def, const QString& value) {
  WriteSetting(QString::fromUtf8(def.keyPath), QString::fromUtf8(def.name), value);
}

void SettingsStore::setFlag(const SettingDef& def, bool on) {
  set(def, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::setWord(const SettingDef& def, bool on) {
  set(def, on ? QStringLiteral("True") : QStringLiteral("False"));
}

std::optional<double> CheckedNumber(const QString& text, NumberRange range) {
  QString number = text.trimmed();
  number.replace(u',', u'.');
  bool ok = false;
  const double value = number.toDouble(&ok);
  if (!ok || !std::isfinite(value) || !range.holds(value)) return std::nullopt;
  return value;
}

bool SettingIsTrue(const QString& value) {
  const QString v = value.trimmed();
  if (v.compare("true", Qt::CaseInsensitive) == 0) return true;
  if (v.compare("false", Qt::CaseInsensitive) == 0) return false;
  bool ok = false;
  const double n = v.toDouble(&ok);
  return ok && n != 0.0;
}

}  // namespace platform
