// INI files by the classic profile rules: section and key names without regard to letter case,
// values trimmed, at most 255 characters returned, ';' comment lines, the caller's default for
// anything missing. Writes keep the rest of the file and replace it atomically.
#pragma once

#include <QString>
#include <QStringList>

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

}  // namespace platform
