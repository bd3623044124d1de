// "Program.log": one entry per run of an external program over the text, a start line and an
// end line, each stamped "mm dd yy, hh:mm:ss", with an empty line after each run.
#pragma once

#include <QDateTime>
#include <QString>

namespace automation {

// "07 25 24, 09:05:03 - Обработка выделенного блока программой Сортировка\r\n"
QString ProgramLogStart(const QDateTime& when, const QString& caption);
// "... - Обработка закончена. Текст изменен.\r\n\r\n" or "... Текст не изменен.\r\n\r\n"
QString ProgramLogEnd(const QDateTime& when, bool changed);

// Appends lines to the log, creating it when missing. The log keeps one encoding: Windows-1251
// while every character fits, else UTF-8; a Windows-1251 log that must take a character it
// cannot hold is turned into UTF-8 first, so no line becomes unreadable. Failures are ignored:
// a log that cannot be written must never stop the work it records.
void AppendProgramLog(const QString& path, const QString& lines);

}  // namespace automation
