// Batch runs as a user makes them: the dialog opened from the menu, a folder, actions and code
// pages chosen, "Выполнить" pressed, and the final message answered.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "automation/frm_batch.h"
#include "support/main_window_fixture.h"

namespace automation {

inline QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void writeAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

struct BatchChoice {
  QList<int> actions;
  int fromIndex = 0;  // entries of "Из:" and "В:", as the lists show them
  int toIndex = 0;
  bool stopAtOnce = false;
};

class BatchWindowTest : public testing_support::MainWindowTest {
 protected:
  // Runs the batch in the dialog as a user does, waiting for the end of the run; the final
  // message must contain `expectMessage`.
  void runBatchWith(const QString& folder, const BatchChoice& choice,
                    const QString& expectMessage = {}) {
    m_ui.answerModal([=, this](QDialog& dialog) {
      auto& batch = static_cast<FrmBatch&>(dialog);
      batch.setFolder(folder);
      auto* list = batch.findChild<QListWidget*>("lstPlugs");
      for (int a : choice.actions) list->item(a)->setSelected(true);
      batch.findChild<QComboBox*>("cmbRes")->setCurrentIndex(choice.fromIndex);
      batch.findChild<QComboBox*>("cmbDest")->setCurrentIndex(choice.toIndex);
      batch.findChild<QPushButton*>("cmdOK")->click();
      if (choice.stopAtOnce) batch.findChild<QPushButton*>("cmdStop")->click();
      QElapsedTimer timer;
      timer.start();
      while (batch.isRunning() && timer.elapsed() < 20000) QApplication::processEvents();
      QApplication::processEvents();
      auto* progress = batch.findChild<QProgressBar*>("pPortion");
      m_progressFull = progress->value() == progress->maximum();
      return int(QDialog::Rejected);
    });
    m_ui.answerMessage(platform::MsgAnswer::Ok, expectMessage);
    click("mnuBatch");
  }
  void runBatch(const QString& folder, QList<int> actions, const QString& expectMessage = {},
                bool stopAtOnce = false) {
    runBatchWith(folder, BatchChoice{actions, 0, 0, stopAtOnce}, expectMessage);
  }
  QString lastMessage() const {
    return m_ui.messages.isEmpty() ? QString() : m_ui.messages.last().text;
  }
  bool m_progressFull = false;
};

}  // namespace automation
