// Programs that fail, are killed or are stopped: the text stays unless the user takes what a
// failed program left, the user hears why, the log is whole by then, and nothing the program
// started lives on.
#include <QPushButton>
#include <QTimer>

#include "automation/program_fixture.h"
#include "automation/program_line.h"
#include "support/processes.h"

namespace automation {
namespace {

using Result = ProgramExchange::Result;

using ProgramFailureTest = ProgramWindowTest;

TEST_F(ProgramFailureTest, AFailedRunKeepsTheText) {
  struct Case {
    QString commandLine;
    QStringList said;  // parts of what the user is told
    QString notSaid;   // "" when nothing is left out
  } cases[] = {
      {homePath("no such program") + "|$infile|$outfile", {"Не удалось запустить"}, ""},
      // A killed program's result is half its work, however much of it there is.
      {filter("crash") + "|$infile|$outfile",
       {"завершилась аварийно (сигнал 6, SIGABRT)", "сбой"},
       ""},
      // The first lines of the complaint, not all thirty.
      {filter("fail") + "|$infile|$outfile",
       {"завершилась с кодом 3 и не оставила результата", "ошибка 1\n", "ошибка 10\n…"},
       "ошибка 11"},
      {filter("nothing") + "|$infile|$outfile", {"не оставила результата"}, "с кодом"},
      // A result file of the user's choice is emptied first; empty with a failure code is no
      // result.
      {filter("fail") + "|$infile|" + homePath("old result.txt"),
       {"с кодом 3 и не вернула текст", "ошибка 1"},
       ""},
      // No output file, and the input comes back untouched: the user still learns of the failure.
      {"sh -c 'echo \"плохое выражение\" >&2; exit 1' sh|$infile",
       {"с кодом 1 и не изменила текст", "плохое выражение"},
       ""},
      {"sort|" + homePath("no folder/in.txt") + "|$outfile", {"Не удалось записать"}, ""},
      {"", {"не указано"}, ""},
      {"sed 's/a/b/|$infile", {"не закрыта кавычка"}, ""},
  };
  startWith({});
  // A log read while the message is open has the whole entry of the run.
  const auto logComplete = [this] {
    const QString log = logText();
    EXPECT_EQ(log.count("Обработка выделенного блока"), log.count("Обработка закончена"))
        << log.toStdString();
    EXPECT_TRUE(log.isEmpty() || log.endsWith("Текст не изменен.\r\n\r\n")) << log.toStdString();
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.commandLine.toStdString());
    writeFile("old result.txt", "old result");
    setText("one two three", "two");
    m_ui.answerMessage(platform::MsgAnswer::Ok, c.said.first(), logComplete);
    EXPECT_EQ(m_programs->exchange().run(c.commandLine, "Сбой"), Result::Failed);
    EXPECT_EQ(m_window->txtMain().text(), "one two three");
    EXPECT_EQ(m_window->txtMain().selectedText(), "two");
    EXPECT_FALSE(m_programs->exchange().isRunning());
    EXPECT_EQ(temporaryLeft(), QStringList());
    ASSERT_FALSE(m_ui.messages.isEmpty());
    const QString told = m_ui.messages.last().text;
    for (const QString& part : c.said) EXPECT_TRUE(told.contains(part)) << told.toStdString();
    if (!c.notSaid.isEmpty()) {
      EXPECT_FALSE(told.contains(c.notSaid)) << told.toStdString();
    }
  }
  EXPECT_EQ(m_ui.messages.size(), int(std::size(cases)));
  EXPECT_FALSE(logText().contains("Текст изменен"));
}

TEST_F(ProgramFailureTest, AResultOfAFailedProgramGoesInOnlyWhenTheUserSaysSo) {
  const QString question = "Программа завершилась с кодом 3. Вставить результат?";
  struct Case {
    platform::MsgAnswer answer;
    Result result;
    QString expect;
    QString logEnd;
  } cases[] = {
      {platform::MsgAnswer::No, Result::Failed, "one two three", "Текст не изменен.\r\n\r\n"},
      {platform::MsgAnswer::Yes, Result::Done, "one partial three", "Текст изменен.\r\n\r\n"},
  };
  startWith({});
  int asked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.answer));
    setText("one two three", "two");
    QFile::remove(homePath("Program.log"));
    m_ui.answerMessage(c.answer, question);
    EXPECT_EQ(m_programs->exchange().run(filter("partial") + "|$infile|$outfile", "Проверка"),
              c.result);
    // One question and nothing more, whatever the answer.
    ASSERT_EQ(m_ui.messages.size(), ++asked);
    const testing_support::AskedMessage& message = m_ui.messages.last();
    EXPECT_TRUE(message.text.startsWith(question)) << message.text.toStdString();
    // The complaint helps to decide.
    EXPECT_TRUE(message.text.contains("ошибка 1\n")) << message.text.toStdString();
    // Enter keeps the text.
    EXPECT_EQ(message.buttons, platform::MsgButtons::YesNoDefaultNo);
    EXPECT_EQ(m_window->txtMain().text(), c.expect);
    EXPECT_TRUE(logText().endsWith(c.logEnd)) << logText().toStdString();
    EXPECT_EQ(logText().count("Обработка закончена"), 1);
    EXPECT_EQ(temporaryLeft(), QStringList());
  }
}

TEST_F(ProgramFailureTest, StopEndsWhatTheProgramStarted) {
  writeFile("child.sh", "sleep 60 &\necho $! > \"$(dirname \"$0\")/child.pid\"\nwait\n");
  startWith({"sh " + QuoteProgramPath(homePath("child.sh")) + "|$infile|$outfile>Сценарий"});
  setText("one two three", "two");
  ProgramExchange& exchange = m_programs->exchange();
  exchange.setBusyDelay(0);
  qint64 child = 0;
  QTimer::singleShot(0, [&] {
    child = testing_support::WaitForPidFile(homePath("child.pid"));
    EXPECT_TRUE(QTest::qWaitFor([&exchange] { return exchange.busyWindow() != nullptr; }, 10000));
    if (!exchange.busyWindow()) return exchange.stop();
    exchange.busyWindow()->findChild<QPushButton*>("cmdStop")->click();
  });
  EXPECT_EQ(m_programs->process(0), Result::Stopped);
  ASSERT_GT(child, 0);
  EXPECT_TRUE(QTest::qWaitFor([child] { return testing_support::ProcessGone(child); }, 10000))
      << "the script's command " << child << " outlived the stop";
  EXPECT_EQ(m_window->txtMain().text(), "one two three");
  EXPECT_TRUE(logText().endsWith("Текст не изменен.\r\n\r\n"));
  EXPECT_EQ(temporaryLeft(), QStringList());
}

// Escape in the window belongs to the running program, even with the exit on Escape turned on:
// the program stops, the text stays, and the window is still there.
TEST_F(ProgramFailureTest, EscapeStopsTheProgramAndNeverClosesTheWindow) {
  writeFile("wait.sh", "echo started > \"$(dirname \"$0\")/started\"\nsleep 5\n");
  m_settings->set(platform::Setting::ExitOnEscape, "1");
  startWith({"sh " + QuoteProgramPath(homePath("wait.sh")) + "|$infile|$outfile>Ожидание"});
  setText("one two three", "two");
  m_window->show();
  bool stillVisible = false;
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(QTest::qWaitFor([this] { return QFile::exists(homePath("started")); }, 10000));
    QTest::keyClick(m_window->txtMain().focusWidget(), Qt::Key_Escape);
    stillVisible = m_window->isVisible();
  });
  EXPECT_EQ(m_programs->process(0), Result::Stopped);
  EXPECT_TRUE(stillVisible);
  EXPECT_TRUE(m_window->isVisible());
  EXPECT_EQ(m_window->txtMain().text(), "one two three");
  EXPECT_TRUE(logText().endsWith("Текст не изменен.\r\n\r\n"));
}

}  // namespace
}  // namespace automation
