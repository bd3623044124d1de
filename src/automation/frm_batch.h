// "Пакетная обработка": a folder, its files, the actions and their settings on three pages, and
// a run that works on the files alone, beside the open document, with a progress bar and a stop.
#pragma once

#include <QDialog>
#include <memory>

#include "automation/batch_job.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace shell {
struct AppContext;
class FrmMain;
}  // namespace shell

namespace automation {

class FrmBatch : public QDialog {
  Q_OBJECT
 public:
  explicit FrmBatch(shell::AppContext& context, QWidget* parent = nullptr);
  ~FrmBatch() override;

  // Shows the files of `folder`, all selected.
  void setFolder(const QString& folder);
  void showPage(int page);
  void run();
  bool isRunning() const { return m_job && m_job->isRunning(); }

 protected:
  void reject() override;  // Escape and the frame wait while a run goes on

 private:
  void browse();
  // The first thing missing before a run, in the user's words; "" when the run can start.
  QString missingChoice() const;
  BatchRequest request() const;
  void setRunning(bool running);
  void finish(const BatchReport& report);

  shell::AppContext& m_context;
  QRadioButton* m_pages[3] = {};
  QStackedWidget* m_stack;
  QLineEdit* m_directory;
  QPushButton* m_browse;
  QListWidget* m_files;
  QListWidget* m_actions;
  QPlainTextEdit* m_multi;
  QComboBox* m_from;
  QComboBox* m_to;
  QProgressBar* m_progress;
  QPushButton* m_ok;
  QPushButton* m_stop;
  QPushButton* m_close;
  std::unique_ptr<BatchJob> m_job;
};

void InstallBatch(shell::FrmMain& window);

}  // namespace automation
