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

MacroRunEnd RunMacroScript(const QString& script, const QString& separator, MacroHost& host,
                           const UserMacros& user, const MacroRunOptions& options) {
  MacroRunEnd end = MacroRunEnd::Done;
  try {
    const std::vector<MacroStatement> statements = ParseMacroScript(script, separator);
    const qsizetype total = qsizetype(statements.size());
    ScriptHost run(host, options.textLimit);
    for (qsizetype i = 0; i < total && end == MacroRunEnd::Done; ++i) {
      if (options.keepGoing && !options.keepGoing(i, total)) {
        end = MacroRunEnd::Stopped;
        break;
      }
      const MacroCommandRun command = FindMacroCommand(statements[size_t(i)].command);
      if (!command) continue;
      // A step that fails, even for want of memory, is skipped like any other failure.
      try {
        command(MacroArguments(statements[size_t(i)].arguments, run, user), run);
      } catch (const std::exception&) {
      }
      if (run.limitReached()) end = MacroRunEnd::TextLimit;
    }
    run.finish();
  } catch (const std::exception&) {
  }
  return end;
}

}  // namespace automation
