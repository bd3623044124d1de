// Where the items of a rebuilt menu went: a hot key is bound to an item, and the menus keep no
// identity of their items but their captions, so the old and the new captions are compared.
#pragma once

#include <QList>
#include <QStringList>

namespace hotkeys {

// For each item of `before`, its index in `after`, or -1 when it is gone. The first `fixed`
// items belong to the menu itself and stay where they are. Of the items made at run time, the
// unchanged start and end of the list keep their items; in between, an item is found by its
// caption (the k-th "x" before is the k-th "x" after), and when the changed stretch kept its
// length, an item whose caption changed in place ([a, x, c] → [a, y, c]) is taken as renamed.
// So a removed item is gone, and the items after it follow themselves rather than their
// positions.
QList<int> FollowItems(const QStringList& before, const QStringList& after, int fixed = 0);

}  // namespace hotkeys
