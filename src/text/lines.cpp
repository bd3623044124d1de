#include "text/lines.h"

#include <QStringMatcher>
#include <QStringView>
#include <algorithm>
#include <cmath>
#include <vector>

namespace text {
namespace {

const QString kMarker = QStringLiteral("$text$");
const QString kLineBreak = QStringLiteral("\r\n");

// Calls visit(line) for every CR LF separated line of the text, the last one included.
template <typename Visit>
void forEachLine(QStringView text, Visit visit) {
  qsizetype start = 0;
  // Looking for the CR alone lets the search use the fast single-character scan.
  for (qsizetype at = text.indexOf(u'\r'); at >= 0; at = text.indexOf(u'\r', at + 1)) {
    if (at + 1 >= text.size() || text[at + 1] != u'\n') continue;
    visit(text.mid(start, at - start));
    start = at + 2;
  }
  visit(text.mid(start));
}

qsizetype countLines(QStringView text) { return text.count(kLineBreak) + 1; }

// Rebuilds the text line by line: `extra` characters are added per line (an upper bound is
// enough), `write(result, line, number)` appends one line without its break.
template <typename Write>
QString mapLines(const QString& target, qsizetype extra, Write write) {
  const qsizetype lines = countLines(target);
  if (extra > 0 && (kMaxResultLength - target.size()) / extra < lines) return target;
  QString result;
  result.reserve(target.size() + lines * std::max<qsizetype>(extra, 0));
  qsizetype number = 0;
  forEachLine(target, [&](QStringView line) {
    if (number > 0) result += kLineBreak;
    write(result, line, ++number);
  });
  return result;
}

bool isBlank(QChar c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(QChar c) { return c >= '0' && c <= '9'; }

void appendSpaces(QString& out, qsizetype count) {
  if (count > 0) out.resize(out.size() + count, QChar(' '));
}

}  // namespace

std::optional<TemplateParts> SplitTemplate(const QString& templateText) {
  const qsizetype first = templateText.indexOf(kMarker);
  if (first < 0) return std::nullopt;
  const qsizetype last = templateText.lastIndexOf(kMarker);
  return TemplateParts{templateText.left(first), templateText.mid(last + kMarker.size())};
}

int LeadingNumber(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  double sign = 1;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) sign = text[i++] == '-' ? -1 : 1;
  double value = 0;
  bool digits = false;
  for (; i < text.size() && isDigit(text[i]); ++i, digits = true)
    value = std::min(value * 10 + (text[i].unicode() - '0'), 1e10);
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && isDigit(text[i]); ++i) {
      value += (text[i].unicode() - '0') * scale;
      scale /= 10;
      digits = true;
    }
  }
  if (!digits) return 0;
  return int(std::lround(std::clamp(sign * value, -1e9, 1e9)));
}

QStringList SplitLines(const QString& text) { return text.split(kLineBreak); }

QString AddTemplate(const QString& target, const QString& prefix, const QString& suffix) {
  return mapLines(target, prefix.size() + suffix.size(),
                  [&](QString& out, QStringView line, qsizetype) {
                    out += prefix;
                    out += line;
                    out += suffix;
                  });
}

QString NumberLines(const QString& target) {
  return mapLines(target, 12, [](QString& out, QStringView line, qsizetype number) {
    out += QString::number(number);
    out += QLatin1String(". ");
    out += line;
  });
}

QString CutLineEnds(const QString& target, int left, int right) {
  const qsizetype l = std::max(left, 0);
  const qsizetype r = std::max(right, 0);
  return mapLines(target, 0, [&](QString& out, QStringView line, qsizetype) {
    const qsizetype keep = line.size() - l - r;
    if (keep > 0) out += line.mid(l, keep);
  });
}

QString RemoveEmptyLines(const QString& text) {
  QString result;
  result.reserve(text.size());
  forEachLine(text, [&](QStringView line) {
    if (line.isEmpty()) return;
    if (!result.isEmpty()) result += kLineBreak;
    result += line;
  });
  return result;
}

QString JoinLines(const QString& target) {
  if (!target.contains('\r')) return target;
  const QString result = RemoveEvery(target, kLineBreak);
  return result.isEmpty() ? target : result;
}

QString RemoveAllSpaces(const QString& target) {
  QString result(target.size(), Qt::Uninitialized);
  QChar* out = result.data();
  for (QChar c : target)
    if (c != ' ') *out++ = c;
  const qsizetype length = out - result.constData();
  if (length == 0 || length == target.size()) return target;
  result.truncate(length);
  return result;
}

QString SqueezeSpaces(const QString& target) {
  QString result(target.size(), Qt::Uninitialized);
  QChar* const begin = result.data();
  QChar* out = begin;
  bool gap = false;
  for (QChar c : target) {
    if (c == ' ') {
      gap = out != begin;
      continue;
    }
    if (gap) *out++ = QChar(' ');
    gap = false;
    *out++ = c;
  }
  result.truncate(out - begin);
  return result;
}

QString PadLines(const QString& target, int left, int right) {
  const qsizetype l = std::max(left, 0);
  const qsizetype r = std::max(right, 0);
  return mapLines(target, l + r, [&](QString& out, QStringView line, qsizetype) {
    appendSpaces(out, l);
    out += line;
    appendSpaces(out, r);
  });
}

int FieldCount(const QString& text, const QString& delimiter) {
  if (text.isEmpty()) return 0;
  if (delimiter.isEmpty()) return 1;
  const QStringMatcher find(delimiter);
  int count = 1;
  for (qsizetype at = find.indexIn(text, 0); at >= 0;
       at = find.indexIn(text, at + delimiter.size()))
    ++count;
  return count;
}

QString GetField(int index, const QString& text, const QString& delimiter) {
  if (index == 0) return QString::number(FieldCount(text, delimiter));
  if (index < 0 || text.isEmpty()) return QString();
  if (delimiter.isEmpty()) return index == 1 ? text : QString();
  const QStringMatcher find(delimiter);
  qsizetype start = 0;
  for (int n = 1;; ++n) {
    const qsizetype at = find.indexIn(text, start);
    if (n == index) return at < 0 ? text.mid(start) : text.mid(start, at - start);
    if (at < 0) return QString();
    start = at + delimiter.size();
  }
}

QString TabsToSpaces(const QString& text) {
  const qsizetype tabs = text.count('\t');
  if (tabs == 0) return text;
  QString result(text.size() + tabs * 5, Qt::Uninitialized);
  QChar* out = result.data();
  for (QChar c : text) {
    if (c == '\t')
      out = std::fill_n(out, 6, QChar(' '));
    else
      *out++ = c;
  }
  return result;
}

QString SpacesToTabs(const QString& text) {
  QString result(text.size(), Qt::Uninitialized);
  QChar* const begin = result.data();
  QChar* out = begin;
  int run = 0;
  for (QChar c : text) {
    if (c == ' ') {
      if (++run == 6) {
        *out++ = QChar('\t');
        run = 0;
      }
      continue;
    }
    out = std::fill_n(out, run, QChar(' '));
    run = 0;
    *out++ = c;
  }
  out = std::fill_n(out, run, QChar(' '));
  result.truncate(out - begin);
  return result;
}

QString RemoveEvery(const QString& text, const QString& what) {
  if (what.isEmpty()) return text;
  const QStringView whole(text);
  qsizetype at = whole.indexOf(what);
  if (at < 0) return text;
  QString result;
  result.reserve(text.size());
  qsizetype copied = 0;
  for (; at >= 0; at = whole.indexOf(what, copied)) {
    result += whole.mid(copied, at - copied);
    copied = at + what.size();
  }
  result += whole.mid(copied);
  return result;
}

}  // namespace text
