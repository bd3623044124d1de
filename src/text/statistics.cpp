#include "text/statistics.h"

#include "platform/cp1251.h"

namespace text {
namespace {

bool isWordBreak(QChar c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

QString codes(const QString& text, int base) {
  QString out;
  out.reserve(text.size() * 4);
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (i) out += ' ';
    const int code = cp1251::code(text[i]);
    out += QString::number(code < 0 ? int('?') : code, base).toUpper();
  }
  return out;
}

}  // namespace

Statistics CountStatistics(const QString& text, qsizetype lineCount) {
  Statistics s;
  s.characters = text.size();
  s.nonSpaceCharacters = text.size() - text.count(' ');
  bool inWord = false;
  for (const QChar c : text) {
    const bool brk = isWordBreak(c);
    if (!brk && !inWord) ++s.words;
    inWord = !brk;
  }
  s.paragraphs = lineCount;
  return s;
}

QStringList StatisticsLines(const Statistics& stats) {
  return {QStringLiteral("Символов (с пробелами): ") + QString::number(stats.characters),
          QStringLiteral("Символов (без пробелов): ") + QString::number(stats.nonSpaceCharacters),
          QStringLiteral("Слов: ") + QString::number(stats.words),
          QStringLiteral("Абзацев: ") + QString::number(stats.paragraphs)};
}

QString DecimalCodes(const QString& text) { return codes(text, 10); }
QString HexCodes(const QString& text) { return codes(text, 16); }

}  // namespace text
