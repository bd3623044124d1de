// The page "Клавиши": the items of the six command menus a hot key can run, the field that takes
// a key combination, and the buttons that bind it to the chosen item or remove the item's
// binding. A combination the program or another binding already answers is named on the page
// and cannot be assigned.
#pragma once

#include <QObject>
#include <optional>

#include "hotkeys/hot_key_entry.h"

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace hotkeys {
class HotKeys;
}
namespace shell {
class FrmMain;
}

namespace settings {

class KeysEntryField;

class KeysPage : public QObject {
 public:
  KeysPage(QGroupBox& frame, shell::FrmMain& window, hotkeys::HotKeys& hotKeys);

 private:
  struct Choice {
    hotkeys::HotKeyKind kind;
    int index;
    QAction* item;
  };

  // The headers and items, with the choice kept on the same item where it still is.
  void fillList();
  std::optional<Choice> chosen() const;
  std::optional<hotkeys::HotKeyBinding> bindingOf(const Choice& choice) const;
  void choiceChanged();
  // The note and the buttons for the combination in the field and the chosen item.
  void refresh();
  // Why the combination cannot be bound to the choice; empty when it can.
  QString refusal(int modifiers, int key, const std::optional<Choice>& choice) const;
  QString otherBinding(int modifiers, int key, const std::optional<Choice>& choice) const;
  void assign();
  void remove();
  void notSaved(const QString& what);

  shell::FrmMain& m_window;
  hotkeys::HotKeys& m_hotKeys;
  QListWidget* m_list;
  KeysEntryField* m_field;
  QPushButton* m_assign;
  QPushButton* m_remove;
  QLabel* m_note;
};

}  // namespace settings
