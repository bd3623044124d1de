// The window "HTML - градиент": two colour swatches, remembered as they are picked, for a
// gradient over the selected text.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace platform {
class SettingsStore;
class Ui;
}  // namespace platform

namespace html {

class FrmHTMLGrad : public QDialog {
  Q_OBJECT
 public:
  FrmHTMLGrad(platform::SettingsStore& settings, platform::Ui& ui, QWidget* parent = nullptr);
  // Windows colour values (0x00BBGGRR) of the two swatches.
  int startColour() const { return m_colours[0]; }
  int endColour() const { return m_colours[1]; }

 private:
  void pick(int which);
  void paint(int which);

  platform::SettingsStore& m_settings;
  platform::Ui& m_ui;
  int m_colours[2] = {0, 0xFFFFFF};
  QPushButton* m_swatches[2] = {nullptr, nullptr};
  QLineEdit* m_codes[2] = {nullptr, nullptr};
};

}  // namespace html
