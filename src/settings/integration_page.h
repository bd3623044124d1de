// The page "Интеграция": the extensions the program is to open (each with its check mark, kept in
// "Associated.lst"), the "Open with" choice and the default HTML editor. Every registration
// made here is undone here: unticking or removing an extension gives its file type back to the
// application it had before, as unticking either check box does for its own choice.
#pragma once

#include <QObject>

#include "integration/association_list.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace integration {
class ShellIntegration;
}
namespace shell {
class FrmMain;
}

namespace settings {

class IntegrationPage : public QObject {
 public:
  IntegrationPage(QGroupBox& frame, shell::FrmMain& window);

 private:
  void buildList(QGroupBox& frame);
  void buildChoices(QGroupBox& frame);

  integration::AssociationList associations() const;
  void save();
  void add();
  void removeChosen();
  void associate();
  void setAllChecked(bool checked);
  void checkChanged(QListWidgetItem* line);
  // Gives the extension's type back unless the program does not have it or something else on
  // the page still wants it; `except` is the extension's line, -1 when it left the list.
  void release(const QString& extension, int except);
  void openWithToggled(bool on);
  void htmlEditorToggled(bool on);
  void refreshButtons();
  void tell(const QString& text, bool failure);

  shell::FrmMain& m_window;
  integration::ShellIntegration& m_shell;
  QString m_file;
  QListWidget* m_list = nullptr;
  QLineEdit* m_newExt = nullptr;
  QPushButton* m_add = nullptr;
  QPushButton* m_remove = nullptr;
  QPushButton* m_associate = nullptr;
  QPushButton* m_checkAll = nullptr;
  QPushButton* m_uncheckAll = nullptr;
  QCheckBox* m_openWith = nullptr;
  QCheckBox* m_htmlEditor = nullptr;
};

}  // namespace settings
