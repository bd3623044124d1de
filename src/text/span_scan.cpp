// The scan of RemoveSpans, and the single pass that deletes spans which never meet.
#include "text/span_scan.h"

#include <QStringMatcher>
#include <algorithm>

namespace text::spans {
namespace {

// Every occurrence of `pattern` in `text`, overlapping ones too.
std::vector<qsizetype> occurrences(QStringView text, QStringView pattern) {
  std::vector<qsizetype> found;
  if (pattern.size() == 1) {
    const QChar c = pattern[0];
    for (qsizetype at = text.indexOf(c); at >= 0; at = text.indexOf(c, at + 1)) found.push_back(at);
    return found;
  }
  const QStringMatcher matcher(pattern);
  for (qsizetype at = matcher.indexIn(text); at >= 0; at = matcher.indexIn(text, at + 1))
    found.push_back(at);
  return found;
}

}  // namespace

Scan::Scan(QStringView text, QStringView prefix, QStringView suffix)
    : text(text),
      prefix(prefix),
      suffix(suffix),
      prefixes(occurrences(text, prefix)),
      suffixes(occurrences(text, suffix)) {
  measureAndRecord();
  recordedLengths.assign(std::size_t(longest) + 1, false);
  for (const std::size_t i : recorded) recordedLengths[std::size_t(spanOf(i).size())] = true;
}

void Scan::measureAndRecord() {
  ends.resize(prefixes.size());
  reaches.resize(prefixes.size());
  std::size_t first = 0, after = 0;  // the first suffix at or after the prefix, and after it
  qsizetype from = 0;                // where the scan looks for its next prefix, or kFar
  for (std::size_t i = 0; i < prefixes.size(); ++i) {
    const qsizetype at = prefixes[i];
    while (first < suffixes.size() && suffixes[first] < at) ++first;
    while (after < suffixes.size() && suffixes[after] < at + prefix.size()) ++after;
    reaches[i] = after < suffixes.size() ? suffixes[after] + suffix.size() : kNone;
    const bool again = first < suffixes.size() && suffixes[first] == at;
    ends[i] = first == suffixes.size() ? kNone
              : again                  ? reaches[i]
                                       : suffixes[first] + suffix.size();
    if (at < from) continue;
    if (ends[i] == kNone) {
      from = kFar;  // a prefix without a suffix ends the scan
      continue;
    }
    recorded.push_back(i);
    longest = std::max(longest, ends[i] - at);
    // Going on from a suffix at the prefix's own position would find this prefix again.
    from = again ? ends[i] : ends[i] - suffix.size();
  }
}

void Scan::number() {
  if (!ids.empty()) return;
  ids.assign(prefixes.size(), -1);
  numbers.reserve(recorded.size());
  for (const std::size_t i : recorded) {
    const QStringView span = spanOf(i);
    const auto [it, added] = numbers.try_emplace(
        std::u16string_view(span.utf16(), std::size_t(span.size())), int(numbers.size()));
    ids[i] = it->second;
    stages.push_back(it->second);
  }
  for (std::size_t i = 0; i < prefixes.size(); ++i)
    if (ids[i] < 0 && ends[i] != kNone) ids[i] = idOf(spanOf(i));
}

namespace {

// A deletion can join text into a new occurrence only at a prefix whose reach (as far as the
// first suffix after the prefix) covers the start of a deleted occurrence, or at the beginning of
// a prefix just before a deleted occurrence whose rest would follow it.
bool nothingJoins(const Scan& scan, const std::vector<Interval>& found) {
  auto next = found.begin();
  for (std::size_t i = 0; i < scan.prefixes.size(); ++i) {
    while (next != found.end() && next->start <= scan.prefixes[i]) ++next;
    if (next == found.end()) break;
    if (scan.reaches[i] == kNone || next->start < scan.reaches[i]) return false;
  }
  for (const Interval& occurrence : found)
    for (qsizetype part = 1; part < scan.prefix.size() && part <= occurrence.start; ++part)
      if (scan.text.sliced(occurrence.start - part, part) == scan.prefix.first(part)) return false;
  return true;
}

// Whether the span of prefix `i`, which the scan passed over, is a recorded span all the same.
bool occursAsRecorded(Scan& scan, std::size_t i) {
  if (scan.ends[i] == kNone || !scan.recordsLength(scan.ends[i] - scan.prefixes[i])) return false;
  scan.number();
  return scan.ids[i] >= 0;
}

}  // namespace

std::optional<std::vector<Interval>> SeparateOccurrences(Scan& scan) {
  std::vector<Interval> found;
  found.reserve(scan.recorded.size());
  auto next = scan.recorded.begin();
  for (std::size_t i = 0; i < scan.prefixes.size(); ++i) {
    if (next != scan.recorded.end() && *next == i)
      ++next;
    else if (!occursAsRecorded(scan, i))
      continue;
    if (!found.empty() && scan.prefixes[i] < found.back().end) return std::nullopt;
    found.push_back({scan.prefixes[i], scan.ends[i]});
  }
  if (!nothingJoins(scan, found)) return std::nullopt;
  return found;
}

}  // namespace text::spans
