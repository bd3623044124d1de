#include "hotkeys/item_moves.h"

#include <algorithm>

namespace hotkeys {

QList<int> FollowItems(const QStringList& before, const QStringList& after, int fixed) {
  const int oldCount = int(before.size());
  const int newCount = int(after.size());
  QList<int> moves(oldCount, -1);
  const int kept = std::clamp(fixed, 0, std::min(oldCount, newCount));
  for (int i = 0; i < kept; ++i) moves[i] = i;

  int head = kept;
  while (head < oldCount && head < newCount && before[head] == after[head]) {
    moves[head] = head;
    ++head;
  }
  int tail = 0;
  while (tail < std::min(oldCount, newCount) - head &&
         before[oldCount - 1 - tail] == after[newCount - 1 - tail]) {
    moves[oldCount - 1 - tail] = newCount - 1 - tail;
    ++tail;
  }

  // The changed stretch: [head, oldEnd) before, [head, newEnd) after.
  const int oldEnd = oldCount - tail;
  const int newEnd = newCount - tail;
  QList<bool> taken(newCount, false);
  for (int i = head; i < oldEnd; ++i)
    for (int j = head; j < newEnd; ++j)
      if (!taken[j] && after[j] == before[i]) {
        moves[i] = j;
        taken[j] = true;
        break;
      }
  if (oldEnd - head == newEnd - head)
    for (int i = head; i < oldEnd; ++i)
      if (moves[i] < 0 && !taken[i]) {
        moves[i] = i;
        taken[i] = true;
      }
  return moves;
}

}  // namespace hotkeys
