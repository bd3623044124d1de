// A main window whose program folder holds plug-in libraries built with the program: the
// examples it ships, and the test kinds (hidden, throwing, faulty, outdated).
#pragma once

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "automation/plugins.h"
#include "platform/edit_control.h"
#include "shell/menu_array.h"
#include "support/main_window_fixture.h"

namespace automation {

// A built library by file name ("sort_lines.so", "hidden.so").
inline QString BuiltPlugin(const QString& name) {
  const QString example = QStringLiteral(OSTREL_PLUGIN_DIR "/") + name;
  return QFileInfo::exists(example) ? example : QStringLiteral(OSTREL_TEST_PLUGIN_DIR "/") + name;
}

inline QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PluginWindowTest : public testing_support::MainWindowTest {
 protected:
  // Copies a built library into the folder "Plugins", under its own name or `as`.
  void put(const QString& name, const QString& as = QString()) {
    writeFile("Plugins/" + (as.isEmpty() ? name : as), FileBytes(BuiltPlugin(name)));
  }

  shell::FrmMain& startWith(const QStringList& libraries, const QString& commandLine = QString()) {
    for (const QString& name : libraries) put(name);
    shell::FrmMain& window = start(commandLine);
    m_plugins = PluginsOf(window);
    return window;
  }

  // The captions of mnuPlugin; element 0 is the hidden fixed one.
  QStringList menuCaptions() const {
    QStringList captions;
    for (QAction* item : m_window->commands().array("mnuPlugin")->items()) captions << item->text();
    return captions;
  }
  void clickItem(int index) { m_window->commands().array("mnuPlugin")->item(index)->trigger(); }
  QAction& last() const { return *m_window->commands().action("mnuLastPlugin"); }

  platform::EditControl& editor() const { return m_window->txtMain(); }
  // Sets the text and selects from (line, col) to (endLine, endCol).
  void setText(const QString& text, platform::SelRange selection = {}) {
    editor().setText(text);
    editor().setSelection(selection);
  }
  QString status() const { return m_window->statusText().text(); }

  Plugins* m_plugins = nullptr;
};

}  // namespace automation
