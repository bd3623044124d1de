#include "text/paragraph.h"

#include <algorithm>

#include "text/lines.h"

namespace text {
namespace {

bool startsWithSpaces(QStringView line, qsizetype count) {
  if (line.size() < count) return false;
  for (qsizetype i = 0; i < count; ++i)
    if (line[i] != ' ') return false;
  return true;
}

qsizetype leadingBlanks(QStringView line) {
  qsizetype i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  return i;
}

// Appends one line in its formatted shape.
void formatLine(QString& out, QStringView line, qsizetype width, bool capitalise) {
  out.resize(out.size() + width, QChar(' '));
  const QStringView body = line.mid(leadingBlanks(line));
  if (capitalise && !body.isEmpty()) {
    out += body[0].toUpper();
    out += body.mid(1);
  } else {
    out += body;
  }
}

}  // namespace

QString FormatParagraphs(const QString& text, const QString& recSpace, const QString& indent,
                         bool capitalise) {
  const qsizetype recognise = std::max(LeadingNumber(recSpace), 0);
  const qsizetype width = std::max(LeadingNumber(indent), 0);
  const QLatin1String lineBreak("\r\n");
  const qsizetype lines = text.count(lineBreak) + 1;
  if (width > 0 && (kMaxResultLength - text.size()) / width < lines) return text;
  QString result;
  result.reserve(text.size() + lines * width);
  bool previousEmpty = true;  // the first line starts a paragraph
  for (qsizetype start = 0; start <= text.size();) {
    qsizetype end = text.indexOf(lineBreak, start);
    if (end < 0) end = text.size();
    const QStringView line = QStringView(text).mid(start, end - start);
    if (start > 0) result += lineBreak;
    const bool paragraph =
        previousEmpty || startsWithSpaces(line, recognise) || (!line.isEmpty() && line[0] == '\t');
    previousEmpty = line.isEmpty();
    if (paragraph && !line.isEmpty())
      formatLine(result, line, width, capitalise);
    else
      result += line;
    start = end + 2;
  }
  return result;
}

}  // namespace text
