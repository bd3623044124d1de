#include "automation/macro_variables.h"

#include <QDate>
#include <QLocale>
#include <QTime>
#include <array>

#include "automation/macro_host.h"
#include "platform/text_file.h"
#include "shell/version.h"

namespace automation {
namespace {

enum class Builtin {
  Version,
  Date,
  Time,
  Origin,
  SelectedText,
  AllText,
  ClipboardText,
  OpenedFile
};

constexpr int kBuiltinCount = 8;

std::optional<Builtin> builtinOf(QStringView name) {
  const QList<QString>& names = BuiltinMacroNames();
  for (int i = 0; i < kBuiltinCount; ++i)
    if (name.compare(names[i], Qt::CaseInsensitive) == 0) return Builtin(i);
  return std::nullopt;
}

QString valueOf(Builtin which, const MacroHost& host) {
  switch (which) {
    case Builtin::Version:
      return QString::fromUtf8(shell::kVersion);
    case Builtin::Date:
      return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    case Builtin::Time:
      return QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat);
    case Builtin::Origin:
      return QString();
    case Builtin::SelectedText:
      return host.selectedText();
    case Builtin::AllText:
      return host.text();
    case Builtin::ClipboardText:
      return host.clipboardText();
    case Builtin::OpenedFile:
      return host.openedFile();
  }
  return QString();
}

// Every built-in name starts with "$" and none holds another, so at each "$" at most one name can
// begin; one left-to-right pass therefore gives what replacing them one after another would, but
// without looking into the values it inserts.
QString expandBuiltins(const QString& text, const MacroHost& host) {
  const QList<QString>& names = BuiltinMacroNames();
  std::array<std::optional<QString>, kBuiltinCount> values;  // one moment for the whole text
  QString out;
  qsizetype done = 0;
  for (qsizetype at = text.indexOf(u'$'); at >= 0; at = text.indexOf(u'$', at)) {
    const QStringView rest = QStringView(text).mid(at);
    int match = -1;
    for (int i = 0; i < kBuiltinCount && match < 0; ++i)
      if (rest.startsWith(names[i], Qt::CaseInsensitive)) match = i;
    if (match < 0) {
      ++at;
      continue;
    }
    if (!values[match]) values[match] = valueOf(Builtin(match), host);
    out += QStringView(text).mid(done, at - done);
    out += *values[match];
    at += names[match].size();
    done = at;
  }
  if (done == 0) return text;
  out += QStringView(text).mid(done);
  return out;
}

}  // namespace

const QList<QString>& BuiltinMacroNames() {
  static const QList<QString> names = {"$ostrelversion", "$date",         "$time",
                                       "$origin",        "$selectedtext", "$alltext",
                                       "$clipboardtext", "$openedfile"};
  return names;
}

UserMacros LoadUserMacros(const QString& path) {
  UserMacros table;
  const std::optional<platform::TextFile::ReadResult> file = platform::TextFile::read(path);
  if (!file) return table;
  for (const QString& line : file->text.split(QStringLiteral("\r\n"))) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0) continue;
    table.append({line.left(eq), line.mid(eq + 1)});
  }
  return table;
}

std::optional<QString> BuiltinMacroValue(const QString& name, const MacroHost& host) {
  const std::optional<Builtin> which = builtinOf(name);
  if (!which) return std::nullopt;
  return valueOf(*which, host);
}

QString ResolveMacroArgument(const QString& argument, const UserMacros& user,
                             const MacroHost& host) {
  for (const UserMacro& macro : user)
    if (!macro.name.isEmpty() && argument.compare(macro.name, Qt::CaseInsensitive) == 0)
      return macro.value;
  return BuiltinMacroValue(argument, host).value_or(argument);
}

QString ExpandMacroVariables(const QString& text, const UserMacros& user, const MacroHost& host) {
  QString out = text;
  for (const UserMacro& macro : user)
    if (!macro.name.isEmpty()) out.replace(macro.name, macro.value, Qt::CaseInsensitive);
  return expandBuiltins(out, host);
}

}  // namespace automation
