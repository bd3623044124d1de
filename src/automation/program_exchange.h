// Passing the text through an external program: the selection (or the whole text) goes to it in
// a file, the program runs while the window keeps working, and what it leaves in its result file
// takes the place of what was sent, as one undoable edit. Every run may be logged.
//
// The text is never lost: when the program cannot start, is killed, is stopped or fails without
// a result, the text stays as it was and the user is told why; a result left by a program that
// failed goes in only when the user says so. Only one run is active at a time.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "automation/frm_program_wait.h"
#include "platform/process_run.h"

namespace shell {
class FrmMain;
}

namespace automation {

class ProgramExchange : public QObject {
  Q_OBJECT
 public:
  enum class Result {
    Refused,  // another run is active, or the document takes no edits
    Failed,   // the text is as it was; the user has been told why
    Stopped,  // the user stopped the program; the text is as it was
    Started,  // a line without an input file: the program was only started
    Done,     // the result is in place
  };

  explicit ProgramExchange(shell::FrmMain& window);

  // Runs one program line over the text; `caption` is the menu's caption as shown, for the log
  // and the messages.
  Result run(const QString& commandLine, const QString& caption);
  bool isRunning() const { return m_running; }
  // Stops the running program; its run then keeps the text as it was.
  void stop() { m_process.stop(); }

  // How long a run may take before the window with "Остановить" appears.
  void setBusyDelay(int milliseconds) { m_busyTimer.setInterval(milliseconds); }
  // That window while it is shown; nullptr otherwise.
  FrmProgramWait* busyWindow() const { return m_busyWindow; }

 Q_SIGNALS:
  void runningChanged(bool running);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Exchange;
  Result exchange(Exchange& run);
  Result finish(Exchange& run, const platform::ProcessOutcome& outcome);
  // The result of a program that ended on its own, put in place or refused.
  Result takeResult(Exchange& run, const platform::ProcessOutcome& outcome);
  // Whether the result of a program that ended with a failure code goes in; when not, the run
  // has been logged and the user told.
  bool takeFailedResult(const QString& name, const platform::ProcessOutcome& outcome, bool changed);
  // Logs the run's end with the text unchanged, then tells the user why.
  Result fail(const QString& text);
  void setRunning(bool running);
  void showBusyWindow();
  void tell(const QString& text);
  void log(const QString& lines);

  shell::FrmMain& m_window;
  platform::ProcessRun m_process;
  QTimer m_busyTimer;
  QPointer<FrmProgramWait> m_busyWindow;
  QString m_caption;
  bool m_running = false;
  bool m_documentReplaced = false;  // another document was opened while the program ran
};

}  // namespace automation
