#include "platform/styled_text.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

#include "platform/display_breaks.h"

namespace platform {

std::vector<char> StyledText(const QsciScintilla& view, long from, long to) {
  if (to <= from) return {};
  // What SCI_GETSTYLEDTEXT fills; it ends the pairs with two zero bytes, which stay.
  struct {
    long cpMin;
    long cpMax;
    char* text;
  } range{from, to, nullptr};
  std::vector<char> pairs(std::size_t(2 * (to - from) + 2));
  range.text = pairs.data();
  view.SendScintilla(QsciScintillaBase::SCI_GETSTYLEDTEXT, 0UL, static_cast<void*>(&range));
  return pairs;
}

std::vector<char> StylesWithoutBreaks(const QsciScintilla& view, long from, long to,
                                      const DisplayBreaks& breaks) {
  if (to <= from) return {};
  const std::vector<char> pairs = StyledText(view, from, to);
  std::vector<char> styles;
  styles.reserve(std::size_t(to - from));
  const std::vector<long>& at = breaks.positions();
  auto nextBreak = std::lower_bound(at.begin(), at.end(), from);
  for (long p = from; p < to; ++p) {
    if (nextBreak != at.end() && *nextBreak == p)
      ++nextBreak;
    else
      styles.push_back(pairs[std::size_t(2 * (p - from) + 1)]);
  }
  return styles;
}

}  // namespace platform
