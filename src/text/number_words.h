// A string of decimal digits written out in Russian words, as on cheques and invoices:
// "1001" becomes "одна тысяча один", "2000000" becomes "два миллиона". The digits are read
// three at a time, so every number of up to 21 digits is spelled exactly; thousands are
// feminine ("одна тысяча", "две тысячи") and the scale words take their three plural forms.
#pragma once

#include <QString>

namespace text {

// "" and "0" give "ноль"; leading zeros vanish ("007" is "семь", "00" gives ""); more than 21
// digits give "Value is too large". Text that is not made only of the digits 0..9 (signs,
// spaces, letters, separators) is returned as it is.
QString NumberToWords(const QString& digits);

}  // namespace text
