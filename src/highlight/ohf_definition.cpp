// Reading ".ohf" definition files: settings through the INI rules, word groups by scanning lines.
#include "highlight/ohf_definition.h"

#include <QFileInfo>
#include <QStringList>
#include <cmath>

#include "platform/ini_file.h"
#include "platform/text_file.h"

namespace highlight {
namespace {

const QString kSection = QStringLiteral("MainSettings");

// A definition is a few kilobytes; a file far beyond that is no definition, and reading it whole
// (once for the settings, once more for the groups) could exhaust memory.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

// The parts of a comma-separated pair. A token never starts or ends with a space: "begin, end"
// means "end", not " end", which could never match a word.
QStringList commaParts(const QString& value) {
  if (value.isEmpty()) return {};
  QStringList parts = value.split(u',');
  for (QString& part : parts) part = part.trimmed();
  return parts;
}

void readSettings(const QString& path, OhfDefinition& def) {
  // Read once for all its keys: every definition of the Syntax folder is read at each start.
  const platform::IniSnapshot ini = platform::IniSnapshot::load(path);
  const auto value = [&](const char* key, const QString& fallback) {
    return ini.value(kSection, QString::fromLatin1(key), fallback);
  };
  def.description = value("description", def.description);
  // An empty name would be the language name of plain text and an invisible menu entry.
  if (def.description.trimmed().isEmpty()) def.description = DefaultOhfDescription(path);
  def.extensions = value("extensions", def.extensions);
  def.caseSensitive = OhfBoolean(value("case_sensitive", QStringLiteral("0")));
  def.stringChars = value("string_chars", def.stringChars);

  const QString comment1 = value("Comment1", QString());
  def.lineComment = comment1.section(u',', 0, 0).trimmed();

  const QStringList block = commaParts(value("Comment2", QString()));
  if (block.size() == 1) {
    def.blockCommentOpen = block[0];
  } else if (block.size() >= 2 && !block[0].isEmpty() && !block[1].isEmpty()) {
    def.blockCommentOpen = block[0];
    def.blockCommentClose = block[1];
  }

  const QStringList scope = commaParts(value("delimiters", QString()));
  if (!scope.isEmpty()) def.scopeOpen = scope[0];
  if (scope.size() >= 2) def.scopeClose = scope[1];
}

// Walks the lines: a line exactly "[group1]" or "[group2]" starts a group, whose words run up to
// the first empty line or line beginning with "[" or ";". The walk goes on after that line
// without looking at it, so a header directly under a word line is not seen as one.
void readGroups(const QString& path, OhfDefinition& def) {
  const auto file = platform::TextFile::read(path);
  if (!file) return;
  const QStringList lines = file->text.split(QStringLiteral("\r\n"));
  QString group1, group2;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QString* group = lines[i] == u"[group1]"   ? &group1
                     : lines[i] == u"[group2]" ? &group2
                                               : nullptr;
    if (!group) continue;
    for (++i; i < lines.size(); ++i) {
      const QString& line = lines[i];
      if (line.isEmpty() || line.front() == u'[' || line.front() == u';') break;
      *group += line;
      *group += u'\n';
    }
  }
  def.keywords = group1.replace(u' ', u'\n');
  def.operators = group2.replace(u' ', u'\n');
}

}  // namespace

QString DefaultOhfDescription(const QString& path) {
  QString name = QFileInfo(path).fileName();
  name.chop(4);
  return QStringLiteral("Подсветка для ") + name;
}

bool OhfBoolean(const QString& value) {
  const QString v = value.trimmed();
  if (v.compare(u"true", Qt::CaseInsensitive) == 0) return true;
  if (v.compare(u"false", Qt::CaseInsensitive) == 0) return false;
  bool ok = false;
  const double number = v.toDouble(&ok);
  return ok && std::isfinite(number) && number != 0.0;
}

OhfDefinition ReadOhfFile(const QString& path) {
  OhfDefinition def;
  def.description = DefaultOhfDescription(path);
  const QFileInfo info(path);
  if (!info.isFile() || info.size() > kMaxFileBytes) return def;
  readSettings(path, def);
  readGroups(path, def);
  return def;
}

}  // namespace highlight
