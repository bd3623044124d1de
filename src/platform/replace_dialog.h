// The editing control's own replace window: the find window with a replacement text and the
// buttons that replace one occurrence or all of them.
#pragma once

#include "platform/find_dialog.h"

namespace platform {

class ReplaceDialog : public FindDialog {
  Q_OBJECT
 public:
  ReplaceDialog(EditControl& edit, QWidget* parent);

  QString replaceWith() const;

 protected:
  void updateButtons() override;

 private:
  void replaceOne();
  // Shows in the status line how many replacements were made.
  void replaceEverything();

  QLineEdit* m_txtReplace = nullptr;
  QPushButton* m_cmdReplace = nullptr;
  QPushButton* m_cmdReplaceAll = nullptr;
};

}  // namespace platform
