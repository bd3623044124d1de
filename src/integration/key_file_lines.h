// Editing a freedesktop key file (mimeapps.list, a desktop entry) one key at a time: every line
// the edit does not concern (comments, blank lines, other groups, keys of other programs) is
// written back exactly as it was read.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace integration {

class KeyFileLines {
 public:
  static KeyFileLines parse(const QString& text);
  // A missing file is an empty one. nullopt, with the reason in `error`, when the file exists but
  // cannot be read or is not UTF-8: rewriting it would lose what it holds.
  static std::optional<KeyFileLines> load(const QString& path, QString* error = nullptr);

  // The value of `key` in `group`, spaces around it dropped; nullopt when there is none.
  std::optional<QString> value(const QString& group, const QString& key) const;
  // Replaces the key's line where it stands, else adds the line at the end of the group, else
  // adds the group at the end of the file.
  void setValue(const QString& group, const QString& key, const QString& value);
  // Removes the key's line; the group stays, even when it is left empty.
  void remove(const QString& group, const QString& key);
  // The keys of a group in file order.
  QStringList keys(const QString& group) const;

  QString text() const;
  // Creates the folder when missing and replaces the file atomically.
  bool save(const QString& path, QString* error = nullptr) const;

  // Values of the list type: "a.desktop;b.desktop;" ↔ {"a.desktop", "b.desktop"}.
  static QStringList splitList(const QString& value);
  static QString joinList(const QStringList& items);

 private:
  struct KeyLine {
    QString key, value;
  };
  static std::optional<QString> groupName(const QString& line);
  static std::optional<KeyLine> keyLine(const QString& line);
  // The range of lines [first, end) after the group's header; first < 0 when there is none.
  std::pair<qsizetype, qsizetype> groupRange(const QString& group) const;

  QStringList m_lines;
};

}  // namespace integration
