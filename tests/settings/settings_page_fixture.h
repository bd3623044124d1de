// A started main window with its settings window at hand: controls found by name, clicked and
// read the way a user would.
#pragma once

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>

#include "editor/typing_fixture.h"
#include "settings/frm_settings.h"

namespace settings {

class SettingsPageTest : public testing_support::TypingTest {
 protected:
  FrmSettings* settingsWindow() { return FindSettings(*m_window); }

  template <typename T>
  T* control(const char* name) {
    FrmSettings* window = settingsWindow();
    return window ? window->findChild<T*>(QString::fromUtf8(name)) : nullptr;
  }

  // Clicks an enabled button; a missing or disabled one fails the test.
  void press(const char* name) {
    auto* button = control<QAbstractButton>(name);
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
  }
  bool enabled(const char* name) {
    auto* widget = control<QWidget>(name);
    return widget && widget->isEnabled();
  }
  // Shown within its page, whichever page is shown.
  bool shownOnPage(const char* name, int page) {
    auto* widget = control<QWidget>(name);
    return widget && widget->isVisibleTo(&settingsWindow()->frame(page));
  }

  QStringList items(const char* list) {
    QStringList texts;
    if (auto* widget = control<QListWidget>(list))
      for (int i = 0; i < widget->count(); ++i) texts << widget->item(i)->text();
    return texts;
  }
  int currentRow(const char* list) {
    auto* widget = control<QListWidget>(list);
    return widget ? widget->currentRow() : -2;
  }
  void choose(const char* list, int row) {
    auto* widget = control<QListWidget>(list);
    ASSERT_NE(widget, nullptr) << list;
    widget->setCurrentRow(row);
  }

  QByteArray bytesOf(const QString& relative) const {
    QFile file(homePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
};

}  // namespace settings
