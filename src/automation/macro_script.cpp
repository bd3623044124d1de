#include "automation/macro_script.h"

#include <exception>

#include "automation/macro_commands.h"
#include "automation/script_host.h"

namespace automation {
namespace {

MacroStatement parseStatement(const QString& statement) {
  MacroStatement parsed;
  const qsizetype space = statement.indexOf(u' ');
  parsed.command = TrimSpaces(space < 0 ? statement : statement.left(space)).toLower();
  const QString arguments = space < 0 ? QString() : statement.mid(space + 1);
  if (!arguments.isEmpty()) parsed.arguments = arguments.split(u',');
  return parsed;
}

}  // namespace

std::vector<MacroStatement> ParseMacroScript(const QString& script, const QString& separator) {
  QString text = script;
  text.remove(QStringLiteral("\r\n"));
  const QStringList statements =
      separator.isEmpty() ? QStringList{text} : text.split(separator, Qt::KeepEmptyParts);
  std::vector<MacroStatement> parsed;
  parsed.reserve(size_t(statements.size()));
  for (const QString& statement : statements) parsed.push_back(parseStatement(statement));
  return parsed;
}

void RunMacroScript(const QString& script, const QString& separator, MacroHost& host,
                    const UserMacros& user) {
  try {
    ScriptHost run(host);
    for (const MacroStatement& statement : ParseMacroScript(script, separator)) {
      const MacroCommandRun command = FindMacroCommand(statement.command);
      if (!command) continue;
      // A step that fails, even for want of memory, is skipped like any other failure.
      try {
        command(MacroArguments(statement.arguments, run, user), run);
      } catch (const std::exception&) {
      }
    }
    run.finish();
  } catch (const std::exception&) {
  }
}

}  // namespace automation
