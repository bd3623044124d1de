// Passing the text through real programs: what comes back, what the log says, which files a run
// leaves, and that no failure of the program costs the user the text.
#include <sys/stat.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include "automation/frm_program_wait.h"
#include "automation/program_fixture.h"
#include "automation/program_log.h"
#include "document/open_file.h"

namespace automation {
namespace {

using Result = ProgramExchange::Result;

using ProgramExchangeTest = ProgramWindowTest;

TEST_F(ProgramExchangeTest, TheResultTakesThePlaceOfWhatWasSent) {
  struct Case {
    QString commandLine;
    QString text;
    QString select;  // "" sends the whole text
    QString expect;
    bool changed;
  } cases[] = {
      // An identity filter gives back exactly the selection: the line end written after it
      // comes off again.
      {"cp|$infile|$outfile", "один два три", "два", "один два три", false},
      {filter("upper") + "|$infile|$outfile", "один два три", "два", "один два три", false},
      {filter("upper") + "|$infile|$outfile", "one two\r\nthree", "", "ONE TWO\r\nTHREE", true},
      // Without an output file the result is read back from the input file.
      {filter("upper") + "|$infile", "one two\r\nthree", "two", "one TWO\r\nthree", true},
      // A program that really writes an empty result empties the selection.
      {filter("empty") + "|$infile|$outfile", "one two\r\nthree", "two", "one \r\nthree", true},
      // Nothing after a NUL byte is cut off, in a selection or in the whole text.
      {filter("zero") + "|$infile|$outfile", "one two\r\nthree", "one two",
       QString::fromUtf8("one\0two\r\nthree", 14), true},
      {filter("zero") + "|$infile|$outfile", "a b\r\nc d", "", QString::fromUtf8("a\0b\r\nc\0d", 8),
       true},
  };
  startWith({});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.commandLine.toStdString());
    setText(c.text, c.select);
    QFile::remove(homePath("Program.log"));
    ASSERT_EQ(m_programs->exchange().run(c.commandLine, "Фильтр"), Result::Done);
    EXPECT_EQ(m_window->txtMain().text(), c.expect);
    // The length the status bar shows follows the new text.
    EXPECT_EQ(m_window->txtMain().textLength(), c.expect.size());
    EXPECT_TRUE(
        logText().endsWith(c.changed ? "Текст изменен.\r\n\r\n" : "Текст не изменен.\r\n\r\n"))
        << logText().toStdString();
    // The private folder of the run is gone with everything in it.
    EXPECT_EQ(temporaryLeft(), QStringList());
  }
  // Each result is one step of undo.
  m_window->txtMain().undo();
  EXPECT_EQ(m_window->txtMain().text(), "a b\r\nc d");
}

TEST_F(ProgramExchangeTest, TheLogRecordsEveryRunOnlyWhenAskedTo) {
  startWith({"cp|$infile|$outfile>Копия", filter("upper") + "|$infile|$outfile>Верхний"});
  setText("abc");
  shell::MenuArray* menu = m_window->commands().array("mnuProgram");
  // A hot key's name shown after the caption goes into the log as shown.
  menu->item(2)->setText("Верхний\tCtrl+U");
  const QDateTime before = QDateTime::currentDateTime();
  menu->item(1)->trigger();
  menu->item(2)->trigger();
  const QDateTime after = QDateTime::currentDateTime();
  EXPECT_EQ(m_window->txtMain().text(), "ABC");
  const QString stamp = R"((\d\d) (\d\d) (\d\d), ([01]\d|2[0-3]):[0-5]\d:[0-5]\d)";
  const QRegularExpression entry("^" + stamp +
                                 " - Обработка выделенного блока программой Копия\r\n" + stamp +
                                 " - Обработка закончена. Текст не изменен.\r\n\r\n" + stamp +
                                 " - Обработка выделенного блока программой Верхний\tCtrl\\+U\r\n" +
                                 stamp + " - Обработка закончена. Текст изменен.\r\n\r\n$");
  const QRegularExpressionMatch match = entry.match(logText());
  ASSERT_TRUE(match.hasMatch()) << logText().toStdString();
  // Month, day and year, in that order.
  const QString date = match.captured(1) + match.captured(2) + match.captured(3);
  EXPECT_TRUE(date == before.toString("MMddyy") || date == after.toString("MMddyy"))
      << date.toStdString();

  // Switched off, the log is left as it is.
  const QString logged = logText();
  m_settings->set(platform::Setting::BlockToLog, "0");
  menu->item(1)->trigger();
  EXPECT_EQ(logText(), logged);
  QFile::remove(homePath("Program.log"));
  menu->item(2)->trigger();
  EXPECT_FALSE(QFile::exists(homePath("Program.log")));
}

TEST_F(ProgramExchangeTest, TheTextGoesOutAsTheDocumentIsStored) {
  using platform::Encoding;
  using platform::LineEnd;
  struct Case {
    platform::TextFormat format;
    QString mode;
    QString text;
    QString expect;
  } cases[] = {
      // A filter of this system sees no CR in a document with its line ends.
      {{Encoding::Utf8, false, LineEnd::Lf}, "markcr", "a\r\nb", "a\r\nb"},
      {{Encoding::Utf8, false, LineEnd::CrLf}, "markcr", "a\r\nb", "a<CR>\r\nb<CR>"},
      {{Encoding::Utf8, true, LineEnd::Lf}, "upper", "ёж\r\nb", "ёж\r\nB"},
      // A Windows-1251 document goes out and comes back in Windows-1251.
      {{Encoding::Windows1251, false, LineEnd::CrLf}, "upper", "абв\r\nxyz", "абв\r\nXYZ"},
      {{Encoding::Windows1251, false, LineEnd::Lf}, "markcr", "абв\r\nxyz", "абв\r\nxyz"},
  };
  startWith({});
  for (const Case& c : cases) {
    SCOPED_TRACE((c.mode + " " + c.text).toStdString());
    m_window->txtMain().setFileFormat(c.format);
    setText(c.text);
    ASSERT_EQ(m_programs->exchange().run(filter(c.mode) + "|$infile|$outfile", "Фильтр"),
              Result::Done);
    EXPECT_EQ(m_window->txtMain().text(), c.expect);
  }
}

TEST_F(ProgramExchangeTest, ArgumentsArriveWholeWithoutAShell) {
  // A program in a folder with a space, an output file of the user's choice in another.
  QDir().mkpath(homePath("my progs"));
  QDir().mkpath(homePath("out dir"));
  const QString program = homePath("my progs/filter");
  ASSERT_TRUE(QFile::copy(QStringLiteral(OSTREL_TEST_FILTER), program));
  const QString output = homePath("out dir/result file.txt");
  writeFile("out dir/result file.txt", "left from before");
  writeFile("Macroses.lst", "$who=Мир\r\n");
  startWith({});
  setText("text");
  const QString commandLine = "\"" + program + "\" args|$infile|" + output +
                              "|$who says||; touch " + homePath("pwned") + "|$(id)";
  ASSERT_EQ(m_programs->exchange().run(commandLine, "Аргументы"), Result::Done);
  const QStringList lines = m_window->txtMain().text().split("\r\n");
  ASSERT_EQ(lines.size(), 5) << m_window->txtMain().text().toStdString();
  EXPECT_TRUE(QRegularExpression("/ostrel-program-[^/]+/filein$").match(lines[0]).hasMatch())
      << lines[0].toStdString();
  EXPECT_EQ(lines.mid(1),
            QStringList({output, "Мир says", "; touch " + homePath("pwned"), "$(id)"}));
  EXPECT_FALSE(QFile::exists(homePath("pwned")));
  // The user's output file stays; the private input file went with its folder.
  EXPECT_TRUE(QFile::exists(output));
  EXPECT_EQ(temporaryLeft(), QStringList());
}

TEST_F(ProgramExchangeTest, FilesOfARunArePrivateAndRemoved) {
  startWith({});
  setText("text");
  ASSERT_EQ(m_programs->exchange().run(filter("modes") + "|$infile|$outfile", "Права"),
            Result::Done);
  EXPECT_EQ(m_window->txtMain().text(), "600 700");
  EXPECT_EQ(temporaryLeft(), QStringList());

  // An input file of the user's choice is removed after the run, the output file kept.
  setText("text");
  const QString input = homePath("in.txt");
  const QString output = homePath("out.txt");
  ASSERT_EQ(m_programs->exchange().run(filter("upper") + "|" + input + "|" + output, "Свои"),
            Result::Done);
  EXPECT_EQ(m_window->txtMain().text(), "TEXT");
  EXPECT_FALSE(QFile::exists(input));
  EXPECT_TRUE(QFile::exists(output));

  // A file that was there before is the user's: the document's own file, named as the input,
  // is written to but never deleted.
  const QString document = writeFile("doc.txt", "old");
  m_ui.answerMessage(platform::MsgAnswer::No, "Сохранить");
  ASSERT_TRUE(document::LFile(*m_window, document));
  setText("new");
  ASSERT_EQ(m_programs->exchange().run(filter("upper") + "|$openedfile", "Свой файл"),
            Result::Done);
  EXPECT_EQ(m_window->txtMain().text(), "NEW");
  QFile kept(document);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "NEW\r\n");
}

TEST_F(ProgramExchangeTest, TheShippedEntryRemovesSpacesAtLineEnds) {
  if (QStandardPaths::findExecutable("sed").isEmpty()) GTEST_SKIP() << "no sed on this system";
  QFile shipped(QStringLiteral(OSTREL_SOURCE_DATA "/Programs.lst"));
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  writeFile("Programs.lst", shipped.readAll());
  m_programs = ProgramsOf(start());
  const QStringList captions = menuCaptions();
  const qsizetype item = captions.indexOf("Убрать пробелы в конце строк");
  ASSERT_GE(item, 0) << captions.join(", ").toStdString();
  struct Case {
    QString text;
    QString select;
    QString expect;
  } cases[] = {
      {"один  \r\nдва\t\r\n  три \t", "", "один\r\nдва\r\n  три"},
      {"x  \r\ny  ", "x  ", "x\r\ny  "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    setText(c.text, c.select);
    QFile::remove(homePath("Program.log"));
    m_window->commands().array("mnuProgram")->item(int(item))->trigger();
    EXPECT_EQ(m_window->txtMain().text(), c.expect);
    EXPECT_TRUE(logText().endsWith("Текст изменен.\r\n\r\n")) << logText().toStdString();
  }
  EXPECT_TRUE(m_ui.messages.isEmpty());
  EXPECT_EQ(temporaryLeft(), QStringList());
}

TEST_F(ProgramExchangeTest, OnlyOneRunAtATimeAndItCanBeStopped) {
  startWith({filter("wait") + "|$infile|$outfile>Ждать", "cp|$infile|$outfile>Копия"});
  setText("one two three", "two");
  ProgramExchange& exchange = m_programs->exchange();
  exchange.setBusyDelay(0);
  shell::MenuArray* menu = m_window->commands().array("mnuProgram");
  bool checked = false;
  // A run that never ends would hang the test: stop it after a while whatever happens.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&exchange] {
    ADD_FAILURE() << "the run was never stopped";
    exchange.stop();
  });
  guard.start(60000);
  QTimer::singleShot(0, [&] {
    // The window works while the program runs; the programs wait.
    EXPECT_TRUE(exchange.isRunning());
    EXPECT_FALSE(menu->item(1)->isEnabled());
    EXPECT_FALSE(menu->item(2)->isEnabled());
    menu->item(2)->trigger();
    EXPECT_EQ(m_programs->process(1), Result::Refused);
    m_window->txtMain().setSelection({0, 4, 0, 7});
    // Closing the window would leave the program's result nowhere.
    m_ui.answerMessage(platform::MsgAnswer::Ok, "Дождитесь");
    EXPECT_FALSE(m_window->close());
    while (!exchange.busyWindow()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    auto* stop = exchange.busyWindow()->findChild<QPushButton*>("cmdStop");
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), "Остановить");
    EXPECT_TRUE(exchange.busyWindow()->isVisible());
    checked = true;
    stop->click();
  });
  menu->item(1)->trigger();
  EXPECT_TRUE(checked);
  EXPECT_FALSE(exchange.isRunning());
  EXPECT_EQ(exchange.busyWindow(), nullptr);
  EXPECT_EQ(m_window->txtMain().text(), "one two three");
  EXPECT_TRUE(logText().endsWith("Текст не изменен.\r\n\r\n"));
  EXPECT_EQ(temporaryLeft(), QStringList());
  // Once it has ended the menu works again.
  EXPECT_TRUE(menu->item(2)->isEnabled());
  m_window->txtMain().setSelection({0, 4, 0, 7});
  EXPECT_EQ(m_programs->process(1), Result::Done);
}

TEST_F(ProgramExchangeTest, AResultIsNotPutIntoAnotherDocument) {
  startWith({filter("gate") + "|$infile|$outfile>Шлюз"});
  setText("one two three", "two");
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [this] {
    ADD_FAILURE() << "the program was never let go";
    m_programs->exchange().stop();
  });
  guard.start(60000);
  QTimer::singleShot(0, [this] {
    // The user begins a new document while the program works, then lets the program finish.
    click("mnuNew");
    m_window->txtMain().setText("новый");
    const QStringList runs = QDir(homePath("tmp")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(runs.size(), 1);
    writeFile("tmp/" + runs[0] + "/go", "");
  });
  m_ui.answerMessage(platform::MsgAnswer::No, "Сохранить")
      .answerMessage(platform::MsgAnswer::Ok, "другой документ");
  EXPECT_EQ(m_programs->process(0), Result::Failed);
  EXPECT_EQ(m_window->txtMain().text(), "новый");
  // A run after it puts its result in place again.
  setText("one two three", "two");
  EXPECT_EQ(m_programs->exchange().run(filter("upper") + "|$infile|$outfile", "Верхний"),
            Result::Done);
  EXPECT_EQ(m_window->txtMain().text(), "one TWO three");
}

// A reload of the file from disk while the program works is a new text too: the result made of
// the old one does not replace what was read.
TEST_F(ProgramExchangeTest, AResultIsNotPutIntoAReloadedDocument) {
  startWith({filter("gate") + "|$infile|$outfile>Шлюз"});
  const QString path = writeFile("a.txt", "one two three");
  ASSERT_TRUE(document::LFile(*m_window, path));
  m_window->txtMain().setSelection({0, 4, 0, 7});
  QTimer::singleShot(0, [this, path] {
    writeFile("a.txt", "changed on disk");
    EXPECT_TRUE(document::ReloadDocument(*m_window));
    const QStringList runs = QDir(homePath("tmp")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(runs.size(), 1);
    writeFile("tmp/" + runs[0] + "/go", "");
  });
  m_ui.answerMessage(platform::MsgAnswer::Ok, "перечитан с диска");
  EXPECT_EQ(m_programs->process(0), Result::Failed);
  EXPECT_EQ(m_window->txtMain().text(), "changed on disk");
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(ProgramExchangeTest, ALineWithoutAnInputFileOnlyStartsTheProgram) {
  startWith({"true>Запуск", homePath("missing") + ">Нет такой"});
  setText("one two three", "two");
  EXPECT_EQ(m_programs->process(0), Result::Started);
  EXPECT_EQ(m_window->txtMain().text(), "one two three");
  m_ui.answerMessage(platform::MsgAnswer::Ok, "Не удалось запустить");
  EXPECT_EQ(m_programs->process(1), Result::Failed);
  EXPECT_FALSE(QFile::exists(homePath("Program.log")));
}

TEST_F(ProgramExchangeTest, AReadOnlyDocumentIsNotSentAnywhere) {
  startWith({"cp|$infile|$outfile>Копия"});
  setText("one two three", "two");
  m_window->txtMain().setReadOnly(true);
  m_ui.answerMessage(platform::MsgAnswer::Ok, "только для чтения");
  EXPECT_EQ(m_programs->process(0), Result::Refused);
  EXPECT_FALSE(QFile::exists(homePath("Program.log")));
}

}  // namespace
}  // namespace automation
