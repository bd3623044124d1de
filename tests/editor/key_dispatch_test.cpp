// Key presses after the typing rules: the fixed combinations run their commands and never type,
// their texts stand in the menu captions, the key sound, and every key reaches the hot keys.
#include "editor/key_dispatch.h"

#include <QAction>

#include "editor/typing_fixture.h"
#include "platform/edit_control.h"
#include "platform/sound_player.h"

namespace editor {
namespace {

class KeyDispatchTest : public testing_support::TypingTest {
 protected:
  platform::EditControl& editor() { return m_window->txtMain(); }
  QString caption(const char* name) { return m_window->commands().action(name)->text(); }
};

TEST_F(KeyDispatchTest, FixedKeysRunTheirCommandAndTypeNothing) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* command;
    bool built;  // false: the command stands disabled, as one whose feature is missing
    QString expect;
  };
  const auto ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
  const Case cases[] = {
      {Qt::Key_Up, ctrlAlt, "mnuUpReg", true, "ABC ДеФ"},
      {Qt::Key_Down, ctrlAlt, "mnuDownReg", true, "abc ДеФ"},
      {Qt::Key_I, ctrlAlt, "mnuInvertreg", true, "AbC ДеФ"},
      {Qt::Key_U, ctrlAlt, "mnuExtractURL", false, "aBc ДеФ"},
      {Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier, "mnuHyperLink", false, "aBc ДеФ"},
  };
  startTyping();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    if (!c.built) m_window->commands().action(c.command)->setEnabled(false);
    editor().setText("aBc ДеФ");
    editor().setSelection({0, 0, 0, 3});
    press(c.key, c.modifiers);
    EXPECT_EQ(editor().text(), c.expect);
  }
}

TEST_F(KeyDispatchTest, CaptionsShowTheKeysAfterATabOnce) {
  shell::FrmMain& w = start();
  EXPECT_EQ(caption("mnuUpReg"), "ВЕРХНИЙ РЕГИСТР\tCtrl+Alt+Вверх");
  EXPECT_EQ(caption("mnuDownReg"), "нижний регистр\tCtrl+Alt+Вниз");
  EXPECT_EQ(caption("mnuHyperLink"), "Гиперссылка\tCtrl+Shift+L");
  EXPECT_EQ(caption("mnuInvertreg"), "иНВЕРТИРОВАТЬ");
  ShowFixedKeys(w.commands());
  EXPECT_EQ(caption("mnuExtractURL"), "Извлечь &URL из гиперссылки\tCtrl+Alt+U");
}

TEST_F(KeyDispatchTest, EveryKeyReachesTheHotKeysExceptCtrlSpace) {
  shell::FrmMain& w = startTyping();
  std::vector<std::pair<int, int>> heard;
  w.hooks().add(shell::KeyHook::DispatchHotKey, [&heard](int key, int shift) {
    if (key != 16 && key != 17 && key != 18) heard.emplace_back(key, shift);
    return false;
  });
  press(Qt::Key_A);
  // A fixed key whose command keeps the focus in the editor (the lists open a window of their
  // own, which would take the keys that follow).
  press(Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
  press(Qt::Key_Space, Qt::ControlModifier);
  press(Qt::Key_F5, Qt::ShiftModifier);
  const std::vector<std::pair<int, int>> expect = {{'A', 0}, {'R', 6}, {116, 1}};
  EXPECT_EQ(heard, expect);
}

TEST_F(KeyDispatchTest, KeySoundOnPlainAndShiftedKeysOnly) {
  const QString wave = homePath("click.wav");
  m_settings->set(platform::Setting::PlayWave, "True");
  m_settings->set(platform::Setting::WaveFile, wave);
  shell::FrmMain& w = startTyping();
  auto* player = w.findChild<platform::SoundPlayer*>("SoundPlayer");
  ASSERT_NE(player, nullptr);
  press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(player->source(), "");
  press(Qt::Key_A, Qt::ShiftModifier);
  EXPECT_EQ(player->source(), wave);
  m_settings->set(platform::Setting::PlayWave, "False");
  m_settings->set(platform::Setting::WaveFile, homePath("other.wav"));
  press(Qt::Key_B);
  EXPECT_EQ(player->source(), wave);
}

TEST_F(KeyDispatchTest, MouseUpInColumnModeMakesTheSelectionAColumn) {
  m_settings->set(platform::Setting::ColumnSelection, "1");
  shell::FrmMain& w = startTyping();
  editor().setText("abcd\r\nefgh\r\nijkl");
  editor().setSelection({0, 1, 2, 3});
  QWidget* viewport = editor().focusWidget()->findChild<QWidget*>("qt_scrollarea_viewport");
  ASSERT_NE(viewport, nullptr);
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
  QCoreApplication::processEvents();
  EXPECT_EQ(editor().selection(), (platform::SelRange{0, 1, 2, 3, true}));
  EXPECT_EQ(editor().selectedText(), "bc\r\nfg\r\njk");
  EXPECT_EQ(QApplication::focusWidget(), w.txtMain().focusWidget());
}

}  // namespace
}  // namespace editor
