// The side panel "Библиотека кода": the library's items in a list and the chosen item's text in
// an editor of its own. A double-click inserts an item into the document; the list's pop-up menu
// adds, removes, renames and saves; a file dropped on the list becomes a new item.
#pragma once

#include <QListWidget>
#include <QWidget>
#include <optional>

#include "automation/code_library.h"

namespace platform {
class EditControl;
}

namespace shell {
class FrmMain;
}

namespace automation {

// The item list; it takes one local file dragged onto it and hands over its path.
class CodeItemList : public QListWidget {
  Q_OBJECT
 public:
  explicit CodeItemList(QWidget* parent);

 Q_SIGNALS:
  void fileDropped(const QString& path);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

class FrmCodeLib : public QWidget {
  Q_OBJECT
 public:
  explicit FrmCodeLib(shell::FrmMain& window);

  // Lists the items of the file again; nothing is chosen afterwards.
  void fill();
  // Called before the shown text is thrown away: when it was changed, asks whether to save it.
  // False when the user wanted it saved and that failed; the text then stays as it is.
  bool settleEdits();

  // The commands of the pop-up menu.
  void addItem();
  void removeItem();
  void renameItem();
  void saveLibrary();
  void dropFile(const QString& path);
  // Remove and rename need a chosen item.
  void updateCommands();

  QListWidget& lstCodeItems() { return *m_lstCodeItems; }
  platform::EditControl& txtCodeLib() { return *m_txtCodeLib; }

 private:
  void rowChosen(int row);
  // Makes `row` the chosen item and shows `text`, or its stored text when none is given.
  void showRow(int row, const std::optional<QString>& text = std::nullopt);
  void showText(const QString& text);
  void insertItem(int row);
  std::optional<QString> storedText(int row) const;
  int occurrence(int row) const;
  // Every item of the list with its text: the stored one, but the chosen item's as shown.
  // nullopt (after telling the user) when the file cannot be read.
  std::optional<CodeLibraryFile::Contents> libraryForSave();
  // False, after telling the user which item, when a text holds a line the file cannot hold.
  bool storable(const QList<CodeEntry>& entries);
  // Writes the file unless a text cannot be stored; a failure is told.
  bool write(const CodeLibraryFile::Contents& library);
  bool saveShown();

  shell::FrmMain& m_window;
  CodeLibraryFile m_file;
  CodeItemList* m_lstCodeItems = nullptr;
  platform::EditControl* m_txtCodeLib = nullptr;
  int m_shownRow = -1;
  bool m_edited = false;   // the shown text differs from what is stored
  bool m_showing = false;  // the program is putting a text in, not the user
};

// Creates the panel on the left side and binds "Библиотека кода" and its pop-up menu.
void InstallCodeLibrary(shell::FrmMain& window);

}  // namespace automation
