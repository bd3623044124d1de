// A program line of the program list turned into a call: which program runs with which
// arguments, and through which files the text goes to it and comes back.
//
// A line holds fields separated by "|": 0 the program with its own fixed arguments, split into
// words the way a shell splits them ("..." keeps spaces together); 1 the input file; 2 the output
// file (empty: the result comes back in the input file); 3 and on further arguments. Fields 1 and
// on have macro variables expanded and each becomes exactly one argument, so a path with spaces
// arrives whole. "$infile" and "$outfile" at the start of field 1 or 2 stand for the files
// "filein" and "fileout" of the run's private folder.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
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

// A path made into the program field: quoted when the shell-like split would break it apart.
QString QuoteProgramPath(const QString& path);

}  // namespace automation
