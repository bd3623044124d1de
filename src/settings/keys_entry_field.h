// The field "Горячая клавиша:": it takes the key combination the user presses rather than text,
// and keeps it as the hot keys store it: the modifier code (1 Shift, 2 Ctrl, 4 Alt, added) and
// the key's virtual-key code, the same on every keyboard layout.
#pragma once

#include <QLineEdit>

namespace settings {

class KeysEntryField : public QLineEdit {
  Q_OBJECT
 public:
  explicit KeysEntryField(QWidget* parent = nullptr);

  // The key's virtual-key code; 0 while no key is chosen.
  int hotKey() const { return m_key; }
  // The modifier code of the combination; 0 for a key pressed alone.
  int hotKeyModifier() const { return m_modifiers; }

  // Shows this combination; a key no hot key can take empties the field.
  void setHotKey(int modifiers, int key);
  void reset() { setHotKey(0, 0); }

 Q_SIGNALS:
  // The user chose another combination, or emptied the field.
  void hotKeyEdited();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Plain Tab, Escape and Enter keep their work in the window (the next field, closing the
  // window, the default button); every other key belongs to the field while it has the focus.
  static bool leavesToWindow(const QKeyEvent& event);
  void showCombination();

  int m_modifiers = 0;
  int m_key = 0;
};

}  // namespace settings
