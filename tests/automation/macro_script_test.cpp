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
  };
  const Case cases[] = {
      {"insert at the caret between replaces",
       "replace $alltext,a,x;replace $alltext,b,y;setselectedtext Q;replace $alltext,c,z;", "qxyz",
       "clip"},
      {"find in the replaced text",
       "replace $alltext,abc,ABC abc;find $alltext,abc;setselectedtext Z;", "ABC z", "clip"},
      {"clipboard into the selection",
       "replace $alltext,b,B;setselection 0,3;replace $clipboardtext,i,I;", "clIp", "clip"},
      {"whole text as a value", "replace $alltext,c,C;setclipboardtext $alltext;", "abC", "abC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setUp("abc");
    clipboard.setText("clip");
    run(c.script);
    EXPECT_EQ(edit.text(), c.text);
    EXPECT_EQ(clipboard.text(), c.clipboard);
    // However the statements reached the editor, the run is one step.
    edit.undo();
    EXPECT_EQ(edit.text(), "abc");
  }
}

// 20,000 edits at the caret among replaces and selections: the whole run undoes with one Undo,
// and the editor's listeners (status bar, menus, modified mark) hear of it once, not per edit.
TEST_F(MacroRun, LongRunIsOneUndoStepAndOneEvent) {
  setUp("start", 5, 5);
  QString script;
  for (int i = 0; i < 20000; ++i) {
    script += "setselectedtext x;";
    if (i % 1000 == 999) script += "replace $alltext,xx,y;find $alltext,start;setselection 5,5;";
  }
  QSignalSpy changed(&edit, &platform::EditControl::changed);
  QSignalSpy moved(&edit, &platform::EditControl::selectionChanged);
  EXPECT_EQ(RunMacroScript(script, ";", host, user), MacroRunEnd::Done);
  EXPECT_TRUE(edit.text().startsWith("start")) << edit.text().left(20).toStdString();
  EXPECT_GT(edit.textLength(), 5 + 1000);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_LE(moved.count(), 1);
  EXPECT_EQ(edit.selection(), (platform::SelRange{0, 5, 0, 5, false})) << "the last statement's";
  edit.undo();
  EXPECT_EQ(edit.text(), "start");
  edit.redo();
  EXPECT_GT(edit.textLength(), 5 + 1000);
  // Typed after the run, a character is a step of its own.
  edit.setSelectedText("!");
  edit.undo();
  EXPECT_GT(edit.textLength(), 5 + 1000);
}

// A script that would make the text longer than the limit stops at that statement: the text is
// what the statements before it made (one Undo away from the start), nothing after it runs.
TEST_F(MacroRun, TextLimitStopsTheRunBeforeTheStatementThatPassesIt) {
  put(path("big.txt"), QByteArray(300, 'f'));
  struct Case {
    const char* name;
    QString script;
    int selectStart;
    int selectEnd;
    QString text;  // the text when the run stopped
  };
  const QString a64(64, u'a');
  const QString a128(128, u'a');
  const Case cases[] = {
      {"replace in the whole text doubling", "replace $alltext,a,aa;", 0, 0, a128},
      {"insert the whole text at the caret", "setselectedtext $alltext;", 0, 0, a128},
      {"replace in the selection", "setselection 0,1000;replace $selectedtext,a,aa;", 0, 0, a128},
      {"replace the selection by the changed clipboard",
       "setclipboardtext $alltext;setselection 0,0;replace $clipboardtext,a,aaa;", 0, 0, a64},
      {"a file too big for it", "readfromfile " + path("big.txt") + ";", 0, 0, a64},
      {"a literal that grows", "replace " + QString(100, u'b') + ",b,bbb;", 0, 0, a64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setUp(a64, c.selectStart, c.selectEnd);
    clipboard.setText("untouched");
    QString script;
    for (int i = 0; i < 40; ++i) script += c.script;
    script += "setclipboardtext ran on;";
    MacroRunOptions options;
    options.textLimit = 200;
    EXPECT_EQ(RunMacroScript(script, ";", host, user, options), MacroRunEnd::TextLimit);
    EXPECT_EQ(edit.text(), c.text);
    EXPECT_NE(clipboard.text(), "ran on");
    if (c.text != a64) {
      edit.undo();
      EXPECT_EQ(edit.text(), a64);
    }
  }
  // Up to the limit itself is allowed.
  setUp("aa");
  MacroRunOptions options;
  options.textLimit = 4;
  EXPECT_EQ(RunMacroScript("replace $alltext,a,aa;", ";", host, user, options), MacroRunEnd::Done);
  EXPECT_EQ(edit.text(), "aaaa");
}

TEST_F(MacroRun, StoppedRunKeepsTheStepsDoneAsOneUndoStep) {
  setUp("");
  MacroRunOptions options;
  qsizetype asked = 0;
  options.keepGoing = [&asked](qsizetype done, qsizetype total) {
    ++asked;
    EXPECT_EQ(total, 6);  // the empty statement after the last separator counts
    return done < 3;
  };
  EXPECT_EQ(RunMacroScript("setselectedtext a;setselectedtext b;setselectedtext c;setselectedtext "
                           "d;setclipboardtext stop;",
                           ";", host, user, options),
            MacroRunEnd::Stopped);
  EXPECT_EQ(asked, 4);
  EXPECT_EQ(edit.text(), "abc");
  edit.undo();
  EXPECT_EQ(edit.text(), "");
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
