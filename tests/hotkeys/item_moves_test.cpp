// Where the items of a rebuilt menu went, so that a hot key stays with its item: a removed
// item's key goes with it and never passes to the item that takes its place.
#include "hotkeys/item_moves.h"

#include <gtest/gtest.h>

namespace hotkeys {
namespace {

QStringList split(const char* items) {
  return QString::fromUtf8(items).split(u',', Qt::SkipEmptyParts);
}

TEST(FollowItems, EachItemGoesWhereItsCaptionWent) {
  struct {
    const char* what;
    const char* before;
    const char* after;
    QList<int> expect;
  } cases[] = {
      {"unchanged", "a,b,c", "a,b,c", {0, 1, 2}},
      {"one removed in the middle: the later ones follow", "a,b,c,d", "a,c,d", {0, -1, 1, 2}},
      {"the first removed", "a,b,c", "b,c", {-1, 0, 1}},
      {"the last removed", "a,b,c", "a,b", {0, 1, -1}},
      {"all removed", "a,b", "", {-1, -1}},
      {"one added in front", "b,c", "a,b,c", {1, 2}},
      {"renamed where it stands", "a,x,c", "a,y,c", {0, 1, 2}},
      {"removed and another added further on", "a,b,c,d", "a,c,d,e", {0, -1, 1, 2}},
      {"moved up", "a,b,c", "b,a,c", {1, 0, 2}},
      {"two removed", "a,b,c,d,e", "a,c,e", {0, -1, 1, -1, 2}},
      {"same captions: the k-th stays the k-th", "x,x,y", "x,y", {0, -1, 1}},
      {"a rename among removals is not guessed", "a,b,c", "x", {-1, -1, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FollowItems(split(c.before), split(c.after)), c.expect);
  }
}

TEST(FollowItems, FixedElementsStayWhateverTheirCaptionsBecome) {
  // The first element of a menu is the menu's own ("Простой текст"), renamed by a language.
  const QStringList before{"Простой текст", "HTML", "Pascal"};
  const QStringList after{"Plain text", "HTML", "Pascal", "Perl"};
  EXPECT_EQ(FollowItems(before, after, 1), (QList<int>{0, 1, 2}));
  // Without the fixed element the changed stretch has another length: nothing is paired.
  EXPECT_EQ(FollowItems(before, after, 0), (QList<int>{-1, 1, 2}));
  // A count of fixed elements beyond either list is bounded by it.
  EXPECT_EQ(FollowItems({"a"}, {}, 3), (QList<int>{-1}));
}

}  // namespace
}  // namespace hotkeys
