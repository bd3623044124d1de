// The grammar of scripts: where statements end, what the command word and the arguments are, and
// that nothing but a well-formed statement does anything; then how a run hands the whole text to
// the editor (once, undoably) around statements that need the editor itself.
#include "automation/macro_script.h"

#include <QSignalSpy>

#include "automation/macro_fixture.h"

namespace automation {
namespace {

TEST(MacroGrammar, ParseCutsStatementsWordsAndArguments) {
  struct Case {
    const char* name;
    QString script;
    QString separator;
    std::vector<MacroStatement> expect;
  };
  const Case cases[] = {
      {"CR LF pairs are deleted, not spaced",
       "replace $alltext,a,b;\r\nclearclipboard;",
       ";",
       {{"replace", {"$alltext", "a", "b"}}, {"clearclipboard", {}}, {"", {}}}},
      {"no separator joins the lines into one word",
       "clearclipboard\r\nshellexecute x",
       ";",
       {{"clearclipboardshellexecute", {"x"}}}},
      {"a lone LF stays and spoils the word",
       "clearclipboard;\nclearclipboard;",
       ";",
       {{"clearclipboard", {}}, {"\nclearclipboard", {}}, {"", {}}}},
      {"a statement after a space is ignored",
       "clearclipboard; clearclipboard;",
       ";",
       {{"clearclipboard", {}}, {"", {"clearclipboard"}}, {"", {}}}},
      {"capitals in the word", "ClearClipBoard", ";", {{"clearclipboard", {}}}},
      {"a Tab is no space", "setclipboardtext\tx", ";", {{"setclipboardtext\tx", {}}}},
      {"arguments keep their spaces",
       "replace $alltext, a ,b c",
       ";",
       {{"replace", {"$alltext", " a ", "b c"}}}},
      {"only the first space ends the word",
       "setselectedtext  two  spaces",
       ";",
       {{"setselectedtext", {" two  spaces"}}}},
      {"nothing after the space is no argument",
       "setselectedtext ",
       ";",
       {{"setselectedtext", {}}}},
      {"commas make empty arguments", "setselectedtext ,", ";", {{"setselectedtext", {"", ""}}}},
      {"separator of several characters",
       "setclipboardtext a;b<>clearclipboard<>",
       "<>",
       {{"setclipboardtext", {"a;b"}}, {"clearclipboard", {}}, {"", {}}}},
      {"empty separator: one statement",
       "setclipboardtext a;b;",
       "",
       {{"setclipboardtext", {"a;b;"}}}},
      {"empty script", "", ";", {{"", {}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<MacroStatement> got = ParseMacroScript(c.script, c.separator);
    ASSERT_EQ(got.size(), c.expect.size());
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].command, c.expect[i].command) << i;
      EXPECT_EQ(got[i].arguments, c.expect[i].arguments) << i;
    }
  }
}

class MacroRun : public MacroFixture {};

TEST_F(MacroRun, OnlyWellFormedStatementsAct) {
  struct Case {
    const char* name;
    QString script;
    QString separator;
    QString clipboard;  // expected afterwards; it starts as "before"
  };
  const Case cases[] = {
      {"plain", "setclipboardtext Hello;", ";", "hello"},
      {"capitals in the word", "SetClipboardText Hello;", ";", "hello"},
      {"leading space", " setclipboardtext Hello;", ";", "before"},
      {"second statement after a space on one line", "setclipboardtext a; setclipboardtext b;", ";",
       "a"},
      {"statements on separate lines", "setclipboardtext a;\r\nsetclipboardtext b;", ";", "b"},
      {"no separator", "clearclipboard\r\nsetclipboardtext b", ";", "before"},
      {"empty separator", "setclipboardtext a;b", "", "a;b"},
      {"separator of several characters", "setclipboardtext a;b END", " END", "a;b"},
      {"missing argument", "setclipboardtext;", ";", "before"},
      {"unknown word, then a good one", "frobnicate x;setclipboardtext ok;", ";", "ok"},
      {"variable value keeps its case", "replace $alltext,a,b;setclipboardtext $AllText;", ";",
       "Text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setUp("Text");
    clipboard.setText("before");
    run(c.script, c.separator);
    EXPECT_EQ(clipboard.text(), c.clipboard);
  }
}

TEST_F(MacroRun, WholeTextReachesTheEditorOnceAsOneUndoStep) {
  setUp("alpha beta gamma");
  CountingHost counting(host);
  QString script;
  for (int i = 0; i < 50; ++i)
    script += i % 2 ? "replace $alltext,BETA,beta;" : "replace $alltext,beta,BETA;";
  script += "replace $alltext,gamma,delta;replace $alltext,absent,x;";
  RunMacroScript(script, ";", counting, user);
  EXPECT_EQ(edit.text(), "alpha beta delta");
  EXPECT_EQ(counting.textReads, 1);
  EXPECT_EQ(counting.textWrites, 1);
  edit.undo();
  EXPECT_EQ(edit.text(), "alpha beta gamma");

  // Nothing found, or nothing changed: the editor is not touched, so the document does not turn
  // modified and no empty undo step appears.
  QSignalSpy changed(&edit, &platform::EditControl::changed);
  RunMacroScript("replace $alltext,absent,x;replace $alltext,beta,beta;", ";", counting, user);
  EXPECT_EQ(counting.textWrites, 1);
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(MacroRun, StatementsThatNeedTheEditorSeeEarlierWholeTextChanges) {
  struct Case {
    const char* name;
    QString script;
    QString text;
    QString clipboard;
    int undoSteps;
  };
  const Case cases[] = {
      {"insert at the caret between replaces",
       "replace $alltext,a,x;replace $alltext,b,y;setselectedtext Q;replace $alltext,c,z;", "qxyz",
       "clip", 3},
      {"find in the replaced text",
       "replace $alltext,abc,ABC abc;find $alltext,abc;setselectedtext Z;", "ABC z", "clip", 2},
      {"clipboard into the selection",
       "replace $alltext,b,B;setselection 0,3;replace $clipboardtext,i,I;", "clIp", "clip", 2},
      {"whole text as a value", "replace $alltext,c,C;setclipboardtext $alltext;", "abC", "abC", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setUp("abc");
    clipboard.setText("clip");
    run(c.script);
    EXPECT_EQ(edit.text(), c.text);
    EXPECT_EQ(clipboard.text(), c.clipboard);
    for (int i = 0; i < c.undoSteps; ++i) edit.undo();
    EXPECT_EQ(edit.text(), "abc") << "after " << c.undoSteps << " undo steps";
  }
}

TEST_F(MacroRun, ReadOnlyDocumentTakesNoWholeTextEdits) {
  // What the script reads afterwards must be what the editor holds, not what it refused.
  put(path("in.txt"), "from file");
  setUp("abc");
  edit.setReadOnly(true);
  clipboard.setText("clip");
  run("replace $alltext,a,b;readfromfile " + path("in.txt") +
      ";replace other,x,y;setclipboardtext $alltext;");
  EXPECT_EQ(edit.text(), "abc");
  EXPECT_EQ(clipboard.text(), "abc");
}

}  // namespace
}  // namespace automation
