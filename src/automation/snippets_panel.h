// The side panel "Сниппеты": the snippet groups in a drop-down, the chosen group's snippets in a
// list; a double-click (or Enter) wraps the editor's selection in the snippet.
#pragma once

#include <QWidget>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace shell {
class FrmMain;
}

namespace automation {

class FrmHTMLTags : public QWidget {
  Q_OBJECT
 public:
  explicit FrmHTMLTags(shell::FrmMain& window);

  // Lists the groups again; the group being shown stays chosen when it is still there.
  void fillGroups();
  // Shows a group's snippets and its name in the drop-down, without storing it as the last one.
  void showGroup(const QString& group);
  const QString& group() const { return m_group; }

 private:
  void chooseGroup(const QString& group);
  void insertSnippet(const QListWidgetItem& item);

  shell::FrmMain& m_window;
  QComboBox* m_cmbPathList = nullptr;
  QListWidget* m_lstTags = nullptr;
  QString m_group;
};

// Creates the panel on the right side and binds "Сниппеты" and the start-up steps to it.
void InstallSnippets(shell::FrmMain& window);

}  // namespace automation
