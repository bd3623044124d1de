// The variable tables: reading "Macroses.lst", resolving whole arguments, expanding names inside a
// text in the order that decides which name wins, and reading large built-in values only when a
// name asks for them.
#include "automation/macro_variables.h"

#include <QDate>
#include <QLocale>

#include "automation/macro_fixture.h"
#include "shell/version.h"

namespace automation {
namespace {

TEST(MacroVariables, LoadUserMacrosPairsNamesAndValues) {
  struct Case {
    const char* name;
    QByteArray file;
    UserMacros expect;
  };
  const Case cases[] = {
      {"empty file", "", {}},
      {"value holding '='", "$sum=a=b+c\r\n", {{"$sum", "a=b+c"}}},
      {"lines without '=' do not shift the pairs",
       "\r\njunk\r\n$a=1\r\n\r\nmore junk\r\n$b=2",
       {{"$a", "1"}, {"$b", "2"}}},
      {"empty value kept, empty name dropped", "$empty=\r\n=orphan\r\n", {{"$empty", ""}}},
      {"spaces and '>' kept as written", " $x = y>z \r\n", {{" $x ", " y>z "}}},
      {"LF line ends", "$a=1\n$b=2\n", {{"$a", "1"}, {"$b", "2"}}},
      {"Windows-1251 file",
       "$\xe8\xec\xff=\xe7\xed\xe0\xf7\xe5\xed\xe8\xe5\r\n",
       {{"$имя", "значение"}}},
      {"UTF-8 file", "$имя=значение\r\n", {{"$имя", "значение"}}},
  };
  QTemporaryDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file = dir.filePath("Macroses.lst");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(c.file);
    f.close();
    EXPECT_EQ(LoadUserMacros(file), c.expect);
  }
  EXPECT_TRUE(LoadUserMacros(dir.filePath("missing.lst")).isEmpty());
  EXPECT_TRUE(LoadUserMacros(dir.path()).isEmpty()) << "a folder reads as no table";
}

class MacroVariablesTest : public MacroFixture {};

TEST_F(MacroVariablesTest, BuiltinValuesComeFromTheEditorAtLookup) {
  setUp("first\r\nsecond", 7, 13);  // "second" selected
  clipboard.setText("clip");
  openedFile = "/docs/note.txt";
  const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
  struct Case {
    QString argument;
    QString expect;
  };
  const Case cases[] = {
      {"$ostrelversion", ::shell::kVersion},
      {"$DATE", date},
      {"$origin", ""},
      {"$SelectedText", "second"},
      {"$alltext", "first\r\nsecond"},
      {"$clipboardtext", "clip"},
      {"$openedfile", "/docs/note.txt"},
      {"$date ", "$date "},
      {"on $date", "on $date"},
      {"plain", "plain"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument.toStdString());
    EXPECT_EQ(ResolveMacroArgument(c.argument, user, host), c.expect);
  }
  EXPECT_FALSE(ResolveMacroArgument("$time", user, host).isEmpty());
}

TEST_F(MacroVariablesTest, UserVariablesComeFirstInFileOrder) {
  setUp("text");
  user = {{"$date", "user date"},
          {"$A", "first"},
          {"$a", "second"},
          {"$x", "has $y and $alltext"},
          {"$y", "why"}};
  struct Case {
    const char* name;
    QString text;
    QString resolved;  // the whole text as one argument
    QString expanded;
  };
  const Case cases[] = {
      {"a user $date hides the built-in", "$date", "user date", "user date"},
      {"the first of two names that differ in case", "$a", "first", "first"},
      {"later user and built-in names expand inside an earlier value", "[$x]", "[$x]",
       "[has why and text]"},
      {"every occurrence, any case", "$Y$y-$DATE", "$Y$y-$DATE", "whywhy-user date"},
      {"nothing to expand", "no names", "no names", "no names"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ResolveMacroArgument(c.text, user, host), c.resolved);
    EXPECT_EQ(ExpandMacroVariables(c.text, user, host), c.expanded);
  }
}

TEST_F(MacroVariablesTest, ExpandedBuiltinValuesAreNotExpandedAgain) {
  // The selection holds the name of a later built-in, the clipboard one of an earlier one.
  setUp("$alltext and more", 0, 8);
  clipboard.setText("$ostrelversion");
  EXPECT_EQ(ExpandMacroVariables("<$selectedtext|$clipboardtext|$SELECTEDTEXT>", user, host),
            "<$alltext|$ostrelversion|$alltext>");
}

TEST_F(MacroVariablesTest, LargeValuesAreReadOnlyWhenNamed) {
  setUp("a large document", 0, 7);
  clipboard.setText("clip");
  CountingHost counting(host);
  ResolveMacroArgument("plain literal", user, counting);
  ResolveMacroArgument("$date", user, counting);
  ExpandMacroVariables("on $date at $time in $openedfile", user, counting);
  EXPECT_EQ(counting.textReads + counting.selectionReads + counting.clipboardReads, 0);

  EXPECT_EQ(ExpandMacroVariables("$alltext/$ALLTEXT", user, counting),
            "a large document/a large document");
  EXPECT_EQ(counting.textReads, 1) << "one value per expansion";
  EXPECT_EQ(counting.selectionReads + counting.clipboardReads, 0);
}

}  // namespace
}  // namespace automation
