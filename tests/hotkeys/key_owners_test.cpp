// The commands of the program that already answer a key combination in the editor: a hot key on
// one of them could never work as the user expects, so the settings page names the command.
#include "hotkeys/key_owners.h"

#include "support/main_window_fixture.h"

namespace hotkeys {
namespace {

using testing_support::MainWindowTest;

TEST(PlainCaption, WithoutAccessLetterAndKeyText) {
  EXPECT_EQ(PlainCaption("&Открыть"), "Открыть");
  EXPECT_EQ(PlainCaption("Сохранить &как...\tF12"), "Сохранить как...");
  EXPECT_EQ(PlainCaption("A && B"), "A & B");
  EXPECT_EQ(PlainCaption("Конец &"), "Конец &");
  EXPECT_EQ(PlainCaption(""), "");
}

class KeyOwnersTest : public MainWindowTest {};

TEST_F(KeyOwnersTest, MenuShortcutsFixedCombinationsAndFeatureKeys) {
  shell::FrmMain& w = start();
  struct {
    const char* what;
    int modifiers, key;
    const char* expect;  // nullptr: the key is free
  } cases[] = {
      {"a menu shortcut", 2, 'N', "Создать"},
      {"a menu shortcut with Shift", 1, 112, "Статистика"},
      {"an element of a menu array", 2, 'K', "Koi - 8r"},
      {"a fixed combination with a caption", 6, 'M', "Извлечь E-Mail адреса"},
      {"a fixed combination on an arrow", 6, 38, "ВЕРХНИЙ РЕГИСТР"},
      {"a fixed combination without a caption", 2, 32, "Перенос на следующую строку"},
      {"a local bookmark", 2, '3', "Локальные закладки"},
      {"a local bookmark with Shift", 3, '9', "Локальные закладки"},
      {"the special templates", 4, 'T', "Специальные шаблоны"},
      {"free: another modifier", 7, 'M', nullptr},
      {"free: Ctrl+Shift+K", 3, 'K', nullptr},
      {"free: Ctrl+0 is no bookmark", 2, '0', nullptr},
      {"free: the pad's 5 is not the digit 5", 2, 101, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto owner = ProgramCommandFor(w, c.modifiers, c.key);
    if (c.expect)
      EXPECT_EQ(owner.value_or("(free)"), QString::fromUtf8(c.expect));
    else
      EXPECT_FALSE(owner.has_value()) << owner->toStdString();
  }
}

}  // namespace
}  // namespace hotkeys
