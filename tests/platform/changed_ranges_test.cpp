// The changed ranges follow later insertions and deletions, merge when they touch, and stay few.
#include "platform/changed_ranges.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using Ranges = std::vector<ChangedRanges::Range>;

TEST(ChangedRanges, FollowLaterChanges) {
  ChangedRanges c;
  c.inserted(10, 5);  // [10, 15]
  c.inserted(0, 3);   // moves it to [13, 18]
  EXPECT_EQ(c.ranges(), (Ranges{{0, 3}, {13, 18}}));
  c.deleted(1, 1);  // inside the first, before the second
  EXPECT_EQ(c.ranges(), (Ranges{{0, 2}, {12, 17}}));
  c.deleted(10, 20);  // swallows the second: only where it was stays
  EXPECT_EQ(c.ranges(), (Ranges{{0, 2}, {10, 10}}));
  c.inserted(2, 1);  // at the end of the first: they join
  EXPECT_EQ(c.ranges(), (Ranges{{0, 3}, {11, 11}}));
  c.deleted(3, 8);  // the gap between them goes: one range
  EXPECT_EQ(c.ranges(), (Ranges{{0, 3}}));
  c.markAll(40);
  EXPECT_EQ(c.ranges(), (Ranges{{0, 40}}));
  c.clear();
  EXPECT_TRUE(c.ranges().empty());
}

TEST(ChangedRanges, ManyScatteredChangesMergeTheClosest) {
  ChangedRanges c;
  for (long i = 0; i < 16; ++i) c.inserted(i * 100, 1);  // [0, 1], [100, 101] ... [1500, 1501]
  ASSERT_EQ(c.ranges().size(), 16u);
  c.inserted(705, 1);  // nearest to [700, 701]: those two join, the others stay as they were
  ASSERT_EQ(c.ranges().size(), 16u);
  EXPECT_EQ(c.ranges()[7], (ChangedRanges::Range{700, 706}));
  EXPECT_EQ(c.ranges().front(), (ChangedRanges::Range{0, 1}));
  EXPECT_EQ(c.ranges().back(), (ChangedRanges::Range{1501, 1502}));
}

}  // namespace
}  // namespace platform
