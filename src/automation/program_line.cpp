#include "automation/program_line.h"

#include <algorithm>

namespace automation {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// Characters that never need quoting: a shell reads a word made of them as it stands.
bool isPlain(QChar c) { return c.isLetterOrNumber() || QStringView(u"_-+=.,/:@%").contains(c); }

// What double quotes don't keep as it is, or what a shell would expand there.
bool isSpecialInDoubleQuotes(QChar c) { return QStringView(u"\"\\$`").contains(c); }

// Reads a quoted part of a word whose opening quote is at `at`, appending its characters to
// `word`; returns the index after the closing quote, or -1 when the quote is never closed.
qsizetype readQuoted(const QString& field, qsizetype at, QString& word) {
  const QChar quote = field[at];
  for (qsizetype i = at + 1; i < field.size(); ++i) {
    const QChar c = field[i];
    if (c == quote) return i + 1;
    if (quote == u'"' && c == u'\\' && i + 1 < field.size()) {
      const QChar next = field[i + 1];
      if (next == u'\n') {
        ++i;
        continue;
      }
      if (QStringView(u"$`\"\\").contains(next)) {
        word += next;
        ++i;
        continue;
      }
    }
    word += c;
  }
  return -1;
}

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
  std::optional<QStringList> split = SplitProgramWords(fields.first());
  if (!split)
    return ProgramLineError{
        QStringLiteral("В строке программы не закрыта кавычка: %1").arg(fields.first())};
  QStringList& words = *split;
  if (words.isEmpty() || words.first().isEmpty())
    return ProgramLineError{
        QStringLiteral("В строке программы не указано, какую программу запустить.")};
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

std::optional<QStringList> SplitProgramWords(const QString& field) {
  QStringList words;
  QString word;
  bool inWord = false;  // a word has begun, if only with an empty ""
  for (qsizetype i = 0; i < field.size();) {
    const QChar c = field[i];
    if (isBlank(c)) {
      if (inWord) words << word;
      word.clear();
      inWord = false;
      ++i;
    } else if (c == u'\'' || c == u'"') {
      inWord = true;
      i = readQuoted(field, i, word);
      if (i < 0) return std::nullopt;
    } else if (c == u'\\' && i + 1 < field.size()) {
      // A backslash before a line end only joins the lines.
      if (field[i + 1] != u'\n') {
        word += field[i + 1];
        inWord = true;
      }
      i += 2;
    } else {
      word += c;
      inWord = true;
      ++i;
    }
  }
  if (inWord) words << word;
  return words;
}

QString QuoteProgramPath(const QString& path) {
  if (!path.isEmpty() && std::all_of(path.begin(), path.end(), isPlain)) return path;
  // Double quotes where nothing inside them is special: the usual way to write such a path.
  if (std::none_of(path.begin(), path.end(), isSpecialInDoubleQuotes)) return u'"' + path + u'"';
  // Inside single quotes nothing is special but the quote itself, which is closed, given with a
  // backslash and opened again.
  QString quoted = path;
  quoted.replace(QStringLiteral("'"), QStringLiteral("'\\''"));
  return u'\'' + quoted + u'\'';
}

}  // namespace automation
