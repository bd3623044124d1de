// The editing control's own find window: what to look for and how, searched in the control
// it belongs to. Modeless: it stays open beside the text while the user works.
#pragma once

#include <QDialog>

#include "platform/edit_control.h"

class QCheckBox;
class QGridLayout;
class QLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace platform {

class FindDialog : public QDialog {
  Q_OBJECT
 public:
  FindDialog(EditControl& edit, QWidget* parent);

  // Shows the window with `what` to look for and the options of the control's last search.
  void present(const QString& what);
  QString findWhat() const;
  FindOptions options() const;
  void setOptions(const FindOptions& options);
  // What the last action came to ("" after a plain find).
  QString status() const;

 protected:
  // The rows of fields (row 0 is the text to find) and the column of buttons, for the replace
  // window to add its own to.
  QGridLayout* fields() const { return m_fields; }
  void addButton(QPushButton* button);
  // The field of the text to find and the find button, for the replace window to put its own
  // field and buttons after them in the tab order.
  QWidget* findField() const;
  QWidget* findButton() const;
  void showStatus(const QString& text);
  // Shows the outcome of a search in the status line.
  void report(FindResult result);
  // Enables the buttons that need a text to find.
  virtual void updateButtons();

  EditControl& m_edit;

 private:
  QLayout* makeOptions();  // the check boxes and the direction
  void findNext();

  QGridLayout* m_fields = nullptr;
  QVBoxLayout* m_buttons = nullptr;
  QLineEdit* m_txtFind = nullptr;
  QCheckBox* m_chkMatchCase = nullptr;
  QCheckBox* m_chkWholeWord = nullptr;
  QCheckBox* m_chkRegExp = nullptr;
  QCheckBox* m_chkWrap = nullptr;
  QRadioButton* m_optUp = nullptr;
  QRadioButton* m_optDown = nullptr;
  QPushButton* m_cmdFind = nullptr;
  QLabel* m_lblStatus = nullptr;
};

}  // namespace platform
