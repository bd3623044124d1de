// The settings window opened on one page of a started main window, and its controls found by
// name the way the user finds them by caption.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QTest>
#include <stdexcept>

#include "settings/frm_settings.h"
#include "settings/settings_pages.h"
#include "support/main_window_fixture.h"

namespace settings {

class OpenedPageTest : public testing_support::MainWindowTest {
 protected:
  // Opens the window on `page`, as the set-up items of the menus do.
  FrmSettings& openOn(int page) {
    FrmSettings& window = OpenSettings(*m_window, page);
    m_page = &window.frame(page);
    return window;
  }

  // A control of the page; the test stops when the page lacks it.
  template <typename T>
  T& control(const char* name) {
    T* found = m_page ? m_page->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    if (!found) {
      ADD_FAILURE() << "no control " << name << " on the page";
      throw std::runtime_error(name);
    }
    return *found;
  }

  // A click of the user: nothing happens on a control that is switched off.
  void press(const char* name) { control<QAbstractButton>(name).click(); }
  void select(const char* list, int row) {
    QListWidget& l = control<QListWidget>(list);
    l.setCurrentRow(row);
  }
  // Chooses an entry of a drop-down list as the user does, raising its "activated".
  void choose(const char* list, int index) {
    QComboBox& box = control<QComboBox>(list);
    box.setCurrentIndex(index);
    emit box.activated(index);
  }
  QStringList entries(const char* list) {
    QStringList texts;
    if (auto* l = m_page->findChild<QListWidget*>(QString::fromUtf8(list)))
      for (int i = 0; i < l->count(); ++i) texts << l->item(i)->text();
    else if (auto* c = m_page->findChild<QComboBox*>(QString::fromUtf8(list)))
      for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
    return texts;
  }

  QGroupBox* m_page = nullptr;
};

}  // namespace settings
