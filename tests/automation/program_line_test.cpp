// Program lines made into calls: how the program field splits, which fields become which
// arguments, and where "$infile" and "$outfile" lead.
#include "automation/program_line.h"

#include <gtest/gtest.h>

#include <QProcess>

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
      {"sort -r|$infile|$outfile",
       "sort",
       {"-r", "/tmp/run/filein", "/tmp/run/fileout"},
       "/tmp/run/filein",
       "/tmp/run/fileout"},
      // Quotes keep a program path with spaces whole; an empty output field is no argument.
      {"\"/opt/my tool/run\" --x|$infile|",
       "/opt/my tool/run",
       {"--x", "/tmp/run/filein"},
       "/tmp/run/filein",
       ""},
      // Paths of the user's choice with spaces arrive whole; empty later fields are no argument.
      {"prog|/data/in file.txt|/data/out file.txt|a b||c",
       "prog",
       {"/data/in file.txt", "/data/out file.txt", "a b", "c"},
       "/data/in file.txt",
       "/data/out file.txt"},
      // The marker is recognised in any case at the start and may carry a suffix.
      {"prog|$INFILE.txt|$outfile.$outfile",
       "prog",
       {"/tmp/run/filein.txt", "/tmp/run/fileout./tmp/run/fileout"},
       "/tmp/run/filein.txt",
       "/tmp/run/fileout./tmp/run/fileout"},
      // Only at the start: elsewhere it is part of the user's path.
      {"prog|/tmp/$infile|x$outfile",
       "prog",
       {"/tmp/$infile", "x$outfile"},
       "/tmp/$infile",
       "x$outfile"},
      // Macro variables are expanded in fields 1 and on, never in the program field.
      {"$who|$infile|$outfile|$who says",
       "$who",
       {"/tmp/run/filein", "/tmp/run/fileout", "Мир says"},
       "/tmp/run/filein",
       "/tmp/run/fileout"},
      // ">" belongs to the line, and no shell sees ";" or "$(...)".
      {"prog a>b|$infile|$outfile|; rm -rf $(x)",
       "prog",
       {"a>b", "/tmp/run/filein", "/tmp/run/fileout", "; rm -rf $(x)"},
       "/tmp/run/filein",
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

TEST(ProgramSpec, TheProgramFieldSplitsAsAShellSplitsIt) {
  struct Case {
    const char* field;
    QStringList words;
    bool shellAgrees;  // /bin/sh gives the same words (nothing in it that a shell expands)
  } cases[] = {
      // The shipped entry: the expression reaches the program without its quotes.
      {"sed -i 's/[[:space:]]*$//'", {"sed", "-i", "s/[[:space:]]*$//"}, true},
      {"", {}, true},
      {" \t ", {}, true},
      {"a  b\tc", {"a", "b", "c"}, true},
      // A line end separates words too (a shell would end the command there).
      {"a\nb", {"a", "b"}, false},
      {"\"a b\" c", {"a b", "c"}, true},
      {"'it'\\''s'", {"it's"}, true},
      {"pre\"mid\"'post'", {"premidpost"}, true},
      {"'a\"b' \"a'b\"", {"a\"b", "a'b"}, true},
      // Inside double quotes a backslash keeps only $ ` " \ and a line end special.
      {"\"x\\\"y\" \"a\\\\b\" \"a\\nb\" \"\\$x\"", {"x\"y", "a\\b", "a\\nb", "$x"}, true},
      // Inside single quotes nothing is special.
      {"'a\\b' '\\'", {"a\\b", "\\"}, true},
      // Unquoted, a backslash takes the next character as it is.
      {"a\\ b a\\\\b \\'x \\\"y", {"a b", "a\\b", "'x", "\"y"}, true},
      {"a\\\nb", {"ab"}, true},
      {"\"a\nb\"", {"a\nb"}, true},
      {"\"\" x ''", {"", "x", ""}, true},
      // A backslash at the very end has nothing to take and stays.
      {"a\\", {"a\\"}, false},
      // Nothing is expanded or run: no shell sees the line.
      {"a;b $HOME $(id) `id` * ~ >x", {"a;b", "$HOME", "$(id)", "`id`", "*", "~", ">x"}, false},
      {"\"$HOME\"", {"$HOME"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    const std::optional<QStringList> words = SplitProgramWords(QString::fromUtf8(c.field));
    ASSERT_TRUE(words.has_value());
    EXPECT_EQ(*words, c.words);
    if (!c.shellAgrees) continue;
    QProcess shell;
    shell.start("/bin/sh", {"-c", QStringLiteral("for w in %1; do printf '%s\\0' \"$w\"; done")
                                      .arg(QString::fromUtf8(c.field))});
    ASSERT_TRUE(shell.waitForFinished(10000));
    QStringList shellWords = QString::fromUtf8(shell.readAllStandardOutput()).split(u'\0');
    shellWords.removeLast();
    EXPECT_EQ(shellWords, c.words) << "as /bin/sh splits it";
  }
}

TEST(ProgramSpec, AnOpenQuoteIsRefused) {
  for (const char* field : {"'abc", "\"abc", "\"a\\\"", "it's", "sed 's/a/b/"}) {
    SCOPED_TRACE(field);
    EXPECT_EQ(SplitProgramWords(QString::fromUtf8(field)), std::nullopt);
    const auto built =
        BuildProgramCall(QString::fromUtf8(field) + "|$infile|$outfile", expandWho, kFolder);
    ASSERT_TRUE(std::holds_alternative<ProgramLineError>(built));
    EXPECT_TRUE(std::get<ProgramLineError>(built).message.contains("кавычка"));
  }
}

TEST(ProgramSpec, AQuotedPathSplitsBackIntoItself) {
  struct Case {
    const char* path;
    bool plain;  // written as it is
  } cases[] = {
      {"/usr/bin/sort", true},
      {"/opt/трёхсложное-имя_1.2/run+x", true},
      {"/opt/my tool/run", false},
      {"/opt/a\"b c/run", false},
      {"/opt/it's/run", false},
      {"/opt/o'neil \"x\"/a  b", false},
      {"C:\\x\ty", false},
      {"/a\\", false},
      {"/opt/$HOME/`x`/$(id)/*", false},
      {"/opt/line\nend", false},
      {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const QString path = QString::fromUtf8(c.path);
    const QString quoted = QuoteProgramPath(path);
    EXPECT_EQ(quoted == path, c.plain) << quoted.toStdString();
    EXPECT_EQ(SplitProgramWords(quoted), QStringList{path});
    // As the program field of a line, with arguments after it.
    if (path.isEmpty() || path.contains(u'|')) continue;
    const auto built = BuildProgramCall(quoted + " --x|$infile", expandWho, kFolder);
    ASSERT_TRUE(std::holds_alternative<ProgramCall>(built));
    EXPECT_EQ(std::get<ProgramCall>(built).program, path);
    EXPECT_EQ(std::get<ProgramCall>(built).arguments, QStringList({"--x", "/tmp/run/filein"}));
  }
}

}  // namespace
}  // namespace automation
