#include "hotkeys/key_owners.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "editor/key_dispatch.h"
#include "platform/virtual_key.h"
#include "shell/frm_main.h"

namespace hotkeys {
namespace {

constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

// Keys the editor gives to a feature that has no menu shortcut of its own.
struct FeatureKey {
  int modifiers;
  int key;
  const char* command;  // the menu item or submenu that names the feature
};
constexpr FeatureKey kFeatureKeys[] = {
    {kAlt, 'T', "mnuSpecialTemplates"},  // the special templates' pieces at the caret
};

int modifierCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers & Qt::ShiftModifier) code |= kShift;
  if (modifiers & Qt::ControlModifier) code |= kCtrl;
  if (modifiers & Qt::AltModifier) code |= kAlt;
  return code;
}

bool sequenceIs(const QKeySequence& sequence, int modifiers, int key) {
  // Only a one-key sequence can be the same as a hot key.
  if (sequence.count() != 1) return false;
  const QKeyCombination combination = sequence[0];
  const Qt::KeyboardModifiers held = combination.keyboardModifiers();
  if (held & Qt::MetaModifier) return false;
  return modifierCode(held) == modifiers &&
         platform::VirtualKey(int(combination.key()), 0, held.testFlag(Qt::KeypadModifier)) == key;
}

QString captionOf(shell::Commands& commands, const char* name) {
  const QString command = QString::fromUtf8(name);
  if (const QMenu* menu = commands.menu(command)) return PlainCaption(menu->title());
  if (const QAction* action = commands.action(command)) return PlainCaption(action->text());
  return command;
}

}  // namespace

QString PlainCaption(const QString& caption) {
  const QString shown = shell::CaptionWithoutShortcut(caption);
  QString plain;
  plain.reserve(shown.size());
  for (qsizetype i = 0; i < shown.size(); ++i) {
    if (shown[i] == u'&' && i + 1 < shown.size()) ++i;
    plain += shown[i];
  }
  return plain;
}

std::optional<QString> ProgramCommandFor(shell::FrmMain& window, int modifiers, int key) {
  shell::Commands& commands = window.commands();
  for (const QAction* action : commands.allActions())
    for (const QKeySequence& sequence : action->shortcuts())
      if (sequenceIs(sequence, modifiers, key)) return PlainCaption(action->text());
  for (const editor::FixedKey& fixed : editor::FixedKeys())
    if (fixed.shift == modifiers && fixed.key == key) return captionOf(commands, fixed.command);
  if (editor::IsLocalBookmarkKey(modifiers, key)) return captionOf(commands, "mnuLocalBookmarks");
  for (const FeatureKey& feature : kFeatureKeys)
    if (feature.modifiers == modifiers && feature.key == key)
      return captionOf(commands, feature.command);
  return std::nullopt;
}

}  // namespace hotkeys
