// Replace-as-you-type: the pairs of "AutoChange.lst" put their replacement in place of a find
// text while the user types, the moment the key after the word is pressed.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace shell {
class FrmMain;
}

namespace editor {

struct AutoChangePair {
  QString find;
  QString replacement;
  bool operator==(const AutoChangePair&) const = default;
};

// Index 0 is always the empty pair, which changes nothing; the file's pairs follow from index 1.
using AutoChangeTable = std::vector<AutoChangePair>;

// The table from the items of "AutoChange.lst": each item holding "==" is one pair, the find
// text before its first "==" and the replacement after its last one ("a==b==c" replaces a by
// c). An item without "==" is no pair and is left out.
AutoChangeTable ParseAutoChange(const QStringList& items);

// For each pair in index order, every occurrence of the find text, in any letter case, left to
// right, becomes the replacement; a later pair sees what the earlier ones made. A pair with
// an empty find text changes nothing.
QString ApplyAutoChange(QString text, const AutoChangeTable& table);

// The one edit that turns `before` into `after`: the common beginning and end are kept and
// the part between is replaced. Empty (`removed` 0, `inserted` "") when the two are equal.
struct TextEdit {
  qsizetype at = 0;
  qsizetype removed = 0;
  QString inserted;
};
TextEdit MinimalEdit(const QString& before, const QString& after);

// Where an offset into the text before the edit lands after it: in front of the edit it
// stays, behind it (or right at a pure insertion) it moves by the change in length, and inside
// the replaced part it goes to the end of what was put in.
qsizetype MapThroughEdit(qsizetype offset, const TextEdit& edit);

// Why a pair cannot be kept in "AutoChange.lst", in Russian for a message; nullopt when it can.
// A line is read back as the text before its first "==" and after its last one, so a side
// holding "==", a find text ending in "=" or a replacement beginning with one would come back
// as another pair. An empty side is refused too: such a pair replaces nothing or only deletes.
std::optional<QString> AutoChangePairProblem(const AutoChangePair& pair);

// The items of "AutoChange.lst" for a table: "find==replacement" for every pair after the
// empty one whose find text is not empty (a pair with an empty find text changes nothing).
// Each reads back through ParseAutoChange as the same pair.
QStringList FormatAutoChange(const AutoChangeTable& table);

// The table the window's typing uses now; nullptr before the feature is installed.
const AutoChangeTable* AutoChangeTableOf(shell::FrmMain& window);

// Change the table itself, so the very next key press uses it, then rewrite "AutoChange.lst"
// from it. Each returns the reason in the user's words when something went wrong: a pair that
// can't be stored is refused and changes nothing; a failed write leaves the change in effect
// until the program closes. `index` counts in the table (1 is the first pair of the file).
std::optional<QString> AddAutoChangePair(shell::FrmMain& window, const AutoChangePair& pair);
std::optional<QString> RemoveAutoChangePair(shell::FrmMain& window, int index);

void InstallAutoChange(shell::FrmMain& window);

}  // namespace editor
