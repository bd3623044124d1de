// The colour scheme of "Colors.ini": for every item a text colour, a background and a font
// style, with the program's defaults for whatever the file lacks.
#pragma once

#include <QColor>
#include <QString>
#include <array>

#include "highlight/colour_items.h"
#include "platform/edit_control.h"

class QsciLexer;

namespace highlight {

struct ItemLook {
  QColor fore;
  QColor back;
  int fontStyle = 0;  // 0 normal, 1 bold, 2 italic, 3 bold and italic, 4 underlined
  bool operator==(const ItemLook&) const = default;
};

struct ColourScheme {
  std::array<ItemLook, kColourItemCount> items;
  const ItemLook& operator[](ColourItem item) const { return items[int(item)]; }
  // What the editing control paints itself: plain text, the window, margins, the caret line.
  platform::ViewColours viewColours() const;
};

// The key of an item of the colour list (0..15 in the list's order); "" outside it.
QString ColorItemName(int index);
// The caption the settings list shows for it.
QString ColorItemCaption(int index);

// The parts of an item the editor paints: a text colour, a background, a font style. "Current
// line" is only a background, "Gutter" only a colour; "Breakpoint" and "Group4" have none, so
// nothing offers to change them. All false outside the list.
struct ItemParts {
  bool fore = false;
  bool back = false;
  bool fontStyle = false;
};
ItemParts ColorItemParts(int index);

// Colours are the system's colour numbers (red in the low byte); a value that is not a number,
// or lies outside the colours, reads as 0, and a font style outside 0..4 as normal. A background
// the file leaves to the window takes the window's colour, the "Background" item.
ColourScheme ReadColourScheme(const QString& iniPath);

// The system's colour number as a colour, and back.
QColor ColourOfNumber(long long number);
long long NumberOfColour(const QColor& colour);

}  // namespace highlight
