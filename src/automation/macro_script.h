// The macro interpreter. A script is a flat list of statements cut at a separator; each is a
// command word, a space and comma-separated arguments that may name variables. Nothing is ever
// reported: an unknown word or a step that fails is skipped and the script runs to its end.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
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

// The longest text a script may make: a gigabyte of text in the program's single-byte code page.
// A script that doubles its text would otherwise take every byte of memory there is.
inline constexpr qsizetype kScriptTextLimit = qsizetype(1) << 30;

enum class MacroRunEnd {
  Done,       // every statement ran
  Stopped,    // keepGoing said no
  TextLimit,  // a statement would have made the text longer than the limit, and did nothing
};

struct MacroRunOptions {
  qsizetype textLimit = kScriptTextLimit;
  // Asked before each statement with how many ran and how many there are; false stops the run
  // there. Empty: the run goes to its end.
  std::function<bool(qsizetype done, qsizetype total)> keepGoing;
};

// Runs every statement of `script` over `host`, resolving arguments through `user` and the
// built-in variables. The whole run is one undoable step of the editor, which tells its listeners
// of it once, at the end; a run that ends early leaves the text as the statements before that
// left it. Never shows anything and never throws.
MacroRunEnd RunMacroScript(const QString& script, const QString& separator, MacroHost& host,
                           const UserMacros& user, const MacroRunOptions& options = {});

}  // namespace automation
