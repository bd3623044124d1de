// Macro variables: the user's table from "Macroses.lst" and the eight built-in variables, whose
// values come from the editor at the moment they are looked up. Scripts resolve whole arguments
// through them; templates and program command lines expand them inside a text.
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace automation {

class MacroHost;

struct UserMacro {
  QString name;
  QString value;
  bool operator==(const UserMacro&) const = default;
};
// In file order, which is the order lookups try them in.
using UserMacros = QList<UserMacro>;

// Reads "name=value" lines: the name is everything before the first "=", the value everything
// after it (further "=" included), neither trimmed. Lines without "=" and lines with an empty
// name (nothing could ever match it) are skipped. A missing or unreadable file gives an empty
// table; the caller replaces its table with the result, never merges.
UserMacros LoadUserMacros(const QString& path);

// The built-in names in lookup order: "$ostrelversion", "$date", "$time", "$origin",
// "$selectedtext", "$alltext", "$clipboardtext", "$openedfile".
const QList<QString>& BuiltinMacroNames();

// The value of the built-in variable `name` (compared without regard to case) taken from `host`
// now; nullopt for a name that is not built in. Only that one value is fetched, so resolving
// "$date" never copies a large document.
std::optional<QString> BuiltinMacroValue(const QString& name, const MacroHost& host);

// The whole `argument` compared without regard to case with the user names in file order, then
// with the built-in names: the first match gives its value; no match gives `argument` itself.
// "$DATE" resolves, "on $date" does not.
QString ResolveMacroArgument(const QString& argument, const UserMacros& user,
                             const MacroHost& host);

// Every occurrence of every variable name inside `text`, without regard to case: first each user
// variable in file order (so a user value may bring in names expanded by later entries and by the
// built-ins), then the built-ins in one pass, whose values are inserted as they are and never
// expanded further. A built-in value is fetched only when its name occurs.
QString ExpandMacroVariables(const QString& text, const UserMacros& user, const MacroHost& host);

}  // namespace automation
