// Plain text found in any case by the control itself: every alphabet, line breaks, bad bytes,
// the bounds of the range searched, and the nearest occurrence going up.
#include "platform/case_blind_find.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using Found = CaseBlindFinder::Found;

TEST(CaseBlindFinder, FindsTheFirstOccurrenceInAnyCase) {
  struct Case {
    const char* name;
    QString what;
    QByteArray text;
    std::optional<Found> expect;  // bytes
  };
  const Case cases[] = {
      {"cyrillic", "ёлка", "На ЁЛКЕ ёЛкА", Found{14, 22}},
      {"yo is not ye", "ёж", "ЕЖ еж", std::nullopt},
      {"greek final sigma", "σοφός", "ΣΟΦΌΣ", Found{0, 10}},
      {"latin with accents", "élan", "ÉLAN", Found{0, 5}},
      {"over a line break", "ёж\r\nКОТ", "x ЁЖ\r\nкот", Found{2, 14}},
      {"bad bytes pass by", "ж", "\xFF\xD0\xB6", Found{1, 3}},
      {"a cut character is no letter", "ж", "\xD0", std::nullopt},
      {"digits and signs", "№1", "тел. №1", Found{8, 12}},
      {"empty search", "", "abc", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CaseBlindFinder finder(c.what);
    EXPECT_EQ(finder.first(c.text, 0, c.text.size()), c.expect);
  }
}

TEST(CaseBlindFinder, StaysInsideTheRangeAndGoesUpToTheNearest) {
  const QByteArray text = "аа ААА аа";  // а is two bytes
  const CaseBlindFinder finder("аа");
  EXPECT_EQ(finder.first(text, 2, text.size()), (Found{5, 9}));
  EXPECT_EQ(finder.first(text, 0, 2), std::nullopt) << "must end by the end of the range";
  EXPECT_EQ(finder.last(text, 0, text.size()), (Found{12, 16}));
  EXPECT_EQ(finder.last(text, 0, 12), (Found{7, 11})) << "overlapping occurrences count";
  EXPECT_EQ(finder.last(text, 5, 8), std::nullopt);
}

}  // namespace
}  // namespace platform
