// Program lines made into calls: how the program field splits, which fields become which
// arguments, and where "$infile" and "$outfile" lead.
#include <gtest/gtest.h>

#include <QProcess>

#include "automation/program_line.h"
#include "support/qt_print.h"

namespace automation {
namespace {

const QString kFolder = QStringLiteral("/tmp/run");

QString expandWho(const QString& text) {
  QString result = text;
  return result.replace(QStringLiteral("$who"), QStringLiteral("Мир"));
}

TEST(ProgramSpec, FieldsBecomeOneArgumentEach) {
  struct Case {
    const char* commandLine;
    QString program;
    QStringList arguments;
    QString input;
    QString output;
  } cases[] = {
      {"sort -r|$infile|$outfile", "sort", {"-r", "/tmp/run/filein", "/tmp/run/fileout"},
       "/tmp/run/filein", "/tmp/run/fileout"},
      // Quotes keep a program path with spaces whole; an empty output field is no argument.
      {"\"/opt/my tool/run\" --x|$infile|", "/opt/my tool/run", {"--x", "/tmp/run/filein"},
       "/tmp/run/filein", ""},
      // Paths of the user's choice with spaces arrive whole; empty later fields are no argument.
      {"prog|/data/in file.txt|/data/out file.txt|a b||c", "prog",
       {"/data/in file.txt", "/data/out file.txt", "a b", "c"}, "/data/in file.txt",
       "/data/out file.txt"},
      // The marker is recognised in any case at the start and may carry a suffix.
      {"prog|$INFILE.txt|$outfile.$outfile", "prog",
       {"/tmp/run/filein.txt", "/tmp/run/fileout./tmp/run/fileout"}, "/tmp/run/filein.txt",
       "/tmp/run/fileout./tmp/run/fileout"},
      // Only at the start: elsewhere it is part of the user's path.
      {"prog|/tmp/$infile|x$outfile", "prog", {"/tmp/$infile", "x$outfile"}, "/tmp/$infile",
       "x$outfile"},
      // Macro variables are expanded in fields 1 and on, never in the program field.
      {"$who|$infile|$outfile|$who says", "$who",
       {"/tmp/run/filein", "/tmp/run/fileout", "Мир says"}, "/tmp/run/filein",
       "/tmp/run/fileout"},
      // ">" belongs to the line, and no shell sees ";" or "$(...)".
      {"prog a>b|$infile|$outfile|; rm -rf $(x)", "prog",
       {"a>b", "/tmp/run/filein", "/tmp/run/fileout", "; rm -rf $(x)"}, "/tmp/run/filein",
       "/tmp/run/fileout"},
      // No input file: the program is only started.
      {"prog --now", "prog", {"--now"}, "", ""},
      {"prog||$outfile", "prog", {"/tmp/run/fileout"}, "", "/tmp/run/fileout"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.commandLine);
    const auto built = BuildProgramCall(QString::fromUtf8(c.commandLine), expandWho, kFolder);
    ASSERT_TRUE(std::holds_alternative<ProgramCall>(built));
    const ProgramCall& call = std::get<ProgramCall>(built);
    EXPECT_EQ(call.program, c.program);
    EXPECT_EQ(call.arguments, c.arguments);
    EXPECT_EQ(call.inputFile, c.input);
    EXPECT_EQ(call.outputFile, c.output);
    EXPECT_EQ(call.resultFile(), c.output.isEmpty() ? c.input : c.output);
  }
}

TEST(ProgramSpec, ALineWithoutAProgramIsRefused) {
  for (const char* commandLine : {"", "   ", "|$infile|$outfile", "\"\"|$infile"}) {
    SCOPED_TRACE(commandLine);
    const auto built = BuildProgramCall(QString::fromUtf8(commandLine), expandWho, kFolder);
    ASSERT_TRUE(std::holds_alternative<ProgramLineError>(built));
    EXPECT_FALSE(std::get<ProgramLineError>(built).message.isEmpty());
  }
}

TEST(ProgramSpec, AQuotedPathSplitsBackIntoItself) {
  for (const char* path : {"/usr/bin/sort", "/opt/my tool/run", "/opt/a\"b c/run", "C:\\x\ty"}) {
    SCOPED_TRACE(path);
    const QString quoted = QuoteProgramPath(QString::fromUtf8(path));
    EXPECT_EQ(QProcess::splitCommand(quoted), QStringList{QString::fromUtf8(path)});
  }
}

}  // namespace
}  // namespace automation
