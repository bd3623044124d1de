// The window shown while an external program works on the text for longer than a moment: it
// says which program runs and lets the user stop it. It does not block the main window.
#pragma once

#include <QDialog>

namespace automation {

class FrmProgramWait : public QDialog {
  Q_OBJECT
 public:
  explicit FrmProgramWait(const QString& caption, QWidget* parent = nullptr);

 Q_SIGNALS:
  // "Остановить", Esc or closing the window.
  void stopRequested();

 protected:
  void reject() override;
};

}  // namespace automation
