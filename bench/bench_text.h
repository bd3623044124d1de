// Test documents for the benchmarks: Russian prose with punctuation, digits, "Ё" and CR LF line
// ends in lines of varying length.
#pragma once

#include <QByteArray>
#include <QList>

#include "platform/text_file.h"

namespace bench {

inline constexpr qsizetype kDocumentBytes = 100 * 1000 * 1000;

// The words, in a scrambled order, joined by spaces into lines of 41 to 90 units with CR LF
// line ends, until the text holds `size` units. With `blankEvery`, a line that ends on a word
// whose number divides by it is followed by an empty line.
template <typename Text>
Text Prose(const QList<Text>& words, qsizetype size, unsigned blankEvery = 0) {
  Text text;
  text.reserve(size + 256);
  int lineLength = 0;
  for (quint32 i = 0; text.size() < size; ++i) {
    const Text& word = words[(i * 7919u) % words.size()];
    text += word;
    lineLength += int(word.size());
    if (lineLength > 40 + int(i % 50)) {
      text += blankEvery && i % blankEvery == 0 ? "\r\n\r\n" : "\r\n";
      lineLength = 0;
    } else {
      text += ' ';
    }
  }
  return text;
}

// About `bytes` bytes of text in the given encoding.
QByteArray RussianText(platform::Encoding encoding, qsizetype bytes);

}  // namespace bench
