// A program line of the program list turned into a call: which program runs with which
// arguments, and through which files the text goes to it and comes back.
//
// A line holds fields separated by "|": 0 the program with its own fixed arguments, split into
// words the way a shell splits them (quotes and backslashes, but nothing is expanded and no
// shell runs); 1 the input file; 2 the output
// file (empty: the result comes back in the input file); 3 and on further arguments. Fields 1 and
// on have macro variables expanded and each becomes exactly one argument, so a path with spaces
// arrives whole. "$infile" and "$outfile" at the start of field 1 or 2 stand for the files
// "filein" and "fileout" of the run's private folder.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

namespace automation {

struct ProgramCall {
  QString program;
  QStringList arguments;
  // "" when the line has no input file: the program is only started.
  QString inputFile;
  // "" when the result is read back from the input file.
  QString outputFile;

  bool exchangesText() const { return !inputFile.isEmpty() || !outputFile.isEmpty(); }
  // Where the result is read from.
  const QString& resultFile() const { return outputFile.isEmpty() ? inputFile : outputFile; }
  bool operator==(const ProgramCall&) const = default;
};

// Why a line makes no call, in Russian for a message.
struct ProgramLineError {
  QString message;
};

using Expand = std::function<QString(const QString&)>;

// `privateFolder` is where "$infile" and "$outfile" lead. Example: "sort -r|$infile|$outfile"
// with the folder "/tmp/x" runs "sort" with "-r", "/tmp/x/filein", "/tmp/x/fileout".
std::variant<ProgramCall, ProgramLineError> BuildProgramCall(const QString& commandLine,
                                                             const Expand& expand,
                                                             const QString& privateFolder);

// The program field split into words as a shell splits a simple command: blanks (space, tab,
// line end) separate words; '...' keeps everything inside as it is; in "..." a backslash keeps
// only $ ` " \ and a line end special; elsewhere a backslash takes the next character as it is
// and a backslash before a line end joins the lines. Nothing else is special: "$x", ";" and "*"
// stay as written. nullopt when a quote is left open. Example: sed -i 's/a b//' gives "sed",
// "-i", "s/a b//".
std::optional<QStringList> SplitProgramWords(const QString& field);

// A path made into the program field so that SplitProgramWords reads it back as one word: as it
// is when it holds nothing a shell would take as syntax, else in double quotes when nothing in it
// is special there, else in single quotes. "/opt/my tool" gives "\"/opt/my tool\"".
QString QuoteProgramPath(const QString& path);

}  // namespace automation
