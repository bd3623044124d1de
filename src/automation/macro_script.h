// The macro interpreter. A script is a flat list of statements cut at a separator; each is a
// command word, a space and comma-separated arguments that may name variables. Nothing is ever
// reported: an unknown word or a step that fails is skipped and the script runs to its end.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "automation/macro_variables.h"

namespace automation {

class MacroHost;

struct MacroStatement {
  QString command;        // trimmed of spaces and lower-cased; "" for a statement to ignore
  QStringList arguments;  // as written, cut at every comma; none when nothing follows the word
  bool operator==(const MacroStatement&) const = default;
};

// Cuts a script into statements: every CR LF pair is deleted first (lone CR and LF stay), then
// the text is cut at every occurrence of `separator` (an empty one leaves a single statement).
// The command word runs to the first space character (a Tab is no space here); a statement that
// is empty or starts with a space has no command word. Statements without one are kept, so the
// result lines up with the script.
std::vector<MacroStatement> ParseMacroScript(const QString& script, const QString& separator);

// Runs every statement of `script` over `host`, resolving arguments through `user` and the
// built-in variables. The editor receives changes to its whole text as one undoable step per run
// of statements that work on the whole text only. Never shows anything and never throws.
void RunMacroScript(const QString& script, const QString& separator, MacroHost& host,
                    const UserMacros& user);

}  // namespace automation
