// Scripts run as the program runs them: a real editing control offscreen, the real clipboard and
// shell (the "open" verb caught before it reaches the desktop), the shared selection range and the
// document's path as the main window would hand them over, and a temporary folder for files.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "automation/editor_macro_host.h"
#include "automation/macro_script.h"
#include "platform/clipboard.h"
#include "platform/edit_control.h"
#include "platform/shell.h"
#include "support/qt_print.h"
#include "support/url_catcher.h"

namespace platform {
inline void PrintTo(const SelRange& r, std::ostream* os) {
  *os << "(" << r.startLine << "," << r.startCol << ")-(" << r.endLine << "," << r.endCol << ")"
      << (r.columnSel ? " column" : "");
}
}  // namespace platform

namespace automation {

// Forwards to the real host and notes which whole-text and selection reads were asked for.
class CountingHost final : public MacroHost {
 public:
  explicit CountingHost(MacroHost& real) : m_real(real) {}
  mutable int textReads = 0;
  mutable int textWrites = 0;
  mutable int selectionReads = 0;
  mutable int clipboardReads = 0;

  void beginRun() override { m_real.beginRun(); }
  void endRun() override { m_real.endRun(); }
  QString text() const override { return ++textReads, m_real.text(); }
  qsizetype textLength() const override { return m_real.textLength(); }
  void setText(QString t) override { ++textWrites, m_real.setText(std::move(t)); }
  QString selectedText() const override { return ++selectionReads, m_real.selectedText(); }
  void setSelectedText(const QString& t) override { m_real.setSelectedText(t); }
  bool hasSelection() const override { return m_real.hasSelection(); }
  platform::SelRange selection() const override { return m_real.selection(); }
  int lineCount() const override { return m_real.lineCount(); }
  int lineLength(int line) const override { return m_real.lineLength(line); }
  bool acceptsEdits() const override { return m_real.acceptsEdits(); }
  platform::SelRange sharedRange() const override { return m_real.sharedRange(); }
  void applySharedRange(const platform::SelRange& r) override { m_real.applySharedRange(r); }
  QString clipboardText() const override { return ++clipboardReads, m_real.clipboardText(); }
  void setClipboardText(const QString& t) override { m_real.setClipboardText(t); }
  void clearClipboard() override { m_real.clearClipboard(); }
  void shellOpen(const QString& target) override { m_real.shellOpen(target); }
  QString openedFile() const override { return m_real.openedFile(); }

 private:
  MacroHost& m_real;
};

class MacroFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    edit.resize(640, 480);
    edit.show();
    QCoreApplication::processEvents();
  }

  void run(const QString& script, const QString& separator = QStringLiteral(";")) {
    RunMacroScript(script, separator, host, user);
  }

  // Text, with the selection given as [start, end) offsets into it, as if the user had made it
  // (the main window stores every selection the user makes as the shared range).
  void setUp(const QString& text, int start = 0, int end = 0) {
    edit.setText(text);
    const auto at = [&](int offset) {
      const QString before = text.left(offset);
      const int line = int(before.count(QStringLiteral("\r\n")));
      const int column = int(offset - (line ? before.lastIndexOf(u'\n') + 1 : 0));
      return std::pair{line, column};
    };
    const auto [startLine, startCol] = at(start);
    const auto [endLine, endCol] = at(end);
    shared = {startLine, startCol, endLine, endCol, false};
    edit.setSelection(shared, false);
  }

  QString path(const QString& name) const { return dir.filePath(name); }
  static QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  static void put(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }

  QTemporaryDir dir;
  platform::EditControl edit;
  platform::Clipboard clipboard;
  platform::Shell shell;
  testing_support::UrlCatcher opened{{"file", "http", "https", "mailto", "ftp"}};
  platform::SelRange shared;
  QString openedFile;
  EditorMacroHost host{
      edit, clipboard, shell,
      EditorMacroHost::Window{[this] { return shared; },
                              [this](const platform::SelRange& range) { shared = range; },
                              [this] { return openedFile; }}};
  UserMacros user;
};

}  // namespace automation
