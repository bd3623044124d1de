// Sorting lines: a stable hybrid of insertion sort (up to 61 lines) and top-down merge sort.
#pragma once

#include <QStringList>

namespace text {

// Sorts in place, ascending or descending. Case-sensitive mode compares characters by their
// Windows-1251 code (a character without one after all that have one); case-insensitive mode
// compares as a Russian dictionary does ('А' = 'а', Ё/ё beside Е/е). Lines that compare equal
// keep their input order in either direction: 'б', 'А', 'а', 'В' ascending give 'А', 'а', 'б',
// 'В', descending 'В', 'б', 'А', 'а'.
void SortLines(QStringList& lines, bool ascending, bool caseSensitive);

// The order of two lines by Windows-1251 codes: -1, 0 or 1.
int CompareByCode(QStringView a, QStringView b);

}  // namespace text
