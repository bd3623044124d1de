// Objects found by their names: every captioned control carries one (language files and tests
// find controls by it), and a feature's object in the main window is its one child so named.
#pragma once

#include <QLabel>
#include <QObject>

namespace navigation {

// The object, named; for building a window's controls in one expression.
template <typename T>
T* Named(T* object, const char* name) {
  object->setObjectName(QString::fromUtf8(name));
  return object;
}

// A field and its caption, for windows laid out in rows of them.
struct CaptionedField {
  const char* label;  // the caption's name
  const char* caption;
  QWidget* field;
};

// A named caption whose access letter focuses `buddy`.
inline QLabel* BuddyLabel(const CaptionedField& row, QWidget* parent) {
  auto* label = Named(new QLabel(QString::fromUtf8(row.caption), parent), row.label);
  label->setBuddy(row.field);
  return label;
}

// The child of `owner` named `name`, made on first use by T's constructor taking the owner.
template <typename T, typename Owner>
T& OwnedChild(Owner& owner, const char* name) {
  auto* child = owner.template findChild<T*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
  return child ? *child : *new T(owner);
}

}  // namespace navigation
