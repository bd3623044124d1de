#include "navigation/local_bookmark_table.h"

#include <QString>
#include <algorithm>

namespace navigation {

LocalMark LocalBookmarkTable::at(int slot) const { return valid(slot) ? m_marks[slot] : LocalMark{}; }

void LocalBookmarkTable::set(int slot, LocalMark mark) {
  if (!valid(slot)) return;
  m_marks[slot] = mark;
  m_removed[slot] = false;
}

void LocalBookmarkTable::clear(int slot) {
  if (!valid(slot)) return;
  m_marks[slot] = LocalMark{};
  m_removed[slot] = true;
}

QString LocalBookmarkTable::label(int slot) const {
  if (!valid(slot)) return QString();
  return m_removed[slot] ? QStringLiteral("0") : QString::number(slot + 1);
}

LocalMark ClampToText(LocalMark mark, int lineCount) {
  mark.line = std::clamp(mark.line, 0, std::max(lineCount - 1, 0));
  mark.column = std::max(mark.column, 0);
  return mark;
}

}  // namespace navigation
