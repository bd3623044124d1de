#include "settings/keys_entry_field.h"

#include <QKeyEvent>

#include "hotkeys/hot_key_entry.h"
#include "platform/virtual_key.h"

namespace settings {
namespace {

bool isModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
         key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_Super_L ||
         key == Qt::Key_Super_R;
}

int modifierCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers & Qt::ShiftModifier) code |= 1;
  if (modifiers & Qt::ControlModifier) code |= 2;
  if (modifiers & Qt::AltModifier) code |= 4;
  return code;
}

// The modifiers a key event leaves held. Window systems differ on whether a modifier key's own
// bit is already set on its press and still set on its release; it is held after the press and
// not after the release.
int heldAfter(const QKeyEvent& event) {
  Qt::KeyboardModifiers own;
  switch (event.key()) {
    case Qt::Key_Shift: own = Qt::ShiftModifier; break;
    case Qt::Key_Control: own = Qt::ControlModifier; break;
    case Qt::Key_Alt: own = Qt::AltModifier; break;
    default: break;
  }
  const Qt::KeyboardModifiers held = event.modifiers();
  return modifierCode(event.type() == QEvent::KeyRelease ? held & ~own : held | own);
}

}  // namespace

KeysEntryField::KeysEntryField(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  // The field shows keys; text typed, pasted or composed has no place in it.
  setContextMenuPolicy(Qt::NoContextMenu);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setFocusPolicy(Qt::StrongFocus);
}

void KeysEntryField::setHotKey(int modifiers, int key) {
  const bool bindable = platform::BindableKeyOf(key).has_value();
  m_key = bindable ? key : 0;
  m_modifiers = bindable && modifiers >= hotkeys::kMinModifiers &&
                        modifiers <= hotkeys::kMaxModifiers
                    ? modifiers
                    : 0;
  showCombination();
}

void KeysEntryField::showCombination() {
  if (m_key == 0)
    setText(QString());
  else if (m_modifiers == 0)
    setText(platform::BindableKeyOf(m_key)->name);
  else
    setText(hotkeys::HotKeyText(m_modifiers, m_key));
}

bool KeysEntryField::leavesToWindow(const QKeyEvent& event) {
  if (modifierCode(event.modifiers()) != 0) return false;
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return true;
    default:
      return false;
  }
}

bool KeysEntryField::event(QEvent* event) {
  // Taking the shortcut-override event keeps every shortcut of the program (menu keys, access
  // letters of buttons) from running while the user presses the combination to bind.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!leavesToWindow(*key)) {
      key->accept();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void KeysEntryField::keyPressEvent(QKeyEvent* event) {
  if (leavesToWindow(*event)) {
    event->ignore();
    return;
  }
  event->accept();
  const int key = event->key();
  const int modifiers = modifierCode(event->modifiers());
  if (isModifierKey(key)) {
    // The modifiers held so far, as the combination will begin.
    if (const int held = heldAfter(*event))
      setText(hotkeys::ModifierName(held) + u'+');
    else
      showCombination();
    return;
  }
  // The key that removes text removes the combination.
  if (modifiers == 0 && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
    reset();
    Q_EMIT hotKeyEdited();
    return;
  }
  // The Windows key is no modifier a hot key can have.
  if (event->modifiers() & Qt::MetaModifier) return;
  const int code = platform::VirtualKey(key, platform::XkbKeycode(event->nativeScanCode()),
                                        event->modifiers().testFlag(Qt::KeypadModifier));
  if (!platform::BindableKeyOf(code)) {
    showCombination();
    return;
  }
  setHotKey(modifiers, code);
  Q_EMIT hotKeyEdited();
}

void KeysEntryField::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  // Modifiers let go without a key: the field shows the combination it holds again.
  if (isModifierKey(event->key()) && heldAfter(*event) == 0) showCombination();
}

void KeysEntryField::focusOutEvent(QFocusEvent* event) {
  showCombination();
  QLineEdit::focusOutEvent(event);
}

}  // namespace settings
