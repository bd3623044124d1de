// Every command of the macro language on a real editor, clipboard, shell and real files: what it
// changes, how its arguments are prepared, and that a step it cannot do leaves everything alone.
#include <sys/stat.h>

#include <QDate>
#include <QLocale>
#include <QSignalSpy>

#include "automation/macro_fixture.h"
#include "platform/test_files.h"
#include "shell/version.h"
#include "text/code_page.h"

namespace automation {
namespace {

using platform::SelRange;

class MacroCommands : public MacroFixture {};

// Text commands: each row starts from "Hello world\r\nsecond line" with [start, end) selected.
TEST_F(MacroCommands, TextCommandsPutTheirResultIntoTheTarget) {
  const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
  const QString start = QStringLiteral("Hello world\r\nsecond line");
  struct Case {
    const char* name;
    QString script;
    int selStart, selEnd;
    QString text;
  };
  const Case cases[] = {
      {"literal is lowered", "setselectedtext Hello;", 0, 0, "helloHello world\r\nsecond line"},
      {"replaces the selection", "setselectedtext X;", 6, 11, "Hello x\r\nsecond line"},
      {"a variable keeps its case", "setselectedtext $date;", 0, 5, date + " world\r\nsecond line"},
      {"no argument does nothing", "setselectedtext;", 0, 5, start},
      {"engtorus into the whole text", "engtorus Ghbdtn;", 0, 0, "привет"},
      {"an empty selection's text replaces the whole text", "rustoeng $selectedtext;", 0, 0, ""},
      {"rustoeng into the selection", "rustoeng ПРИВЕТ;", 0, 5, "ghbdtn world\r\nsecond line"},
      {"replace in the whole text, spaces around commas", "replace $alltext, o , 0 ;", 0, 0,
       "Hell0 w0rld\r\nsec0nd line"},
      {"replace with the where in capitals takes it as a literal", "replace $AllText,q,y;", 0, 0,
       "$AllText"},
      {"replace with a literal where", "replace foo bar,o,0;", 0, 0, "f00 bar"},
      {"replace in the selection only", "replace $selectedtext,o,0;", 0, 5,
       "Hell0 world\r\nsecond line"},
      {"replace in an empty selection does nothing", "replace $selectedtext,o,0;", 0, 0, start},
      {"replace does not rescan what it inserted", "replace $alltext,l,ll;", 0, 0,
       "Hellllo worlld\r\nsecond lline"},
      {"replace is case-sensitive", "replace $alltext,hello,X;", 0, 0, start},
      {"replace needs three arguments", "replace $alltext,o;", 0, 0, start},
      {"replace with an empty find changes nothing", "replace $alltext,,x;", 0, 0, start},
      {"recode a literal, lowered", "recode win,dos,АБ;", 0, 0,
       text::ConvertCodePage(QStringLiteral("аб"), 1, 2)},
      {"recode by numbers", "recode 1,3,$selectedtext;", 0, 5,
       text::ConvertCodePage(QStringLiteral("Hello"), 1, 3) + " world\r\nsecond line"},
      {"recode by a number with trailing text", "recode 2abc,1,x;", 0, 0,
       text::ConvertCodePage(QStringLiteral("x"), 2, 1)},
      {"recode: unknown word", "recode dos,utf,x;", 0, 0, start},
      {"recode: no number is code page 0", "recode abc,1,x;", 0, 0, start},
      {"recode: number out of range", "recode 6,1,x;", 0, 0, start},
      {"recode: negative number", "recode -1,1,x;", 0, 0, start},
      {"recode: missing text", "recode dos,win;", 0, 0, start},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setUp(start, c.selStart, c.selEnd);
    run(c.script);
    EXPECT_EQ(edit.text(), c.text);
  }
}

TEST_F(MacroCommands, RecodeOfTheWholeTextGoesIntoTheSelection) {
  const QString dos = text::ConvertCodePage(QStringLiteral("Привет"), 1, 2);
  setUp(dos + "\r\nline", 0, 3);
  run("recode dos,win,$alltext;");
  EXPECT_EQ(edit.text(), "Привет\r\nline" + dos.mid(3) + "\r\nline");
}

TEST_F(MacroCommands, ReplaceFromTheClipboardLeavesTheClipboardAlone) {
  setUp("abc def", 4, 7);
  clipboard.setText("one two");
  run("replace $clipboardtext,o,0;");
  EXPECT_EQ(edit.text(), "abc 0ne tw0");
  EXPECT_EQ(clipboard.text(), "one two");
}

TEST_F(MacroCommands, ClipboardCommands) {
  setUp("abc");
  clipboard.setText("x");
  run("setclipboardtext Some Text;");
  EXPECT_EQ(clipboard.text(), "some text");
  run("clearclipboard;");
  EXPECT_EQ(clipboard.text(), "");
  run("setclipboardtext $ostrelversion;");
  EXPECT_EQ(clipboard.text(), ::shell::kVersion);
}

TEST_F(MacroCommands, ShellExecuteOpensTheTrimmedTargetAsWritten) {
  setUp("abc");
  put(path("Report.TXT"), "r");
  openedFile = path("Report.TXT");
  run("shellexecute  https://example.org/Some/Path ;shellexecute $openedfile;shellexecute ;");
  ASSERT_EQ(opened.urls.size(), 2);
  EXPECT_EQ(opened.urls[0].toString(), "https://example.org/Some/Path");
  EXPECT_EQ(opened.urls[1].toLocalFile(), path("Report.TXT"));
}

TEST_F(MacroCommands, SetSelectionSelectsColumnsOfTheSharedLine) {
  struct Case {
    const char* name;
    QString script;
    int sharedLine;
    SelRange expect;  // also what the shared range holds afterwards
  };
  const SelRange untouched{1, 1, 1, 1, false};
  const Case cases[] = {
      {"columns of the shared line", "setselection 2,5;", 1, {1, 2, 1, 5, false}},
      {"spaces around numbers", "setselection 2, 5 ;", 1, {1, 2, 1, 5, false}},
      {"reversed", "setselection 5,2;", 1, {1, 2, 1, 5, false}},
      {"kept inside the line", "setselection 3,99;", 0, {0, 3, 0, 5, false}},
      {"line past the end", "setselection 0,1;", 7, {2, 0, 2, 1, false}},
      {"not a number", "setselection a,2;", 1, untouched},
      {"negative", "setselection -1,2;", 1, untouched},
      {"one number only", "setselection 3;", 1, untouched},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setUp("short\r\nlonger line\r\nlast", 8, 8);  // caret at line 1, column 1
    shared.startLine = shared.endLine = c.sharedLine;
    run(c.script);
    EXPECT_EQ(edit.selection(), c.expect);
    if (c.expect != untouched) {
      EXPECT_EQ(shared, c.expect);
    }
  }
}

TEST_F(MacroCommands, FindSelectsTheFirstOccurrence) {
  const QString start = QStringLiteral("one two\r\nthree two\r\nfour two");
  struct Case {
    const char* name;
    QString script;
    int selStart, selEnd;
    SelRange expect;
  };
  const SelRange untouched{1, 0, 1, 5, false};  // "three"
  const Case cases[] = {
      {"in the whole text", "find $alltext,two;", 9, 14, {0, 4, 0, 7, false}},
      {"lowered literal", "find $alltext,FOUR;", 9, 14, {2, 0, 2, 4, false}},
      {"inside the selection", "find $selectedtext,two;", 5, 26, {1, 6, 1, 9, false}},
      {"selection over lines", "find $selectedtext,four;", 5, 26, {2, 0, 2, 4, false}},
      {"not found", "find $alltext,five;", 9, 14, untouched},
      {"not inside the selection", "find $selectedtext,one;", 9, 14, untouched},
      {"where in capitals", "find $AllText,two;", 9, 14, untouched},
      {"any other where", "find two,two;", 9, 14, untouched},
      {"empty text", "find $alltext,;", 9, 14, untouched},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setUp(start, c.selStart, c.selEnd);
    run(c.script);
    EXPECT_EQ(edit.selection(), c.expect);
    EXPECT_EQ(edit.text(), start);
  }
  setUp("x\r\nab\r\ncd", 0, 0);
  run("find $alltext,b\r\nc;");  // CR LF is deleted from the script: looks for "bc"
  EXPECT_EQ(edit.selection(), SelRange{});
}

TEST_F(MacroCommands, WriteToFileWritesLoweredTextIntoTheFoundFile) {
  QDir().mkpath(path("Notes"));
  put(path("Notes/Old.TXT"), "old content");
  const QString folder = dir.path().toLower();
  struct Case {
    const char* name;
    QString script;
    QString file;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"existing file, path lowered", "writetofile " + folder + "/notes/old.txt,Hello World;",
       path("Notes/Old.TXT"), "hello world\r\n"},
      {"new file in a mixed-case folder", "writetofile " + folder + "/NOTES/New.txt, Привет ;",
       path("Notes/new.txt"), "\xef\xf0\xe8\xe2\xe5\xf2\r\n"},
      {"beyond Windows-1251: UTF-8", "writetofile " + folder + "/notes/u.txt,日本;",
       path("Notes/u.txt"), "日本\r\n"},
      {"a variable's value unchanged", "writetofile " + folder + "/notes/v.txt,$alltext;",
       path("Notes/v.txt"), "Doc\r\nText\r\n"},
      {"no text: the file is left alone", "writetofile " + folder + "/notes/old.txt;",
       path("Notes/Old.TXT"), "hello world\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setUp("Doc\r\nText");
    run(c.script);
    EXPECT_EQ(bytesOf(c.file), c.bytes);
  }
}

TEST_F(MacroCommands, FailedWriteLeavesTheOldFile) {
  put(path("keep.txt"), "old content");
  setUp(QString(4096, u'x'));
  {
    const test_files::FileSizeLimit limit(16);  // as on a full disk
    ASSERT_TRUE(limit.active());
    run("writetofile " + path("keep.txt") + ",$alltext;join " + path("keep.txt") + "," +
        path("keep.txt") + "," + path("keep.txt") + ";");
  }
  EXPECT_EQ(bytesOf(path("keep.txt")), "old content");
}

TEST_F(MacroCommands, ReadFromFileIsOneUndoableEdit) {
  put(path("In.txt"), "Первая\nвторая");
  setUp("old text", 0, 3);
  openedFile = "/docs/current.txt";
  QSignalSpy changed(&edit, &platform::EditControl::changed);
  run("readfromfile " + path("In.txt").toUpper() + ";");
  EXPECT_EQ(edit.text(), "Первая\r\nвторая");
  EXPECT_GE(changed.count(), 1) << "the document turns modified";
  EXPECT_EQ(openedFile, "/docs/current.txt");
  edit.undo();
  EXPECT_EQ(edit.text(), "old text");

  QDir().mkpath(path("folder"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")), 0600), 0);
  for (const QString& source : {path("missing.txt"), path("folder"), path("pipe"), QString()}) {
    SCOPED_TRACE(source.toStdString());
    setUp("old text");
    run("readfromfile " + source + ";");  // a pipe must not hang the run
    EXPECT_EQ(edit.text(), "old text");
  }
}

TEST_F(MacroCommands, JoinWritesBothFilesOrNothing) {
  put(path("A.txt"), "first");
  put(path("B.txt"), "second\r\n");
  put(path("Out.txt"), "previous");
  struct Case {
    const char* name;
    QString script;
    QByteArray output;
  };
  const Case cases[] = {
      {"both files", "join " + path("A.txt") + "," + path("B.txt") + "," + path("Out.txt") + ";",
       "first\r\nsecond\r\n\r\n"},
      {"first file missing",
       "join " + path("none.txt") + "," + path("B.txt") + "," + path("Out.txt") + ";", "previous"},
      {"no output", "join " + path("A.txt") + "," + path("B.txt") + ";", "previous"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    put(path("Out.txt"), "previous");
    run(c.script);
    EXPECT_EQ(bytesOf(path("Out.txt")), c.output);
  }
}

TEST_F(MacroCommands, CreateFileAndKillFile) {
  put(path("keep.txt"), "content");
  QDir().mkpath(path("Sub.tmp"));
  put(path("Sub.tmp/inner.tmp"), "i");
  put(path("x.tmp"), "x");
  put(path("Y.TMP"), "y");
  run("createfile " + path("new.txt") + ";createfile " + path("keep.txt") + " ;createfile " +
      path("nofolder/z.txt") + ";");
  EXPECT_EQ(bytesOf(path("new.txt")), "");
  EXPECT_EQ(bytesOf(path("keep.txt")), "content");
  EXPECT_FALSE(QFileInfo::exists(path("nofolder")));

  run("killfile " + path("*.tmp") + ";killfile " + path("Sub.tmp") + ";killfile " +
      path("new.txt") + ";");
  EXPECT_FALSE(QFileInfo::exists(path("x.tmp")));
  EXPECT_FALSE(QFileInfo::exists(path("Y.TMP")));
  EXPECT_FALSE(QFileInfo::exists(path("new.txt")));
  EXPECT_EQ(bytesOf(path("Sub.tmp/inner.tmp")), "i");
  EXPECT_EQ(bytesOf(path("keep.txt")), "content");
}

}  // namespace
}  // namespace automation
