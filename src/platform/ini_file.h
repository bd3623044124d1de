// INI files by the classic profile rules: section and key names without regard to letter case,
// values trimmed, at most 255 characters returned, ';' comment lines, the caller's default for
// anything missing. Writes keep the rest of the file and replace it atomically.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

class IniFile {
 public:
  explicit IniFile(QString path);

  const QString& path() const { return m_path; }
  QString read(const QString& section, const QString& key, const QString& defaultValue) const;
  bool write(const QString& section, const QString& key, const QString& value,
             QString* error = nullptr);
  bool remove(const QString& section, const QString& key, QString* error = nullptr);
  QStringList sections() const;
  QStringList keys(const QString& section) const;

  static constexpr int kMaxValueLength = 255;

 private:
  QString m_path;
};

// A whole INI file read once, for callers that look up hundreds of keys in a row (language
// files): the same rules as IniFile::read without reading the file for every key.
class IniSnapshot {
 public:
  IniSnapshot() = default;
  // A missing or unreadable file gives an empty snapshot.
  static IniSnapshot load(const QString& path);
  static IniSnapshot parse(const QString& text);

  std::optional<QString> value(const QString& section, const QString& key) const;
  QString value(const QString& section, const QString& key, const QString& defaultValue) const {
    return value(section, key).value_or(defaultValue);
  }
  bool isEmpty() const { return m_values.isEmpty(); }

 private:
  // Lower-cased section, then lower-cased key; only the first section and key of a name count.
  QHash<QString, QHash<QString, QString>> m_values;
};

}  // namespace platform
