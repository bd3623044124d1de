#include "text/calc_arithmetic.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace text::calc {
namespace {

using Kind = CalcValue::Kind;

enum class Op { Add, Subtract, Multiply };

// Empty takes part as the integer 0.
Kind widest(Kind a, Kind b) {
  if (a == Kind::Double || b == Kind::Double) return Kind::Double;
  if (a == Kind::Single || b == Kind::Single) return Kind::Single;
  return Kind::Integer;
}

double apply(Op op, double a, double b) {
  switch (op) {
    case Op::Add:
      return a + b;
    case Op::Subtract:
      return a - b;
    case Op::Multiply:
      return a * b;
  }
  return 0;
}

// False when the exact result does not fit.
bool apply(Op op, std::int64_t a, std::int64_t b, std::int64_t& result) {
  switch (op) {
    case Op::Add:
      return !__builtin_add_overflow(a, b, &result);
    case Op::Subtract:
      return !__builtin_sub_overflow(a, b, &result);
    case Op::Multiply:
      return !__builtin_mul_overflow(a, b, &result);
  }
  return false;
}

// An integer or single result that outgrows its kind widens to double.
CalcValue arithmetic(Op op, const CalcValue& a, const CalcValue& b) {
  const Kind kind = widest(a.kind, b.kind);
  if (kind == Kind::Integer) {
    std::int64_t result = 0;
    if (apply(op, ToWhole(a), ToWhole(b), result)) return CalcValue::makeInteger(result);
  }
  const double result = apply(op, ToDouble(a), ToDouble(b));
  if (kind == Kind::Single && std::fabs(result) <= FLT_MAX)
    return CalcValue::makeSingle(static_cast<float>(result));
  return CheckedDouble(result);
}

}  // namespace

double ToDouble(const CalcValue& a) {
  switch (a.kind) {
    case Kind::Empty:
      return 0;
    case Kind::Integer:
      return static_cast<double>(a.integer);
    case Kind::Single:
    case Kind::Double:
      return a.real;
  }
  return 0;
}

bool IsZero(const CalcValue& a) { return ToDouble(a) == 0; }

float ToSingle(const CalcValue& a) {
  const float single = static_cast<float>(ToDouble(a));
  if (std::isinf(single)) throw CalcFailure{};
  return single;
}

std::int64_t ToWhole(const CalcValue& a) {
  if (a.kind == Kind::Integer) return a.integer;
  const double whole = std::nearbyint(ToDouble(a));
  // 2^63 is the first double beyond the range of a 64-bit integer.
  if (!(std::fabs(whole) < 9223372036854775808.0)) throw CalcFailure{};
  return static_cast<std::int64_t>(whole);
}

CalcValue CheckedDouble(double value) {
  if (!std::isfinite(value)) throw CalcFailure{};
  return CalcValue::makeDouble(value);
}

CalcValue Add(const CalcValue& a, const CalcValue& b) { return arithmetic(Op::Add, a, b); }

CalcValue Subtract(const CalcValue& a, const CalcValue& b) {
  return arithmetic(Op::Subtract, a, b);
}

CalcValue Multiply(const CalcValue& a, const CalcValue& b) {
  return arithmetic(Op::Multiply, a, b);
}

CalcValue Divide(const CalcValue& a, const CalcValue& b) {
  const double result = ToDouble(a) / ToDouble(b);
  const bool single =
      widest(a.kind, b.kind) == Kind::Single && a.kind != Kind::Integer && b.kind != Kind::Integer;
  if (single && std::fabs(result) <= FLT_MAX)
    return CalcValue::makeSingle(static_cast<float>(result));
  return CheckedDouble(result);
}

CalcValue Power(const CalcValue& a, const CalcValue& b) {
  return CheckedDouble(std::pow(ToDouble(a), ToDouble(b)));
}

CalcValue Negate(const CalcValue& a) {
  switch (a.kind) {
    case Kind::Empty:
      return CalcValue::makeInteger(0);
    case Kind::Integer:
      if (a.integer == std::numeric_limits<std::int64_t>::min())
        return CalcValue::makeDouble(-static_cast<double>(a.integer));
      return CalcValue::makeInteger(-a.integer);
    case Kind::Single:
      return CalcValue::makeSingle(static_cast<float>(-a.real));
    case Kind::Double:
      return CalcValue::makeDouble(-a.real);
  }
  return a;
}

}  // namespace text::calc
