#include "text/calculator.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "text/calc_arithmetic.h"

namespace text {
namespace {

using calc::CalcFailure;

enum class Token {
  Multiply,
  Divide,
  IntDivide,
  Add,
  Subtract,
  Power,
  End,
  Open,
  Close,
  Number,
  Name
};

// Deeper nesting than this (groups, signs, functions) is not an expression anyone writes; it
// gives an empty result instead of exhausting the stack.
constexpr int kMaxDepth = 1000;

bool isDigitOrPoint(QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; }
bool isLatinLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The leading decimal number of a run of digits and points: "1.2.3" reads as 1.2, "." as 0.
double leadingNumber(QStringView run) {
  const std::string latin = run.toLatin1().toStdString();
  double value = 0;
  const std::errc error =
      std::from_chars(latin.data(), latin.data() + latin.size(), value, std::chars_format::fixed)
          .ec;
  if (error == std::errc::result_out_of_range) throw CalcFailure{};
  return error == std::errc() ? value : 0;
}

class Parser {
 public:
  explicit Parser(const QString& text) : m_input(text + u'=') {}

  // Each pass replaces the result, so text after a stray token is evaluated afresh.
  CalcValue evaluate() {
    CalcValue result;
    try {
      do {
        nextToken();
        result = expression();
      } while (m_token != Token::End);
    } catch (const CalcFailure&) {
      return CalcValue{};
    }
    return result;
  }

 private:
  void nextToken();
  QStringView readRun(bool (*belongs)(QChar));
  CalcValue expression();
  CalcValue term();
  CalcValue factor();
  CalcValue group();
  CalcValue function();
  CalcValue apply(const QString& name, float x);

  QString m_input;
  qsizetype m_position = 0;
  Token m_token = Token::Number;
  double m_number = 0;
  QString m_name;     // names accumulate until a function is recognised
  int m_nesting = 0;  // function arguments being read at the current group level
  int m_depth = 0;
};

void Parser::nextToken() {
  const qsizetype size = m_input.size();
  if (m_position >= size) return;
  QChar c = m_input[m_position++];
  while (c == u' ' && m_position < size) c = m_input[m_position++];
  switch (c.unicode()) {
    case u'*':
      m_token = Token::Multiply;
      return;
    case u'/':
      m_token = Token::Divide;
      return;
    case u'\\':
      m_token = Token::IntDivide;
      return;
    case u'+':
      m_token = Token::Add;
      return;
    case u'-':
      m_token = Token::Subtract;
      return;
    case u'^':
      m_token = Token::Power;
      return;
    case u'=':
      m_token = Token::End;
      return;
    case u'(':
      m_token = Token::Open;
      return;
    case u')':
      m_token = Token::Close;
      return;
    default:
      break;
  }
  if (isDigitOrPoint(c)) {
    m_number = leadingNumber(readRun(isDigitOrPoint));
    m_token = Token::Number;
  } else if (isLatinLetter(c)) {
    m_name += readRun(isLatinLetter).toString().toUpper();
    m_token = Token::Name;
  }
  // Any other character is skipped and the token stays what it was.
}

// The run of characters that starts at the one just read.
QStringView Parser::readRun(bool (*belongs)(QChar)) {
  const qsizetype start = m_position - 1;
  while (m_position < m_input.size() && belongs(m_input[m_position])) ++m_position;
  return QStringView(m_input).sliced(start, m_position - start);
}

CalcValue Parser::expression() {
  CalcValue v = term();
  while (m_token == Token::Add || m_token == Token::Subtract) {
    const bool add = m_token == Token::Add;
    nextToken();
    const CalcValue t = term();
    v = add ? calc::Add(v, t) : calc::Subtract(v, t);
  }
  return v;
}

CalcValue Parser::term() {
  CalcValue v = factor();
  for (;;) {
    switch (m_token) {
      case Token::Multiply:
        nextToken();
        v = calc::Multiply(v, factor());
        break;
      case Token::Divide: {
        nextToken();
        const CalcValue d = factor();
        if (calc::IsZero(d)) return CalcValue{};
        v = calc::Divide(v, d);
        break;
      }
      case Token::IntDivide: {
        nextToken();
        const std::int64_t d = calc::ToWhole(factor());
        const std::int64_t n = calc::ToWhole(v);
        if (d == 0) return CalcValue{};
        if (d == -1 && n == std::numeric_limits<std::int64_t>::min()) throw CalcFailure{};
        v = CalcValue::makeInteger(n / d);
        break;
      }
      case Token::Power:
        nextToken();
        v = calc::Power(v, factor());
        break;
      default:
        return v;
    }
  }
}

CalcValue Parser::factor() {
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(d) {
      if (++depth > kMaxDepth) throw CalcFailure{};
    }
    ~Depth() { --depth; }
  } depth(m_depth);
  switch (m_token) {
    case Token::Number:
      nextToken();
      if (m_token == Token::Open || m_token == Token::Name) return CalcValue{};
      return CalcValue::makeDouble(m_number);
    case Token::Subtract:
      nextToken();
      return calc::Negate(factor());
    case Token::Open:
      return group();
    case Token::Name:
      return function();
    case Token::End:
      return CalcValue::makeInteger(1);
    default:
      return CalcValue{};
  }
}

// A group that is a function's argument leaves its ")" for the function to take. Groups
// inside it start afresh, so they nest as usual.
CalcValue Parser::group() {
  const int outerNesting = m_nesting;
  const bool isArgument = outerNesting > 0;
  m_nesting = 0;
  nextToken();
  const float x = calc::ToSingle(expression());
  m_nesting = outerNesting;
  if (m_token != Token::Close) return CalcValue{};
  if (!isArgument) nextToken();
  return CalcValue::makeSingle(x);
}

CalcValue Parser::function() {
  static const QStringList kNames = {"SQR",    "ROOT",   "SIN",    "COS", "TAN",
                                     "ARCSIN", "ARCCOS", "ARCTAN", "EXP", "LN"};
  if (!kNames.contains(m_name)) return CalcValue{};
  const QString name = m_name;
  m_name.clear();
  ++m_nesting;
  nextToken();
  const float x = calc::ToSingle(expression());
  // EXP beyond 88 and LN of a number not above 0 are errors, and make the result empty.
  if ((name == "EXP" && x > 88) || (name == "LN" && x <= 0)) throw CalcFailure{};
  nextToken();
  // ROOT of a negative number is empty itself and leaves its argument counted, so that a
  // later group leaves its ")" behind.
  if (name == "ROOT" && x < 0) return CalcValue{};
  const CalcValue result = apply(name, x);
  --m_nesting;
  return result;
}

CalcValue Parser::apply(const QString& name, float x) {
  const double d = x;
  constexpr double kHalfPi = std::numbers::pi / 2;
  if (name == "SQR") {
    const float square = x * x;
    if (std::isinf(square)) throw CalcFailure{};
    return CalcValue::makeSingle(square);
  }
  if (name == "ROOT") return calc::CheckedDouble(std::sqrt(d));
  if (name == "SIN") return calc::CheckedDouble(std::sin(d));
  if (name == "COS") return calc::CheckedDouble(std::cos(d));
  if (name == "TAN") return calc::CheckedDouble(std::tan(d));
  if (name == "ARCTAN") return calc::CheckedDouble(std::atan(d));
  if (name == "EXP") return calc::CheckedDouble(std::exp(d));
  if (name == "LN") return calc::CheckedDouble(std::log(d));
  // ARCSIN and ARCCOS by the arctangent; at ±1, where it divides by zero, their exact values.
  const double square = d * d;
  if (square > 1) throw CalcFailure{};
  const double arcsin =
      square == 1 ? std::copysign(kHalfPi, d) : std::atan(d / std::sqrt(1 - square));
  if (name == "ARCSIN") return calc::CheckedDouble(arcsin);
  return calc::CheckedDouble(square == 1 ? kHalfPi - arcsin
                                         : std::atan(-d / std::sqrt(1 - square)) + kHalfPi);
}

// A real number with at most `digits` significant digits and no trailing zeros; scientific
// notation ("1E+15", "1,5E-05") from `digits` integer digits on and below 0.0001.
QString formatReal(double value, int digits, const QString& separator) {
  if (value == 0) return QStringLiteral("0");
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::scientific, digits - 1);
  // "-d.ddde+XX": the sign, the significant digits and the exponent.
  const std::string scientific(buffer, written.ptr);
  const bool negative = scientific.front() == '-';
  const std::size_t ePos = scientific.find('e');
  std::string significant;
  for (std::size_t i = negative ? 1 : 0; i < ePos; ++i)
    if (scientific[i] != '.') significant += scientific[i];
  while (significant.size() > 1 && significant.back() == '0') significant.pop_back();
  const int exponent = std::stoi(scientific.substr(ePos + 1));

  QString result = negative ? QStringLiteral("-") : QString();
  const QString all = QString::fromLatin1(significant);
  const auto fraction = [&](qsizetype from) {
    return from < all.size() ? separator + all.mid(from) : QString();
  };
  if (exponent >= digits || exponent < -4) {
    result += all.left(1) + fraction(1) + (exponent < 0 ? "E-" : "E+");
    result += QString::number(std::abs(exponent)).rightJustified(2, u'0');
  } else if (exponent >= 0) {
    result += all.left(exponent + 1).leftJustified(exponent + 1, u'0') + fraction(exponent + 1);
  } else {
    result += "0" + separator + QString(-exponent - 1, u'0') + all;
  }
  return result;
}

}  // namespace

QString FormatCalcValue(const CalcValue& value, const QString& decimalSeparator) {
  switch (value.kind) {
    case CalcValue::Kind::Empty:
      return QString();
    case CalcValue::Kind::Integer:
      return QString::number(value.integer);
    case CalcValue::Kind::Single:
      return formatReal(value.real, 7, decimalSeparator);
    case CalcValue::Kind::Double:
      return formatReal(value.real, 15, decimalSeparator);
  }
  return QString();
}

QString AppendCalcResult(const QString& expression, const QString& decimalSeparator) {
  return expression + u'=' + FormatCalcValue(EvaluateExpression(expression), decimalSeparator);
}

CalcValue EvaluateExpression(const QString& text) { return Parser(text).evaluate(); }

}  // namespace text
