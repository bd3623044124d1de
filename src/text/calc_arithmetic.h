// Arithmetic on calculator values. The kind of a result follows from its operands the way
// variant arithmetic has it: integers stay integers until they overflow (then double), singles
// stay singles until they overflow (then double), anything with a double is double, and empty
// counts as the integer 0. A double that overflows, and every other arithmetic error, throws
// CalcFailure, which makes the whole evaluation empty.
#pragma once

#include <cstdint>

#include "text/calculator.h"

namespace text::calc {

struct CalcFailure {};

CalcValue Add(const CalcValue& a, const CalcValue& b);
CalcValue Subtract(const CalcValue& a, const CalcValue& b);
CalcValue Multiply(const CalcValue& a, const CalcValue& b);
// Single when neither operand is an integer or a double, else double. The caller has ruled out
// a zero divisor.
CalcValue Divide(const CalcValue& a, const CalcValue& b);
// Always a double.
CalcValue Power(const CalcValue& a, const CalcValue& b);
CalcValue Negate(const CalcValue& a);

bool IsZero(const CalcValue& a);
double ToDouble(const CalcValue& a);
// Rounded to single precision; empty becomes 0.
float ToSingle(const CalcValue& a);
// Rounded to a whole number, halves to the even neighbour.
std::int64_t ToWhole(const CalcValue& a);
// A double result, which must be a finite number.
CalcValue CheckedDouble(double value);

}  // namespace text::calc
