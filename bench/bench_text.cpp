// Test documents for the benchmarks.
#include "bench_text.h"

#include <QStringList>

#include "platform/cp1251.h"

namespace bench {

QByteArray RussianText(platform::Encoding encoding, qsizetype bytes) {
  const QStringList words = {"съешь",       "же",     "ещё", "этих",   "мягких",
                             "французских", "булок,", "да",  "выпей",  "чаю.",
                             "Ёлка",        "№42",    "—",   "«шифр»", "Hello"};
  QList<QByteArray> encoded;
  for (const QString& w : words)
    encoded.append(encoding == platform::Encoding::Utf8 ? w.toUtf8() : cp1251::encode(w));
  return Prose(encoded, bytes);
}

}  // namespace bench
