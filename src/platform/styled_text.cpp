#include "platform/styled_text.h"

#include <Qsci/qsciscintilla.h>

namespace platform {

std::vector<char> StyledText(const QsciScintilla& view, long from, long to) {
  if (to <= from) return {};
  // What SCI_GETSTYLEDTEXT fills, two zero bytes after the pairs included.
  struct {
    long cpMin;
    long cpMax;
    char* text;
  } range{from, to, nullptr};
  std::vector<char> pairs(std::size_t(2 * (to - from) + 2));
  range.text = pairs.data();
  view.SendScintilla(QsciScintillaBase::SCI_GETSTYLEDTEXT, 0UL, static_cast<void*>(&range));
  pairs.resize(pairs.size() - 2);
  return pairs;
}

}  // namespace platform
