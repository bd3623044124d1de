// Deleting spans (RemoveSpans): the scan records them, then every recorded span is deleted
// wherever it occurs, one after the other. Text whose spans never meet, as in usual HTML, takes
// one pass; any other replays the deletions, repairing only what each deletion touches.
#include "text/lines.h"
#include "text/span_scan.h"

namespace text {
namespace {

using spans::Interval;

// The length of the span every prefix makes when a suffix lies wholly inside the prefix (not at
// its start), or 0. "<b>" with ">" makes every span "<b>", "abc" with "b" every span "ab".
qsizetype spanInsidePrefix(QStringView prefix, QStringView suffix) {
  if (prefix.startsWith(suffix)) return 0;
  const qsizetype at = prefix.indexOf(suffix, 1);
  return at < 0 ? 0 : at + suffix.size();
}

// Deletes every occurrence of `span` `times` times over, or until none is left.
QString deleteRepeatedly(const QString& text, const QString& span, qsizetype times) {
  QString result = text;
  for (qsizetype i = 0; i < times && result.contains(span); ++i) result.remove(span);
  return result;
}

QString withoutIntervals(QStringView text, const std::vector<Interval>& gone) {
  QString result;
  result.reserve(text.size());
  qsizetype copied = 0;
  for (const Interval& span : gone) {
    result += text.sliced(copied, span.start - copied);
    copied = span.end;
  }
  result += text.sliced(copied);
  return result;
}

}  // namespace

QString RemoveSpans(const QString& text, const QString& prefix, const QString& suffix) {
  if (prefix.isEmpty() || suffix.isEmpty()) return text;
  spans::Scan scan(text, prefix, suffix);
  if (scan.recorded.empty()) return text;
  if (const qsizetype length = spanInsidePrefix(prefix, suffix))
    return deleteRepeatedly(text, prefix.first(length), qsizetype(scan.recorded.size()));
  std::optional<std::vector<Interval>> gone = spans::SeparateOccurrences(scan);
  if (!gone) {
    scan.number();
    gone = spans::ReplayDeletions(scan);
  }
  return withoutIntervals(text, *gone);
}

QString StripTags(const QString& text) { return RemoveSpans(text, "<", ">"); }

}  // namespace text
