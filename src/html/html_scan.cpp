#include "html/html_scan.h"

namespace html {
namespace {

bool isSpace(QChar c) { return c == u' ' || c == u'\r' || c == u'\n'; }

bool startsAddress(QChar c) { return isSpace(c) || c == u':' || c == u'>'; }

// Whether an address ends at `i`: a space, a quote, or a point or comma before a space.
bool endsAddress(QStringView text, qsizetype i) {
  const QChar c = text[i];
  // No address holds a "<": in a page it is the tag that follows the address.
  if (isSpace(c) || c == u'"' || c == u'<') return true;
  return (c == u'.' || c == u',') && i + 1 < text.size() && isSpace(text[i + 1]);
}

}  // namespace

LinkList HyperLinks(QStringView text) {
  static const QString kHref = QStringLiteral("href=\"");
  const QString error = QString::fromUtf8(kLinkError);
  LinkList result;
  qsizetype from = 0;
  while (true) {
    const qsizetype open = text.indexOf(u"<a", from, Qt::CaseInsensitive);
    if (open < 0) break;
    ++result.count;
    const qsizetype close = text.indexOf(u'>', open + 2);
    // A tag that never closes runs to the end of the text; nothing can follow it.
    const QStringView tag = close < 0 ? text.mid(open + 2) : text.mid(open + 2, close - open - 2);
    QString entry;
    const qsizetype href = tag.indexOf(kHref, 0, Qt::CaseInsensitive);
    const qsizetype quote = href < 0 ? -1 : tag.indexOf(u'"', href + kHref.size());
    if (close >= 0 && quote >= 0)
      entry = tag.mid(href + kHref.size(), quote - href - kHref.size()).toString();
    else
      entry = tag.toString() + error;
    if (!entry.isEmpty()) result.entries << entry;
    if (close < 0) break;
    from = close + 1;
  }
  return result;
}

QStringList EMailAddresses(QStringView original, const std::function<void()>& between) {
  QString padded;
  padded.reserve(original.size() + 2);
  padded += u' ';
  padded += original;
  padded += u' ';
  const QStringView text(padded);
  const qsizetype n = text.size();
  QStringList result;
  qsizetype start = 0;       // the last separator seen before the current "@"
  qsizetype end = -1;        // the first end after the last "@" looked at
  qsizetype dot = -1;        // the first "." after the start last looked from
  qsizetype lastStart = -1, lastEnd = -1;
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (startsAddress(c)) start = i;
    if (c != u'@') continue;
    // The ends, the points and the starts only move forward, so each is looked for once: a
    // run of "@" without separators costs no rescans.
    if (end <= i) {
      end = i + 1;
      while (end < n && !endsAddress(text, end)) ++end;
    }
    if (dot <= start) {
      dot = start + 1;
      while (dot < n && text[dot] != u'.') ++dot;
    }
    // A point right before the end closes the sentence, not the address.
    qsizetype last = end;
    while (last - 1 > i && text[last - 1] == u'.') --last;
    if (dot >= last) continue;
    // The same stretch again (two "@" in one address) shares the string already made.
    if (start == lastStart && end == lastEnd)
      result << result.constLast();
    else
      result << text.mid(start + 1, last - start - 1).toString();
    lastStart = start;
    lastEnd = end;
    if (between) between();
  }
  return result;
}

QStringList SourceNames(QStringView text) {
  static const QString kSrc = QStringLiteral("src=\"");
  QStringList names;
  qsizetype from = 0;
  while (true) {
    const qsizetype at = text.indexOf(kSrc, from);
    if (at < 0) break;
    const qsizetype first = at + kSrc.size();
    const qsizetype quote = text.indexOf(u'"', first);
    if (quote < 0) break;
    names << text.mid(first, quote - first).toString();
    from = quote + 1;
  }
  return names;
}

std::optional<QString> UrlFromLink(const QString& selection) {
  const qsizetype marker = selection.indexOf(QStringLiteral("<a href=\""));
  const qsizetype first = marker < 0 ? 8 : marker + 9;
  const qsizetype length = selection.size() - first - 2;
  if (length < 0) return std::nullopt;
  return selection.mid(first, length);
}

}  // namespace html
