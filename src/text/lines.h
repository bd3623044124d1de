// Line and character transformations of the Text and Edit menus, on plain strings: templates
// around lines, numbering, cutting and padding line ends, removing line breaks, spaces and spans.
// Lines are separated by CR LF; a text that ends with CR LF has a last, empty line.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace text {

// The longest text the padding and template operations produce; a result that would be longer
// leaves the target unchanged instead of exhausting memory (a template like "999999999$text$").
inline constexpr qsizetype kMaxResultLength = qsizetype(1) << 28;

// The parts of a template around its marker "$text$": the prefix is the text before the first
// marker, the suffix the text after the last one. nullopt when the marker is missing.
struct TemplateParts {
  QString prefix;
  QString suffix;
};
std::optional<TemplateParts> SplitTemplate(const QString& templateText);

// The leading decimal number of a text, rounded to a whole number: leading blanks skipped, an
// optional sign, digits and an optional fraction ("3.6abc" gives 4, " -2" gives -2, "x1" gives
// 0). Saturates at ±1e9.
int LeadingNumber(const QString& text);

// Splits at every CR LF; "" gives one empty line, "a\r\n" gives "a" and "".
QStringList SplitLines(const QString& text);

// Each line as prefix + line + suffix.
QString AddTemplate(const QString& target, const QString& prefix, const QString& suffix);
// Line k (from 1) as "k. " + line; numbers are not aligned.
QString NumberLines(const QString& target);
// Drops the last `right` characters of each line, then the first `left` of what remains; a line
// shorter than that becomes empty. Negative counts cut nothing.
QString CutLineEnds(const QString& target, int left, int right);
// Drops the lines of length zero; a line of spaces stays.
QString RemoveEmptyLines(const QString& text);
// Deletes every CR LF pair. A target without CR, or one that would become empty, comes back
// unchanged; a CR not followed by LF stays.
QString JoinLines(const QString& target);
// Deletes every space (code 32); tabs stay. A target without spaces, or made of spaces alone,
// comes back unchanged.
QString RemoveAllSpaces(const QString& target);
// Drops leading and trailing spaces and turns every run of spaces into one; line breaks are not
// separators. A target of spaces alone becomes "". Any length.
QString SqueezeSpaces(const QString& target);
// Deletes spans. The scan records them: from the start of the text it finds the next prefix,
// then the first suffix at or after the prefix's first character; the span from the prefix's
// first character to the suffix's last is recorded, and the scan goes on from that suffix's first
// character. A suffix found at the prefix's own position (a suffix equal to the prefix, say) is
// looked for again after the prefix and the scan goes on after it, so '"' and '"' record quoted
// passages. A prefix with no suffix after it ends the scan. Then each recorded span in turn is
// deleted wherever it occurs in the text as the earlier deletions left it (left to right, without
// overlap), so a span also goes where the scan did not find it, and where deletions joined text
// into it. An empty prefix or suffix deletes nothing.
// Time is linear when no two spans meet (the tags of usual HTML), about n log n otherwise. A
// suffix inside the prefix ("<b>" and ">") makes every span the same string, and each pass over
// the text deletes it once more, for as long as the passes find it.
// Examples: "<", ">" on "x<b>y</b>z" gives "xyz"; on "[1][[1]" with "[", "]" the spans "[1]" and
// "[[1]" are recorded; deleting every "[1]" leaves "[", which holds no "[[1]".
QString RemoveSpans(const QString& text, const QString& prefix, const QString& suffix);
// RemoveSpans with "<" and ">": deletes tags.
QString StripTags(const QString& text);
// Each line as `left` spaces + line + `right` spaces; negative counts add nothing.
QString PadLines(const QString& target, int left, int right);
// Fields are the pieces of `text` between occurrences of `delimiter`. Index 0 gives the number
// of fields as decimal text (occurrences + 1; "0" for an empty text); index n ≥ 1 the n-th
// field, or "" when there are fewer fields. An empty delimiter makes the text one field.
QString GetField(int index, const QString& text, const QString& delimiter);
int FieldCount(const QString& text, const QString& delimiter);
// Every TAB becomes six spaces.
QString TabsToSpaces(const QString& text);
// From left to right, every run of six spaces becomes a TAB; fewer than six stay.
QString SpacesToTabs(const QString& text);
// Deletes every occurrence of `what` (exact, left to right, without overlap).
QString RemoveEvery(const QString& text, const QString& what);

}  // namespace text
