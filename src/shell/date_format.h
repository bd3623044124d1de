// Dates and times written with the classic format codes: "hh" hours, "mm" after an hour code
// minutes and elsewhere the month, "dd" day, "mmm" month name, "yyyy" year, "ddd" weekday name,
// "ss" seconds; every other character is copied. Names are Russian.
#pragma once

#include <QDateTime>
#include <QString>

namespace shell {

// Codes: d dd ddd dddd, m mm mmm mmmm, yy yyyy, h hh, n nn (minutes), s ss; "m"/"mm" right after
// an hour code (spaces and separators between them allowed) mean minutes. Example: the default
// "hh:mm dd mmm yyyy  ddd" gives "09:05 07 дек 2026  пн".
QString FormatDateTime(const QDateTime& when, const QString& format);

}  // namespace shell
