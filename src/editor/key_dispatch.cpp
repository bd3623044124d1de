#include "editor/key_dispatch.h"

#include <QAction>

#include "platform/edit_control.h"
#include "platform/sound_player.h"
#include "platform/virtual_key.h"
#include "shell/frm_main.h"

namespace editor {
namespace {

namespace Setting = platform::Setting;

constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
constexpr int kUp = 38;
constexpr int kDown = 40;
constexpr int kSpace = 32;

constexpr FixedKey kFixedKeys[] = {
    {kCtrl | kShift, 'L', "mnuHyperLink", "Ctrl+Shift+L"},
    {kCtrl | kShift, 'I', "mnuImages", "Ctrl+Shift+I"},
    {kCtrl | kShift, 'F', "mnuHTMLFont", "Ctrl+Shift+F"},
    {kCtrl | kShift, 'M', "mnuHTMLMusicFile", "Ctrl+Shift+M"},
    {kCtrl | kAlt, 'C', "mnuHTMLColour", "Ctrl+Alt+C"},
    {kCtrl | kAlt, 'G', "mnuHTMLGradient", "Ctrl+Alt+G"},
    {kCtrl | kAlt, 'V', "mnuSetDivider", "Ctrl+Alt+V"},
    {kCtrl | kAlt, 'H', "mnuHyperLinks", "Ctrl+Alt+H"},
    {kCtrl | kAlt, 'M', "mnuExtractEMails", "Ctrl+Alt+M"},
    {kCtrl | kAlt, 'S', "mnuHTMLSize", "Ctrl+Alt+S"},
    {kCtrl | kAlt, 'R', "mnuEngToRus", "Ctrl+Alt+R"},
    {kCtrl | kAlt, 'E', "mnuRusToEng", "Ctrl+Alt+E"},
    {kCtrl | kAlt, 'D', "mnuCopyDocDir", "Ctrl+Alt+D"},
    {kCtrl | kAlt, 'U', "mnuExtractURL", "Ctrl+Alt+U"},
    {kCtrl | kAlt, 'O', "mnuOpenSelText", "Ctrl+Alt+O"},
    {kCtrl | kAlt, 'N', "mnuIntToStr", "Ctrl+Alt+N"},
    {kCtrl | kAlt, kUp, "mnuUpReg", "Ctrl+Alt+Вверх"},
    {kCtrl | kAlt, kDown, "mnuDownReg", "Ctrl+Alt+Вниз"},
    {kCtrl | kAlt, 'A', "mnuBothSymbols", "Ctrl+Alt+A"},
    {kCtrl | kAlt, 'W', "mnuRemoveSymbolsBoth", "Ctrl+Alt+W"},
    {kCtrl | kAlt, 'I', "mnuInvertreg", nullptr},
    {kCtrl | kAlt, 'T', "mnuHTML2Text", nullptr},
    {kCtrl, kSpace, "mnuHTMLEnter", nullptr},
};

const FixedKey* findFixedKey(int shift, int key) {
  for (const FixedKey& fixed : kFixedKeys)
    if (fixed.shift == shift && fixed.key == key) return &fixed;
  return nullptr;
}

// Runs the command when its feature is there; the key belongs to the program either way, so
// it never types a character or reaches the editor's own bindings.
void runFixedKey(shell::FrmMain& window, const FixedKey& fixed, platform::KeyPress& press) {
  press.handled = true;
  QAction* item = window.commands().action(QString::fromUtf8(fixed.command));
  if (item && item->isEnabled()) item->trigger();
}

void playKeySound(shell::FrmMain& window, platform::SoundPlayer& player) {
  const auto& settings = window.context().settings;
  if (settings.truth(Setting::PlayWave)) player.play(settings.get(Setting::WaveFile));
}

}  // namespace

std::span<const FixedKey> FixedKeys() { return kFixedKeys; }

// Like the fixed combinations these keys belong to the program, so they type nothing.
bool IsLocalBookmarkKey(int shift, int key) {
  return (shift == kCtrl || shift == (kCtrl | kShift)) && key >= '1' && key <= '9';
}

void ShowFixedKeys(shell::Commands& commands) {
  const QAction* first = commands.action(QString::fromUtf8(kFixedKeys[0].command));
  if (!first || first->text().contains(u'\t')) return;
  for (const FixedKey& fixed : kFixedKeys) {
    if (!fixed.caption) continue;
    if (QAction* item = commands.action(QString::fromUtf8(fixed.command)))
      item->setText(item->text() + u'\t' + QString::fromUtf8(fixed.caption));
  }
}

void InstallKeyDispatch(shell::FrmMain& window) {
  ShowFixedKeys(window.commands());
  auto* player = new platform::SoundPlayer(&window);
  player->setObjectName(QStringLiteral("SoundPlayer"));
  QObject::connect(&window.txtMain(), &platform::EditControl::keyDown, &window,
                   [&window, player](platform::KeyPress& press) {
                     const int key = platform::VirtualKey(press.key, press.xkbKeycode, press.keypad);
                     const FixedKey* fixed = findFixedKey(press.shift, key);
                     if (fixed) runFixedKey(window, *fixed, press);
                     if (IsLocalBookmarkKey(press.shift, key)) {
                       press.handled = true;
                       window.hooks().run(shell::KeyHook::LocalBookmarks, key, press.shift);
                     }
                     if (press.shift == 0 || press.shift == kShift) playKeySound(window, *player);
                     // Ctrl+Space is done once its command has run; every other key may be a hot
                     // key too, and one that ran a command types nothing.
                     if (fixed && fixed->key == kSpace) return;
                     if (window.hooks().run(shell::KeyHook::DispatchHotKey, key, press.shift))
                       press.handled = true;
                   });
}

}  // namespace editor
