// Counting the document (characters, words, paragraphs) and writing characters as their codes.
#pragma once

#include <QString>
#include <QStringList>

namespace text {

struct Statistics {
  qsizetype characters = 0;        // every character, line breaks included
  qsizetype nonSpaceCharacters = 0;  // without spaces (code 32); tabs and line breaks count
  qsizetype words = 0;             // runs of characters between spaces, tabs and line breaks
  qsizetype paragraphs = 0;        // lines
};

// `lineCount` is the editor's own count of lines, passed in so the window shows what the
// editor reports.
Statistics CountStatistics(const QString& text, qsizetype lineCount);

// The four lines the statistics window shows.
QStringList StatisticsLines(const Statistics& stats);

// The Windows-1251 code of every character, in decimal ("AB" → "65 66") or in upper-case
// hexadecimal without leading zeros ("AB" → "41 42"), separated by single spaces. A character
// without a code counts as "?" (63), the character it would be saved as.
QString DecimalCodes(const QString& text);
QString HexCodes(const QString& text);

}  // namespace text
