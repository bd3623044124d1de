#include "text/sort.h"

#include <QCollator>
#include <QLocale>
#include <functional>
#include <vector>

#include "platform/cp1251.h"

namespace text {
namespace {

// Short inputs are sorted in place by insertion; longer ones by merge sort all the way down.
constexpr qsizetype kInsertionLimit = 61;

// Compares two line numbers: -1, 0 or 1.
using Compare = std::function<int(int, int)>;

// Moves an element only past elements that compare strictly in the sort direction, so equal
// lines keep their order.
void insertionSort(std::vector<int>& a, int lo, int hi, int order, const Compare& compare) {
  for (int i = lo + 1; i <= hi; ++i) {
    const int t = a[i];
    int j = i - 1;
    while (j >= lo && compare(a[j], t) == order) {
      a[j + 1] = a[j];
      --j;
    }
    a[j + 1] = t;
  }
}

// Takes from the left half unless the right element must come strictly first: stable.
void merge(std::vector<int>& a, std::vector<int>& temp, int lo, int mid, int hi, int order,
           const Compare& compare) {
  std::copy(a.begin() + lo, a.begin() + hi + 1, temp.begin() + lo);
  int i = lo, j = mid + 1, k = lo;
  while (i <= mid) {
    if (j > hi) {
      while (i <= mid) a[k++] = temp[i++];
      return;
    }
    a[k++] = compare(temp[i], temp[j]) != order ? temp[i++] : temp[j++];
  }
  while (j <= hi) a[k++] = temp[j++];
}

void mergeSort(std::vector<int>& a, std::vector<int>& temp, int lo, int hi, int order,
               const Compare& compare) {
  if (lo >= hi) return;
  const int mid = (lo + hi) / 2;
  mergeSort(a, temp, lo, mid, order, compare);
  mergeSort(a, temp, mid + 1, hi, order, compare);
  merge(a, temp, lo, mid, hi, order, compare);
}

int sign(int value) { return (value > 0) - (value < 0); }

// Letters of the two alphabets and ASCII are answered without the table lookup: a sort asks
// this millions of times.
int codeOf(QChar c) {
  const char16_t u = c.unicode();
  if (u < 128) return u;
  if (u >= 0x410 && u <= 0x44F) return u - 0x410 + 0xC0;
  const int code = cp1251::code(c);
  return code >= 0 ? code : 256 + u;
}

}  // namespace

int CompareByCode(QStringView a, QStringView b) {
  const qsizetype common = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < common; ++i) {
    if (a[i] == b[i]) continue;
    return sign(codeOf(a[i]) - codeOf(b[i]));
  }
  return sign(int(a.size() > b.size()) - int(a.size() < b.size()));
}

void SortLines(QStringList& lines, bool ascending, bool caseSensitive) {
  if (lines.size() < 2) return;
  const int order = ascending ? 1 : -1;
  // Collation keys are made once per line, so the many comparisons of a long sort stay cheap.
  std::vector<QCollatorSortKey> keys;
  Compare compare;
  if (caseSensitive) {
    compare = [&lines](int x, int y) { return CompareByCode(lines[x], lines[y]); };
  } else {
    QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    keys.reserve(lines.size());
    for (const QString& line : lines) keys.push_back(collator.sortKey(line));
    compare = [&keys](int x, int y) { return sign(keys[x].compare(keys[y])); };
  }
  const int hi = int(lines.size()) - 1;
  std::vector<int> index(lines.size());
  for (int i = 0; i <= hi; ++i) index[i] = i;
  if (hi < kInsertionLimit) {
    insertionSort(index, 0, hi, order, compare);
  } else {
    std::vector<int> temp(index.size());
    mergeSort(index, temp, 0, hi, order, compare);
  }
  QStringList sorted;
  sorted.reserve(lines.size());
  for (int i : index) sorted.append(std::move(lines[i]));
  lines = std::move(sorted);
}

}  // namespace text
