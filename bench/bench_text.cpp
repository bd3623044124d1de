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
  QByteArray text;
  text.reserve(bytes + 256);
  int lineLength = 0;
  for (quint32 i = 0; text.size() < bytes; ++i) {
    const QByteArray& word = encoded[(i * 7919u) % encoded.size()];
    text += word;
    lineLength += int(word.size());
    if (lineLength > 40 + int(i % 50)) {
      text += "\r\n";
      lineLength = 0;
    } else {
      text += ' ';
    }
  }
  return text;
}

}  // namespace bench
