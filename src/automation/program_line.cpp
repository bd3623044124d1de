#include "automation/program_line.h"

#include <QProcess>

namespace automation {
namespace {

// A field that begins with the marker (in any letter case) names the private file; further
// occurrences of the marker in it, spelled exactly, are that path too.
QString privatePath(const QString& field, QLatin1StringView marker, const QString& path) {
  if (field.left(marker.size()).toLower() != marker) return field;
  QString rest = field.mid(marker.size());
  rest.replace(marker, path);
  return path + rest;
}

}  // namespace

std::variant<ProgramCall, ProgramLineError> BuildProgramCall(const QString& commandLine,
                                                             const Expand& expand,
                                                             const QString& privateFolder) {
  const QStringList fields = commandLine.split(u'|');
  QStringList words = QProcess::splitCommand(fields.first());
  if (words.isEmpty() || words.first().isEmpty())
    return ProgramLineError{QStringLiteral("В строке программы не указано, какую программу запустить.")};
  ProgramCall call;
  call.program = words.takeFirst();
  call.arguments = words;
  if (fields.size() > 1) {
    call.inputFile = privatePath(expand(fields[1]), QLatin1StringView("$infile"),
                                 privateFolder + QStringLiteral("/filein"));
    if (!call.inputFile.isEmpty()) call.arguments << call.inputFile;
  }
  if (fields.size() > 2) {
    call.outputFile = privatePath(expand(fields[2]), QLatin1StringView("$outfile"),
                                  privateFolder + QStringLiteral("/fileout"));
    if (!call.outputFile.isEmpty()) call.arguments << call.outputFile;
  }
  for (qsizetype i = 3; i < fields.size(); ++i) {
    // An empty field is no argument, as it was when the fields were joined into one line.
    const QString argument = expand(fields[i]);
    if (!argument.isEmpty()) call.arguments << argument;
  }
  return call;
}

QString QuoteProgramPath(const QString& path) {
  bool plain = !path.isEmpty();
  for (const QChar c : path)
    if (c.isSpace() || c == u'"') plain = false;
  if (plain) return path;
  QString quoted = path;
  // Inside quotes a literal quote is written three times.
  quoted.replace(QStringLiteral("\""), QStringLiteral("\"\"\""));
  return u'"' + quoted + u'"';
}

}  // namespace automation
