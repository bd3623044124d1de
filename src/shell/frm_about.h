// The about window.
#pragma once

#include <QDialog>

namespace shell {

class FrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit FrmAbout(QWidget* parent = nullptr);
};

class FrmMain;
void InstallAbout(FrmMain& window);

}  // namespace shell
