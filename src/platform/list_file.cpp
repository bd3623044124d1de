// List files (recent files, find history, templates and the like): reading every file ever
// written, and writing so that each item reads back exactly as it was.
#include "platform/list_file.h"

#include "platform/text_file.h"

namespace platform::ListFile {
namespace {

enum class End { Comma, Line, Text };

bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// Consumes what ends an item at `i`: a comma, a line end (CR LF, LF or a lone CR), or nothing at
// the end of the text.
End takeTerminator(const QString& s, qsizetype& i) {
  if (i >= s.size()) return End::Text;
  const QChar c = s[i++];
  if (c == u',') return End::Comma;
  if (c == u'\r' && i < s.size() && s[i] == u'\n') ++i;
  return End::Line;
}

// A quoted item from just after its opening quote to its closing one; a doubled quote inside
// stands for one quote. Without a closing quote the item runs to the end of the text.
QString readQuoted(const QString& s, qsizetype& i) {
  QString item;
  while (i < s.size()) {
    const qsizetype quote = s.indexOf(u'"', i);
    if (quote < 0) {
      item += QStringView(s).sliced(i);
      i = s.size();
      break;
    }
    item += QStringView(s).sliced(i, quote - i);
    i = quote + 1;
    if (i < s.size() && s[i] == u'"') {
      item += u'"';
      ++i;
      continue;
    }
    break;
  }
  // Whatever follows the closing quote up to the end of the item is not part of it.
  while (i < s.size() && s[i] != u',' && !isLineEnd(s[i])) ++i;
  return item;
}

QString readPlain(const QString& s, qsizetype& i) {
  const qsizetype begin = i;
  while (i < s.size() && s[i] != u',' && !isLineEnd(s[i])) ++i;
  qsizetype end = i;
  while (end > begin && s[end - 1] == u' ') --end;
  return s.sliced(begin, end - begin);
}

bool needsQuotes(const QString& item) {
  if (item.isEmpty()) return false;
  if (item.front() == u' ' || item.back() == u' ') return true;
  for (const QChar c : item)
    if (c == u',' || c == u'"' || isLineEnd(c)) return true;
  return false;
}

}  // namespace

QStringList parse(const QString& content) {
  QStringList items;
  qsizetype i = 0;
  while (i < content.size()) {
    while (i < content.size() && content[i] == u' ') ++i;
    if (i < content.size() && content[i] == u'"') {
      ++i;
      items.append(readQuoted(content, i));
    } else {
      items.append(readPlain(content, i));
    }
    // A comma at the very end still ends an item, so an empty one follows it.
    if (takeTerminator(content, i) == End::Comma && i == content.size()) items.append(QString());
  }
  return items;
}

std::optional<QStringList> read(const QString& path) {
  const auto file = TextFile::read(path);
  if (!file) return std::nullopt;
  return parse(file->text);
}

QString format(const QStringList& items) {
  QString text;
  for (const QString& item : items) {
    if (needsQuotes(item)) {
      QString escaped = item;
      text += u'"' + escaped.replace(u'"', QStringLiteral("\"\"")) + u'"';
    } else {
      text += item;
    }
    text += QStringLiteral("\r\n");
  }
  return text;
}

bool write(const QString& path, const QStringList& items, QString* error) {
  // The default format is Windows-1251 with CR LF; TextFile widens it to UTF-8 when an item
  // holds a character Windows-1251 lacks.
  return TextFile::write(path, format(items), TextFormat{}, error);
}

}  // namespace platform::ListFile
