// Test documents for the benchmarks: Russian prose with punctuation, digits, "Ё" and CR LF line
// ends in lines of varying length.
#pragma once

#include <QByteArray>

#include "platform/text_file.h"

namespace bench {

inline constexpr qsizetype kDocumentBytes = 100 * 1000 * 1000;

// About `bytes` bytes of text in the given encoding.
QByteArray RussianText(platform::Encoding encoding, qsizetype bytes);

}  // namespace bench
