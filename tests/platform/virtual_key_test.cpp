// Virtual-key codes, the numbers hot-key bindings are stored with.
#include "platform/virtual_key.h"

#include <gtest/gtest.h>

#include <Qt>

namespace platform {
namespace {

TEST(VirtualKey, LettersDigitsSignsAndNamedKeys) {
  struct Case {
    const char* what;
    int qtKey;
    int code;
  };
  const Case cases[] = {
      {"A", Qt::Key_A, 65},         {"9", Qt::Key_9, 57},
      {"Г lies on U", 0x0413, 'U'}, {"г", 0x0433, 'U'},
      {"Я", 0x042F, 'Z'},           {"Ё", 0x0401, 192},
      {"Ж lies on ;", 0x0416, 186}, {"! is Shift+1", Qt::Key_Exclam, '1'},
      {"Up", Qt::Key_Up, 38},       {"F12", Qt::Key_F12, 123},
      {"Menu", Qt::Key_Menu, 93},   {"no code", Qt::Key_LaunchMail, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(VirtualKey(c.qtKey), c.code);
  }
}

}  // namespace
}  // namespace platform
