#include "platform/changed_ranges.h"

#include <algorithm>

namespace platform {

void ChangedRanges::inserted(long at, long length) {
  for (Range& r : m_ranges) {
    if (r.first >= at) r.first += length;
    if (r.second >= at) r.second += length;
  }
  add({at, at + length});
}

void ChangedRanges::deleted(long at, long length) {
  auto moved = [&](long p) { return p >= at + length ? p - length : std::min(p, at); };
  for (Range& r : m_ranges) r = {moved(r.first), moved(r.second)};
  add({at, at});
}

void ChangedRanges::markAll(long length) { m_ranges.assign(1, {0, length}); }

void ChangedRanges::add(Range range) {
  m_ranges.push_back(range);
  std::sort(m_ranges.begin(), m_ranges.end());
  std::vector<Range> merged;
  for (const Range& r : m_ranges) {
    if (!merged.empty() && r.first <= merged.back().second)
      merged.back().second = std::max(merged.back().second, r.second);
    else
      merged.push_back(r);
  }
  while (merged.size() > kMost) {
    std::size_t closest = 0;
    for (std::size_t i = 1; i + 1 < merged.size(); ++i)
      if (merged[i + 1].first - merged[i].second <
          merged[closest + 1].first - merged[closest].second)
        closest = i;
    merged[closest].second = merged[closest + 1].second;
    merged.erase(merged.begin() + long(closest) + 1);
  }
  m_ranges = std::move(merged);
}

}  // namespace platform
