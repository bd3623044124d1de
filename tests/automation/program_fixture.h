// A main window with programs in its list, a private temporary folder for the runs (so a test
// can see what a run leaves behind) and the test filter program at hand.
#pragma once

#include <QAction>
#include <QDir>
#include <QFile>

#include "automation/programs.h"
#include "platform/edit_control.h"
#include "platform/text_file.h"
#include "support/main_window_fixture.h"

namespace automation {

class ProgramWindowTest : public testing_support::MainWindowTest {
 protected:
  ProgramWindowTest() : m_oldTemp(qgetenv("TMPDIR")) {
    QDir().mkpath(homePath("tmp"));
    qputenv("TMPDIR", homePath("tmp").toLocal8Bit());
  }
  ~ProgramWindowTest() override {
    if (m_oldTemp.isNull())
      qunsetenv("TMPDIR");
    else
      qputenv("TMPDIR", m_oldTemp);
  }

  // The test filter with its mode, as the program field of a line.
  static QString filter(const QString& mode) {
    return QStringLiteral(OSTREL_TEST_FILTER) + u' ' + mode;
  }

  // Starts the window with these lines in "Programs.lst".
  shell::FrmMain& startWith(const QStringList& lines) {
    writeFile("Programs.lst", lines.join("\r\n").toUtf8() + "\r\n");
    shell::FrmMain& window = start();
    m_programs = ProgramsOf(window);
    return window;
  }

  // Sets a one-line text and selects `part` of it ("" selects nothing).
  void setText(const QString& text, const QString& part = QString()) {
    platform::EditControl& editor = m_window->txtMain();
    editor.setText(text);
    const int at = part.isEmpty() ? 0 : int(text.indexOf(part));
    editor.setSelection({0, at, 0, at + int(part.size())});
  }

  QString logText() const {
    QFile file(homePath("Program.log"));
    return file.open(QIODevice::ReadOnly) ? platform::TextFile::decode(file.readAll()) : QString();
  }
  // What runs left in the temporary folder.
  QStringList temporaryLeft() const {
    return QDir(homePath("tmp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }
  QStringList menuCaptions() const {
    QStringList captions;
    for (QAction* item : m_window->commands().array("mnuProgram")->items()) captions << item->text();
    return captions;
  }

  Programs* m_programs = nullptr;
  QByteArray m_oldTemp;
};

}  // namespace automation
