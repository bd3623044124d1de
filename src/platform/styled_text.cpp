#include "platform/styled_text.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

#include "platform/display_breaks.h"

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

std::vector<char> StylesWithoutBreaks(const QsciScintilla& view, long from, long to,
                                      const DisplayBreaks& breaks) {
  const std::vector<char> pairs = StyledText(view, from, to);
  std::vector<char> styles;
  styles.reserve(pairs.size() / 2);
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
