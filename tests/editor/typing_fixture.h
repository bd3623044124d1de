// A started main window, shown and active with the editor focused, typed into the way a user
// types: key events to the widget that has the focus.
#pragma once

#include <QApplication>
#include <QTest>

#include "support/main_window_fixture.h"

namespace testing_support {

class TypingTest : public MainWindowTest {
 protected:
  shell::FrmMain& startTyping() {
    shell::FrmMain& w = start();
    w.show();
    w.activateWindow();
    QCoreApplication::processEvents();
    w.focusEditor();
    QCoreApplication::processEvents();
    return w;
  }

  // Each character as a key press and release, then the events the keys left behind.
  void type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
    QCoreApplication::processEvents();
  }

  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QCoreApplication::processEvents();
  }
};

}  // namespace testing_support
