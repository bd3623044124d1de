// The expression calculator on any selected text.
#include "fuzz_target.h"
#include "text/calculator.h"

OSTREL_FUZZ_TARGET(calculator) {
  const QString text = QString::fromUtf8(data);
  const text::CalcValue value = text::EvaluateExpression(text);
  (void)text::FormatCalcValue(value, QStringLiteral(","));
  (void)text::AppendCalcResult(text, QStringLiteral("."));
}
