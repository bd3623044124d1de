// The program's INI files (macros, templates, tools), read and written by the classic profile
// rules. Writes touch only the one line they change, so hand-written comments, order and
// spacing survive.
#include "platform/ini_file.h"

#include <QFileInfo>
#include <QSet>
#include <optional>
#include <utility>

#include "platform/text_file.h"

namespace platform {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  QString name;                            // section or key name, trimmed
  qsizetype valueBegin = 0, valueEnd = 0;  // the value's text in the line, without its spaces
};

ParsedLine parseLine(const QString& line) {
  ParsedLine parsed;
  const QString t = line.trimmed();
  if (t.isEmpty() || t.front() == u';') return parsed;
  if (t.front() == u'[') {
    const qsizetype close = t.indexOf(u']');
    if (close > 0) parsed = {LineKind::Section, t.sliced(1, close - 1).trimmed()};
    return parsed;
  }
  const qsizetype eq = line.indexOf(u'=');
  if (eq < 0) return parsed;
  const QString name = line.left(eq).trimmed();
  if (name.isEmpty()) return parsed;
  qsizetype begin = eq + 1, end = line.size();
  while (begin < end && line[begin].isSpace()) ++begin;
  while (end > begin && line[end - 1].isSpace()) --end;
  return {LineKind::Key, name, begin, end};
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The file as lines (without their CR LF), with what is needed to write it back unchanged.
struct Document {
  QStringList lines;
  TextFormat format;
  bool finalLineBreak = true;
};

// Missing file: an empty document. Unreadable file: nothing, with the reason in `error`.
std::optional<Document> load(const QString& path, QString* error = nullptr) {
  Document doc;
  if (!QFileInfo::exists(path)) return doc;
  const auto file = TextFile::read(path, error);
  if (!file) return std::nullopt;
  doc.format = file->format;
  if (file->text.isEmpty()) return doc;
  doc.lines = file->text.split(kCrLf);
  doc.finalLineBreak = file->text.endsWith(kCrLf);
  if (doc.finalLineBreak) doc.lines.removeLast();
  return doc;
}

bool save(const QString& path, const Document& doc, QString* error) {
  QString text = doc.lines.join(kCrLf);
  if (doc.finalLineBreak && !doc.lines.isEmpty()) text += kCrLf;
  return TextFile::write(path, text, doc.format, error);
}

// Lines [begin, end) of the first section of that name: its header and its body.
struct Range {
  qsizetype begin, end;
};

std::optional<Range> findSection(const QStringList& lines, const QString& section) {
  std::optional<Range> found;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const ParsedLine p = parseLine(lines[i]);
    if (p.kind != LineKind::Section) continue;
    if (found) return Range{found->begin, i};
    if (sameName(p.name, section)) found = Range{i, lines.size()};
  }
  return found;
}

std::optional<std::pair<qsizetype, ParsedLine>> findKey(const QStringList& lines, Range range,
                                                        const QString& key) {
  for (qsizetype i = range.begin + 1; i < range.end; ++i) {
    ParsedLine p = parseLine(lines[i]);
    if (p.kind == LineKind::Key && sameName(p.name, key)) return std::pair{i, std::move(p)};
  }
  return std::nullopt;
}

// The value as it reads back: surrounding quotes removed.
QString unquote(const QString& value) {
  if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
    return value.sliced(1, value.size() - 2);
  return value;
}

// The text to store so that reading gives `value` back: quoted when reading would otherwise
// trim its spaces or strip its quotes.
QString quoteIfNeeded(const QString& value) {
  if (value != value.trimmed() || unquote(value) != value) return u'"' + value + u'"';
  return value;
}

bool hasLineBreak(const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); }

// Names and values that would turn into other lines, sections or comments are refused.
bool validEntry(const QString& section, const QString& key, const QString& value, QString* error) {
  const QString k = key.trimmed();
  const bool ok = !section.trimmed().isEmpty() && !section.contains(u']') &&
                  !hasLineBreak(section) && !k.isEmpty() && !k.contains(u'=') &&
                  !k.startsWith(u';') && !k.startsWith(u'[') && !hasLineBreak(k) &&
                  !hasLineBreak(value);
  if (!ok && error)
    *error = QStringLiteral("Недопустимое имя или значение для INI-файла: [%1] %2").arg(section, k);
  return ok;
}

// Where a new key of the section goes: after its last non-blank line.
qsizetype insertionPoint(const QStringList& lines, Range range) {
  qsizetype at = range.end;
  while (at > range.begin + 1 && lines[at - 1].trimmed().isEmpty()) --at;
  return at;
}

}  // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::read(const QString& section, const QString& key,
                      const QString& defaultValue) const {
  const auto doc = load(m_path);
  if (!doc) return defaultValue;
  const auto range = findSection(doc->lines, section.trimmed());
  if (!range) return defaultValue;
  const auto found = findKey(doc->lines, *range, key.trimmed());
  if (!found) return defaultValue;
  const ParsedLine& p = found->second;
  const QString raw = doc->lines[found->first].sliced(p.valueBegin, p.valueEnd - p.valueBegin);
  return unquote(raw).left(kMaxValueLength);
}

bool IniFile::write(const QString& section, const QString& key, const QString& value,
                    QString* error) {
  if (!validEntry(section, key, value, error)) return false;
  auto doc = load(m_path, error);
  if (!doc) return false;
  const QString stored = quoteIfNeeded(value);
  QStringList& lines = doc->lines;
  const auto range = findSection(lines, section.trimmed());
  if (!range) {
    lines << u'[' + section.trimmed() + u']' << key.trimmed() + u'=' + stored;
    doc->finalLineBreak = true;
  } else if (const auto found = findKey(lines, *range, key.trimmed())) {
    const ParsedLine& p = found->second;
    QString line = lines[found->first];
    line.replace(p.valueBegin, p.valueEnd - p.valueBegin, stored);
    if (line == lines[found->first]) return true;  // nothing changes, nothing to write
    lines[found->first] = line;
  } else {
    const qsizetype at = insertionPoint(lines, *range);
    if (at == lines.size()) doc->finalLineBreak = true;
    lines.insert(at, key.trimmed() + u'=' + stored);
  }
  return save(m_path, *doc, error);
}

bool IniFile::remove(const QString& section, const QString& key, QString* error) {
  auto doc = load(m_path, error);
  if (!doc) return false;
  const auto range = findSection(doc->lines, section.trimmed());
  const auto found = range ? findKey(doc->lines, *range, key.trimmed()) : std::nullopt;
  if (!found) return true;  // already absent
  doc->lines.removeAt(found->first);
  return save(m_path, *doc, error);
}

QStringList IniFile::sections() const {
  QStringList names;
  const auto doc = load(m_path);
  if (!doc) return names;
  for (const QString& line : doc->lines) {
    const ParsedLine p = parseLine(line);
    if (p.kind == LineKind::Section && !names.contains(p.name, Qt::CaseInsensitive))
      names.append(p.name);
  }
  return names;
}

QStringList IniFile::keys(const QString& section) const {
  QStringList names;
  const auto doc = load(m_path);
  const auto range = doc ? findSection(doc->lines, section.trimmed()) : std::nullopt;
  if (!range) return names;
  for (qsizetype i = range->begin + 1; i < range->end; ++i) {
    const ParsedLine p = parseLine(doc->lines[i]);
    if (p.kind == LineKind::Key && !names.contains(p.name, Qt::CaseInsensitive))
      names.append(p.name);
  }
  return names;
}

IniSnapshot IniSnapshot::load(const QString& path) {
  const auto doc = platform::load(path);
  if (!doc) return {};
  return parse(doc->lines.join(kCrLf));
}

IniSnapshot IniSnapshot::parse(const QString& text) {
  IniSnapshot snapshot;
  QSet<QString> seenSections;
  QHash<QString, QString>* current = nullptr;
  for (const QString& line : text.split(kCrLf)) {
    const ParsedLine p = parseLine(line);
    if (p.kind == LineKind::Section) {
      const QString name = p.name.toLower();
      // A repeated section is never read: lookups stop at the first one.
      current = seenSections.contains(name) ? nullptr : &snapshot.m_values[name];
      seenSections.insert(name);
    } else if (p.kind == LineKind::Key && current) {
      const QString key = p.name.toLower();
      if (!current->contains(key))
        current->insert(key, unquote(line.sliced(p.valueBegin, p.valueEnd - p.valueBegin))
                                 .left(IniFile::kMaxValueLength));
    }
  }
  return snapshot;
}

std::optional<QString> IniSnapshot::value(const QString& section, const QString& key) const {
  const auto s = m_values.constFind(section.trimmed().toLower());
  if (s == m_values.constEnd()) return std::nullopt;
  const auto k = s->constFind(key.trimmed().toLower());
  if (k == s->constEnd()) return std::nullopt;
  return *k;
}

}  // namespace platform
