// The scan of RemoveSpans and the two ways it deletes the recorded spans, shared by its files:
// the prefixes of the text with the span each one makes, one pass for text whose spans never
// meet, and a replay of the deletions for any other.
#pragma once

#include <QStringView>
#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace text::spans {

inline constexpr qsizetype kNone = -1;
// Where a span ends when that is not known: it runs longer than every recorded span, or no
// suffix follows.
inline constexpr qsizetype kFar = std::numeric_limits<qsizetype>::max();

struct Interval {
  qsizetype start;
  qsizetype end;
};

// The text with its prefixes, the span each prefix makes, and the spans the scan records.
struct Scan {
  Scan(QStringView text, QStringView prefix, QStringView suffix);

  // The first suffix starting at or after `from`, or kNone.
  qsizetype firstSuffix(qsizetype from) const {
    const auto it = std::lower_bound(suffixes.begin(), suffixes.end(), from);
    return it == suffixes.end() ? kNone : *it;
  }
  QStringView spanOf(std::size_t i) const {
    return text.sliced(prefixes[i], ends[i] - prefixes[i]);
  }
  bool recordsLength(qsizetype length) const {
    return length <= longest && recordedLengths[std::size_t(length)];
  }
  // Numbers the recorded spans; until then `ids`, `stages` and idOf are not there. Text whose
  // spans never meet needs no numbers, and hashing every tag of a page costs more than the rest.
  void number();
  // The number of a recorded span, or -1.
  int idOf(QStringView span) const {
    if (!recordsLength(span.size())) return -1;
    const auto it = numbers.find(std::u16string_view(span.utf16(), std::size_t(span.size())));
    return it == numbers.end() ? -1 : it->second;
  }

  QStringView text, prefix, suffix;
  std::vector<qsizetype> prefixes, suffixes;  // every occurrence, overlapping ones too
  // For each prefix: the end of its span (the first suffix at or after the prefix, or when that
  // suffix starts at the prefix itself, the first suffix after the prefix), and the end of the
  // first suffix after the prefix; kNone where there is none.
  std::vector<qsizetype> ends, reaches;
  std::vector<std::size_t> recorded;  // the prefixes whose spans the scan records, in order
  std::vector<bool> recordedLengths;
  qsizetype longest = 0;                                 // the length of the longest recorded span
  std::unordered_map<std::u16string_view, int> numbers;  // each recorded span once
  std::vector<int> ids;     // for each prefix, the number of the recorded span its span is, or -1
  std::vector<int> stages;  // the recorded spans in order, by number

 private:
  void measureAndRecord();
};

// Where the recorded spans occur in the text, when deleting them all at once gives what deleting
// one after the other does: no two occurrences overlap and no deletion joins a new one.
// Otherwise nullopt.
std::optional<std::vector<Interval>> SeparateOccurrences(Scan& scan);

// The runs of text that deleting the recorded spans one after the other leaves deleted, in
// order. The scan must be numbered.
std::vector<Interval> ReplayDeletions(const Scan& scan);

}  // namespace text::spans
