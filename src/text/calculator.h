// The expression calculator: reads a line such as "2+3*4" and gives its value. It is a small
// recursive-descent parser over a one-token look-ahead scanner with its own rules, kept as
// users know them:
//   - power binds like multiplication and groups left to right: "2*3^2" is 36, "2^3^2" is 64;
//   - a parenthesised group is rounded to single precision: "(1/3)" is 0.3333333;
//   - a number followed by "(" or a name is empty, and whatever follows a stray token is
//     evaluated afresh: "2(3)" is 1, "2)3" is 3;
//   - characters it does not know are skipped and end of input counts as 1: "5%" is 1, "" is 1;
//   - division by zero makes its term empty: "5/0" is empty, "2+6/0" is 2;
//   - functions SQR, ROOT, SIN, COS, TAN, ARCSIN, ARCCOS, ARCTAN, EXP, LN, any letter case.
// Numbers are written with a point. Overflow and every other arithmetic error make the whole
// result empty; groups inside a function's argument nest as usual.
#pragma once

#include <QString>
#include <cstdint>

namespace text {

// A value of the calculator; the kind decides how it is written.
struct CalcValue {
  enum class Kind { Empty, Integer, Single, Double };
  Kind kind = Kind::Empty;
  std::int64_t integer = 0;  // for Integer
  double real = 0;           // for Single (a float's value) and Double

  static CalcValue makeInteger(std::int64_t value) { return {Kind::Integer, value, 0}; }
  static CalcValue makeSingle(float value) { return {Kind::Single, 0, value}; }
  static CalcValue makeDouble(double value) { return {Kind::Double, 0, value}; }
  bool operator==(const CalcValue&) const = default;
};

// Evaluates the text followed by "=" (the end mark; text after an "=" of its own is ignored).
CalcValue EvaluateExpression(const QString& text);

// The value as text: nothing for empty, integers plainly, singles with up to 7 and doubles
// with up to 15 significant digits (1E+15, 1.5E-05 beyond that range), with the given decimal
// separator.
QString FormatCalcValue(const CalcValue& value, const QString& decimalSeparator);

// What the calculator command puts in place of an expression: "2+2" becomes "2+2=4".
QString AppendCalcResult(const QString& expression, const QString& decimalSeparator);

}  // namespace text
