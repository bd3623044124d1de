#include "text/number_words.h"

#include <array>

namespace text {
namespace {

// Every word carries its leading space; the result drops the first one.
constexpr std::array<const char16_t*, 10> kHundreds = {
    u"",         u" сто",      u" двести",  u" триста",    u" четыреста",
    u" пятьсот", u" шестьсот", u" семьсот", u" восемьсот", u" девятьсот"};
constexpr std::array<const char16_t*, 10> kTens = {u"",
                                                   u"",
                                                   u" двадцать",
                                                   u" тридцать",
                                                   u" сорок",
                                                   u" пятьдесят",
                                                   u" шестьдесят",
                                                   u" семьдесят",
                                                   u" восемьдесят",
                                                   u" девяносто"};
// 1 and 2 depend on the gender of what they count, so they are not here.
constexpr std::array<const char16_t*, 20> kUnitsAndTeens = {u"",
                                                            u"",
                                                            u"",
                                                            u" три",
                                                            u" четыре",
                                                            u" пять",
                                                            u" шесть",
                                                            u" семь",
                                                            u" восемь",
                                                            u" девять",
                                                            u" десять",
                                                            u" одиннадцать",
                                                            u" двенадцать",
                                                            u" тринадцать",
                                                            u" четырнадцать",
                                                            u" пятнадцать",
                                                            u" шестнадцать",
                                                            u" семнадцать",
                                                            u" восемнадцать",
                                                            u" девятнадцать"};
constexpr std::array<const char16_t*, 7> kScales = {
    u"", u" тысяч", u" миллион", u" миллиард", u" триллион", u" квадриллион", u" квинтиллион"};
constexpr int kMaxGroups = 7;
constexpr int kThousands = 1;

// The ending of the scale word after a group whose last digit is `unit` (not 10..19).
QString scaleEnding(int group, int unit) {
  if (group == 0) return QString();
  const bool one = unit == 1;
  const bool few = unit >= 2 && unit <= 4;
  if (group == kThousands) return one ? "а" : few ? "и" : "";
  return one ? "" : few ? "а" : "ов";
}

// The words of one group of three digits, with its scale word; nothing for 000.
QString groupToWords(int value, int group) {
  if (value == 0) return QString();
  QString words = QString::fromUtf16(kHundreds[value / 100]);
  const int tens = value % 100 / 10;
  const int unit = value % 10;
  if (tens == 1) {
    words += QString::fromUtf16(kUnitsAndTeens[value % 100]) + QString::fromUtf16(kScales[group]);
    return group > kThousands ? words + "ов" : words;
  }
  const bool feminine = group == kThousands;
  words += QString::fromUtf16(kTens[tens]);
  if (unit == 1)
    words += feminine ? " одна" : " один";
  else if (unit == 2)
    words += feminine ? " две" : " два";
  else
    words += QString::fromUtf16(kUnitsAndTeens[unit]);
  return words + QString::fromUtf16(kScales[group]) + scaleEnding(group, unit);
}

bool allDigits(const QString& s) {
  for (const QChar c : s)
    if (c < u'0' || c > u'9') return false;
  return true;
}

}  // namespace

QString NumberToWords(const QString& digits) {
  if (!allDigits(digits)) return digits;
  if (digits.isEmpty() || digits == "0") return QStringLiteral("ноль");
  const qsizetype groups = (digits.size() + 2) / 3;
  if (groups > kMaxGroups) return QStringLiteral("Value is too large");
  const QString padded = "00" + digits;
  QString words;
  for (qsizetype i = 1; i <= groups; ++i) {
    const int value = padded.mid(padded.size() - 3 * i, 3).toInt();
    words.prepend(groupToWords(value, int(i - 1)));
  }
  return words.isEmpty() ? words : words.mid(1);
}

}  // namespace text
