// Keyword case: with the option on, a keyword of a scheme that ignores letter case is written
// the way its definition spells it as soon as the word is ended ("BEGIN " becomes "begin ").
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace shell {
class FrmMain;
}

namespace highlight {

class HighLighter;

// Spellings by their lower-case form; empty for a scheme that tells letter case apart.
QHash<QString, QString> KeywordSpellings(const QStringList& keywords, bool caseSensitive);

// The spelling the word before `column` of `line` should have, when it is a keyword written in
// another case; "" when nothing is to change. `start` receives where the word begins.
QString KeywordCorrection(const QString& line, int column, const QHash<QString, QString>& spellings,
                          int* start);

void InstallKeywordCase(shell::FrmMain& window, HighLighter& lighter);

}  // namespace highlight
