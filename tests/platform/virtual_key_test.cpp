// Virtual-key codes, the numbers hot-key bindings and the program's own keys go by.
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

// A key of the digit row is its digit on every layout once its place on the keyboard is known:
// Shift made "№" of Ctrl+Shift+3 on the Russian layout, which no table of signs turns back.
TEST(VirtualKey, DigitRowByPlaceWhateverTheLayoutMakesOfIt) {
  struct {
    const char* name;
    int qtKey;
    unsigned xkbKeycode;
    int expect;
  } cases[] = {
      {"plain 1", Qt::Key_1, 10, '1'},
      {"US Shift+3", Qt::Key_NumberSign, 12, '3'},
      {"Russian Shift+3", 0x2116, 12, '3'},  // №
      {"Russian Shift+2", Qt::Key_QuoteDbl, 11, '2'},
      {"Russian Shift+4", Qt::Key_Semicolon, 13, '4'},
      {"Russian Shift+6", Qt::Key_Colon, 15, '6'},
      {"Russian Shift+7", Qt::Key_Question, 16, '7'},
      {"French 1 unshifted", Qt::Key_Ampersand, 10, '1'},
      {"0 ends the row", Qt::Key_ParenRight, 19, '0'},
      {"minus after the row", Qt::Key_Minus, 20, 189},
      {"escape before it", Qt::Key_Escape, 9, 27},
      {"a letter", Qt::Key_A, 38, 'A'},
      // Without a place the sign decides, as on a US keyboard.
      {"US sign, place unknown", Qt::Key_NumberSign, 0, '3'},
      {"Exclam, place unknown", Qt::Key_Exclam, 0, '1'},
      {"№, place unknown", 0x2116, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(VirtualKey(c.qtKey, c.xkbKeycode), c.expect);
  }
}

}  // namespace
}  // namespace platform
