// Multiple replacement, the pure part: the replacement list of "search=replacement"
// lines and applying its pairs to a text, one after the other, each on the result of the ones
// before.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace navigation {

struct ReplacementPair {
  QString what;  // the search text; may hold "="
  QString with;  // the replacement; never holds "="
  bool operator==(const ReplacementPair&) const = default;
};

// The lines of a list text, split at CR LF or LF (a lone CR stays in its line). A text that
// ends with a line end has an empty last line: "a=b\r\n" is {"a=b", ""}; "" is {""}.
QStringList ReplacementListLines(const QString& list);

// The pair of one line, split at its last "=": "x=1=2" is {"x=1", "2"}. nullopt for a line
// without "=" (an empty line included).
std::optional<ReplacementPair> ParseReplacementLine(const QString& line);

// The pairs of every line that holds one, in line order.
std::vector<ReplacementPair> ParseReplacementList(const QString& list);

// Applies the pairs in order to UTF-8 text. Each pair replaces every occurrence of its search
// text, scanning from the start, non-overlapping, left to right, in the result of the pairs
// before it (so "a=b" then "b=c" turns every "a" into "c"). The comparison is exact with
// `matchCase`; else letters of every alphabet match in any case ("Ё" finds "ё"), as
// platform::CaseBlindFinder compares them. A pair with an empty search text changes nothing.
// `replacements`, when given, receives how many occurrences were replaced in all.
// Each pair costs one scan of the text and, only when it found something, one copy of it.
QByteArray ApplyReplacements(QByteArrayView utf8, const std::vector<ReplacementPair>& pairs,
                             bool matchCase, qsizetype* replacements = nullptr);

// The same for a QString text and a list text.
QString ApplyReplacementList(const QString& text, const QString& list, bool matchCase);

}  // namespace navigation
