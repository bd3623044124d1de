// The calculator's rules, odd ones included, through what the command writes: the expression,
// "=" and the result with a comma as the decimal separator.
#include "text/calculator.h"

#include <gtest/gtest.h>

#include <QString>

#include "support/qt_print.h"

namespace text {
namespace {

struct Case {
  QString in;
  QString expect;  // the result as the command writes it, "" for empty
};

template <std::size_t N>
void expectResults(const Case (&cases)[N]) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in.toStdString());
    EXPECT_EQ(FormatCalcValue(EvaluateExpression(c.in), ","), c.expect);
  }
}

TEST(Calculator, PrecedenceAndGrouping) {
  const Case cases[] = {
      {"2+2", "4"},      {"10-2-3", "5"}, {"-3*2", "-6"},   {"7\\2", "3"},
      {"2*3^2", "36"},   {"2^3^2", "64"}, {"2+3^2", "11"},  {"2+3*4", "14"},
      {"(2+3)*4", "20"}, {"((2))", "2"},  {" 1 + 2 ", "3"}, {"--2", "2"},
      {"8/2/2", "2"},    {"7.5\\2", "4"}, {"6.5\\2", "3"},  {"-7\\2", "-3"},
  };
  expectResults(cases);
}

TEST(Calculator, OddRulesKept) {
  const Case cases[] = {
      {"2(3)", "1"},       // the number before "(" is empty; the group is re-evaluated
      {"2)3", "3"},        // text after a stray ")" is evaluated afresh
      {"5%", "1"},         // an unknown character is skipped, then the end counts as 1
      {"", "1"},           // the end alone
      {"2=3", "2"},        // an "=" of its own ends the input
      {"1.2.3+1", "2,2"},  // the leading number of a run of digits and points
      {".5*2", "1"},       //
      {"6/0*3", "3"},      // the empty term stops its expression; the rest starts afresh
      {"x", "1"},          // an unknown name is empty, then the end counts as 1
      {"x+2", "2"},        //
      {"x sin(2)", "2"},   // names run together: XSIN is unknown, "(2)" stands alone
  };
  expectResults(cases);
}

TEST(Calculator, PrecisionAndSeparator) {
  const Case cases[] = {
      {"(1/3)", "0,3333333"},
      {"1/3", "0,333333333333333"},
      {"1.5+1", "2,5"},
      {"sqr(3)", "9"},
      {"(2)+(0.1)", "2,1"},
      {"10^15", "1E+15"},
      {"10^14", "100000000000000"},
      {"(10^7)", "1E+07"},
      {"1/100000", "1E-05"},
      {"1/10000", "0,0001"},
      {"-1/8", "-0,125"},
      {"2^0.5", "1,4142135623731"},
      {"10^20*1.5", "1,5E+20"},
      {"0-0", "0"},
  };
  expectResults(cases);
}

TEST(Calculator, EmptyResults) {
  const Case cases[] = {
      {"5/0", ""},
      {"2+6/0", "2"},
      {"5\\0.4", ""},
      {"5/(1-1)", ""},
      {"ROOT(-4)", ""},
      {"ln(0)", ""},
      {"EXP(89)", ""},
      {"2+ln(-1)", ""},
      {"10^400", ""},
      {"10^400+1", ""},
      {"(10^39)", ""},
      {"(-8)^(1/3)", ""},
      {"0^-1", ""},
      {"arcsin(2)", ""},
      {"sqr(10^20)", ""},
      {"(1/3", ""},
      {QString(500, u'9'), ""},
      {QString(5000, u'(') + "1" + QString(5000, u')'), ""},  // nesting beyond reason
      {QString(5000, u'-') + "1", ""},
  };
  expectResults(cases);
}

TEST(Calculator, Functions) {
  const Case cases[] = {
      {"sqr(3)", "9"},
      {"ROOT(16)", "4"},
      {"sin(0)", "0"},
      {"Cos(0)", "1"},
      {"tan(0)", "0"},
      {"arctan(1)*4", "3,14159265358979"},
      {"exp(0)", "1"},
      {"ln(1)", "0"},
      {"EXP(88)", "1,651636254994E+38"},
      {"arcsin(1)", "1,5707963267949"},
      {"arcsin(-1)", "-1,5707963267949"},
      {"arccos(1)", "0"},
      {"arccos(-1)", "3,14159265358979"},
      {"arcsin(0.5)*6", "3,14159265358979"},
      {"arccos(0)", "1,5707963267949"},
      {"sqr(2)+1", "5"},
      {"2*sqr(3)", "18"},
      {"sqr(sqr(2))", "16"},
      // Groups inside an argument nest as usual.
      {"SIN((1+2)*0)", "0"},
      {"sqr((1+2)*2)", "36"},
      {"ROOT((3)*(12))+1", "7"},
      // A failed ROOT keeps its argument counted: a later group leaves its ")" and the text
      // after it is evaluated afresh.
      {"2+ROOT(-4)", "2"},
      {"ROOT(-4)+(2)*3+5", "5"},
  };
  expectResults(cases);
}

TEST(Calculator, CommandTextAndKinds) {
  EXPECT_EQ(AppendCalcResult("2+2", ","), "2+2=4");
  EXPECT_EQ(AppendCalcResult("5/0", ","), "5/0=");
  EXPECT_EQ(AppendCalcResult("", ","), "=1");
  EXPECT_EQ(AppendCalcResult("1.5+1", "."), "1.5+1=2.5");
  EXPECT_EQ(EvaluateExpression("7\\2"), CalcValue::makeInteger(3));
  EXPECT_EQ(EvaluateExpression("(1/3)"), CalcValue::makeSingle(1.0f / 3));
  EXPECT_EQ(EvaluateExpression("1/3"), CalcValue::makeDouble(1.0 / 3));
  EXPECT_EQ(EvaluateExpression("5/0"), CalcValue{});
}

}  // namespace
}  // namespace text
