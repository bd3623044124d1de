// Controls made with their names: every captioned control carries one, since language files,
// hot keys and tests find controls by it.
#pragma once

#include <QLabel>
#include <QString>

namespace platform {

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

}  // namespace platform
