// The byte ranges of a text that changed since a mark, kept in step with every later change:
// an insertion before a range moves it on, a deletion moves it back or shrinks it. Ranges far
// apart stay apart, so that two edits at the two ends of a big text do not mark all between.
#pragma once

#include <utility>
#include <vector>

namespace platform {

class ChangedRanges {
 public:
  using Range = std::pair<long, long>;  // [first, second], byte positions

  void inserted(long at, long length);
  void deleted(long at, long length);
  void markAll(long length);
  void clear() { m_ranges.clear(); }
  // Sorted and apart from each other.
  const std::vector<Range>& ranges() const { return m_ranges; }

 private:
  // Past this many ranges, the two closest merge: the count stays small whatever is done.
  static constexpr std::size_t kMost = 16;
  void add(Range range);

  std::vector<Range> m_ranges;
};

}  // namespace platform
