// Order and stability of the line sort, in both modes and on both sides of the insertion limit.
#include "text/sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/qt_print.h"

namespace text {
namespace {

TEST(SortLines, Orders) {
  struct Case {
    const char* what;
    QStringList in;
    bool ascending, caseSensitive;
    QStringList expect;
  } cases[] = {
      {"equal letters keep input order", {"б", "А", "а", "В"}, true, false, {"А", "а", "б", "В"}},
      {"descending too", {"б", "А", "а", "В"}, false, false, {"В", "б", "А", "а"}},
      {"latin", {"b", "B", "a"}, true, false, {"a", "b", "B"}},
      {"empty line first", {"b", "a", ""}, true, false, {"", "a", "b"}},
      {"empty line last descending", {"", "b", "a"}, false, false, {"b", "a", ""}},
      {"ё beside е", {"ж", "ёлка", "ель", "Е"}, true, false, {"Е", "ёлка", "ель", "ж"}},
      {"one line", {"x"}, true, false, {"x"}},
      {"nothing", {}, true, false, {}},
      {"by code: capitals first", {"b", "a", "B", "я", "Я"}, true, true, {"B", "a", "b", "Я", "я"}},
      {"by code: prefix first", {"ab", "a", "Ё"}, true, true, {"a", "ab", "Ё"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QStringList lines = c.in;
    SortLines(lines, c.ascending, c.caseSensitive);
    EXPECT_EQ(lines, c.expect);
  }
}

// 61 lines go through insertion sort, 62 and more through merge sort; both must keep lines
// that differ only in letter case in their input order, in both directions. Each line's case
// pattern is unique, so the expected list is exact.
TEST(SortLines, StableOnBothSidesOfTheLimit) {
  const QString words[] = {"кошкамышка", "елкапалкаа", "ёлкапалкаа"};
  const int rank[] = {2, 0, 1};  // е before ё before к
  for (int count : {61, 62, 1000}) {
    for (bool ascending : {true, false}) {
      SCOPED_TRACE(testing::Message() << count << (ascending ? " ascending" : " descending"));
      QStringList lines;
      std::vector<std::pair<int, QString>> expected;
      for (int i = 0; i < count; ++i) {
        QString line = words[i % 3];
        for (int bit = 0; bit < 10; ++bit)
          if ((i / 3) & (1 << bit)) line[bit] = line[bit].toUpper();
        lines << line;
        expected.emplace_back(ascending ? rank[i % 3] : -rank[i % 3], line);
      }
      std::stable_sort(expected.begin(), expected.end(),
                       [](const auto& a, const auto& b) { return a.first < b.first; });
      SortLines(lines, ascending, false);
      ASSERT_EQ(lines.size(), count);
      for (int i = 0; i < count; ++i) ASSERT_EQ(lines[i], expected[i].second) << i;
    }
  }
}

}  // namespace
}  // namespace text
