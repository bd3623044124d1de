#include "shell/date_format.h"

#include <QLocale>

namespace shell {
namespace {

QString twoDigits(int n) { return QString::number(n).rightJustified(2, '0'); }

// Short names without the trailing point some locales add ("дек." → "дек").
QString shortName(QString name) {
  if (name.endsWith('.')) name.chop(1);
  return name;
}

QString dayCode(const QDate& d, qsizetype run) {
  static const QLocale ru(QLocale::Russian, QLocale::Russia);
  if (run == 1) return QString::number(d.day());
  if (run == 2) return twoDigits(d.day());
  if (run == 3) return shortName(ru.dayName(d.dayOfWeek(), QLocale::ShortFormat));
  return ru.dayName(d.dayOfWeek(), QLocale::LongFormat);
}

QString monthCode(const QDate& d, qsizetype run) {
  static const QLocale ru(QLocale::Russian, QLocale::Russia);
  if (run == 1) return QString::number(d.month());
  if (run == 2) return twoDigits(d.month());
  if (run == 3) return shortName(ru.standaloneMonthName(d.month(), QLocale::ShortFormat));
  return ru.monthName(d.month(), QLocale::LongFormat);
}

QString code(const QDateTime& when, QChar letter, qsizetype run, bool afterHour) {
  const QDate d = when.date();
  const QTime t = when.time();
  switch (letter.toLower().unicode()) {
    case 'd': return dayCode(d, run);
    case 'm':
      if (afterHour && run <= 2) return run == 1 ? QString::number(t.minute()) : twoDigits(t.minute());
      return monthCode(d, run);
    case 'y': return run <= 2 ? twoDigits(d.year() % 100) : QString::number(d.year());
    case 'h': return run == 1 ? QString::number(t.hour()) : twoDigits(t.hour());
    case 'n': return run == 1 ? QString::number(t.minute()) : twoDigits(t.minute());
    case 's': return run == 1 ? QString::number(t.second()) : twoDigits(t.second());
    default: return QString(run, letter);
  }
}

bool isCode(QChar c) { return QStringLiteral("dmyhnsDMYHNS").contains(c); }

}  // namespace

QString FormatDateTime(const QDateTime& when, const QString& format) {
  QString out;
  bool afterHour = false;
  for (qsizetype i = 0; i < format.size();) {
    const QChar c = format[i];
    if (!isCode(c)) {
      out += c;
      ++i;
      continue;
    }
    qsizetype run = 1;
    while (i + run < format.size() && format[i + run].toLower() == c.toLower()) ++run;
    out += code(when, c, std::min<qsizetype>(run, 4), afterHour);
    afterHour = c.toLower() == 'h';
    i += run;
  }
  return out;
}

}  // namespace shell
