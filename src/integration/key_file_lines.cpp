// A small key-file editor that keeps the file as the user and other programs left it: only the
// line of the key being set or removed changes.
#include "integration/key_file_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "platform/text_file.h"

namespace integration {

KeyFileLines KeyFileLines::parse(const QString& text) {
  KeyFileLines file;
  file.m_lines = text.split(u'\n');
  // A final line break ends the last line; it does not open another one.
  if (!file.m_lines.isEmpty() && file.m_lines.back().isEmpty()) file.m_lines.removeLast();
  for (QString& line : file.m_lines)
    if (line.endsWith(u'\r')) line.chop(1);
  return file;
}

std::optional<KeyFileLines> KeyFileLines::load(const QString& path, QString* error) {
  QFile file(path);
  if (!file.exists()) return KeyFileLines{};
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(path, file.errorString());
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString text = decoder(bytes);
  if (decoder.hasError()) {
    if (error) *error = QStringLiteral("Файл «%1» не в кодировке UTF-8").arg(path);
    return std::nullopt;
  }
  return parse(text);
}

std::optional<QString> KeyFileLines::groupName(const QString& line) {
  const QString t = line.trimmed();
  if (t.size() < 2 || t.front() != u'[' || t.back() != u']') return std::nullopt;
  return t.sliced(1, t.size() - 2);
}

std::optional<KeyFileLines::KeyLine> KeyFileLines::keyLine(const QString& line) {
  const QString t = line.trimmed();
  if (t.isEmpty() || t.front() == u'#' || t.front() == u'[') return std::nullopt;
  const qsizetype eq = t.indexOf(u'=');
  if (eq <= 0) return std::nullopt;
  return KeyLine{t.first(eq).trimmed(), t.sliced(eq + 1).trimmed()};
}

std::pair<qsizetype, qsizetype> KeyFileLines::groupRange(const QString& group) const {
  qsizetype first = -1;
  for (qsizetype i = 0; i < m_lines.size(); ++i) {
    const auto name = groupName(m_lines[i]);
    if (!name) continue;
    if (first >= 0) return {first, i};
    if (*name == group) first = i + 1;
  }
  return {first, first < 0 ? -1 : m_lines.size()};
}

std::optional<QString> KeyFileLines::value(const QString& group, const QString& key) const {
  const auto [first, end] = groupRange(group);
  for (qsizetype i = first; first >= 0 && i < end; ++i) {
    const auto kv = keyLine(m_lines[i]);
    if (kv && kv->key == key) return kv->value;
  }
  return std::nullopt;
}

QStringList KeyFileLines::keys(const QString& group) const {
  QStringList result;
  const auto [first, end] = groupRange(group);
  for (qsizetype i = first; first >= 0 && i < end; ++i)
    if (const auto kv = keyLine(m_lines[i])) result.append(kv->key);
  return result;
}

void KeyFileLines::setValue(const QString& group, const QString& key, const QString& value) {
  const QString line = key + u'=' + value;
  const auto [first, end] = groupRange(group);
  if (first < 0) {
    if (!m_lines.isEmpty() && !m_lines.back().trimmed().isEmpty()) m_lines.append(QString());
    m_lines.append(u'[' + group + u']');
    m_lines.append(line);
    return;
  }
  qsizetype lastKey = first - 1;
  for (qsizetype i = first; i < end; ++i) {
    const auto kv = keyLine(m_lines[i]);
    if (!kv) continue;
    if (kv->key == key) {
      m_lines[i] = line;
      return;
    }
    lastKey = i;
  }
  m_lines.insert(lastKey + 1, line);
}

void KeyFileLines::remove(const QString& group, const QString& key) {
  auto [first, end] = groupRange(group);
  for (qsizetype i = first; first >= 0 && i < end;) {
    const auto kv = keyLine(m_lines[i]);
    if (kv && kv->key == key) {
      m_lines.removeAt(i);
      --end;
    } else {
      ++i;
    }
  }
}

QString KeyFileLines::text() const {
  QString text;
  for (const QString& line : m_lines) text += line + u'\n';
  return text;
}

bool KeyFileLines::save(const QString& path, QString* error) const {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder)) {
    if (error) *error = QStringLiteral("Не удалось создать папку «%1»").arg(folder);
    return false;
  }
  return platform::TextFile::writeBytes(path, text().toUtf8(), error);
}

QStringList KeyFileLines::splitList(const QString& value) {
  QStringList items;
  for (const QString& item : value.split(u';', Qt::SkipEmptyParts))
    if (!item.trimmed().isEmpty()) items.append(item.trimmed());
  return items;
}

QString KeyFileLines::joinList(const QStringList& items) {
  QString value;
  for (const QString& item : items) value += item + u';';
  return value;
}

}  // namespace integration
