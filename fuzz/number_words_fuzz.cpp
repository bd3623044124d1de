// Numbers in words on any selected text.
#include "fuzz_target.h"
#include "text/number_words.h"

OSTREL_FUZZ_TARGET(number_words) { (void)text::NumberToWords(QString::fromUtf8(data)); }
