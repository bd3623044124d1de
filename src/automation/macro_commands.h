// The command table of the macro language, for the interpreter alone.
#pragma once

#include <QStringList>
#include <QStringView>
#include <optional>

#include "automation/macro_variables.h"

namespace automation {

class ScriptHost;

// A statement's arguments and the three ways a command prepares one: raw (as written), trimmed
// (spaces around it removed, then resolved as a variable) and lowered (lower-cased, trimmed,
// resolved: a literal arrives in lower case, a variable's value unchanged). nullopt for an
// argument the statement does not have.
class MacroArguments {
 public:
  MacroArguments(const QStringList& list, ScriptHost& host, const UserMacros& user)
      : m_list(list), m_host(host), m_user(user) {}
  qsizetype count() const { return m_list.size(); }
  std::optional<QString> raw(qsizetype i) const;
  std::optional<QString> trimmed(qsizetype i) const;
  std::optional<QString> lowered(qsizetype i) const;

 private:
  const QStringList& m_list;
  ScriptHost& m_host;
  const UserMacros& m_user;
};

using MacroCommandRun = void (*)(const MacroArguments& args, ScriptHost& host);

// The command for a trimmed, lower-cased command word; nullptr for a word the language lacks.
MacroCommandRun FindMacroCommand(QStringView word);

// Spaces, and only spaces, removed from both ends.
QString TrimSpaces(const QString& text);

}  // namespace automation
