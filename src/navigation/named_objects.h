// Objects found by their names: a feature's object in the main window is its one child so
// named; the controls' own naming helpers are the platform's.
#pragma once

#include <QObject>

#include "platform/named_controls.h"

namespace navigation {

using platform::BuddyLabel;
using platform::CaptionedField;
using platform::Named;

// The child of `owner` named `name`, made on first use by T's constructor taking the owner.
template <typename T, typename Owner>
T& OwnedChild(Owner& owner, const char* name) {
  auto* child = owner.template findChild<T*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
  return child ? *child : *new T(owner);
}

}  // namespace navigation
