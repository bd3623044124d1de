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

// The keys of the numeric pad have codes of their own while Num Lock is on; off it, the pad sends
// the main keys' codes, as its Enter always does.
TEST(VirtualKey, NumericPad) {
  struct {
    const char* name;
    int qtKey;
    int expect;
  } cases[] = {
      {"Num 0", Qt::Key_0, 96},          {"Num 5", Qt::Key_5, 101},
      {"Num 9", Qt::Key_9, 105},         {"Num *", Qt::Key_Asterisk, 106},
      {"Num +", Qt::Key_Plus, 107},      {"Num -", Qt::Key_Minus, 109},
      {"Num .", Qt::Key_Period, 110},    {"Russian Num ,", Qt::Key_Comma, 110},
      {"Num /", Qt::Key_Slash, 111},     {"pad Enter", Qt::Key_Enter, 13},
      {"pad Home", Qt::Key_Home, 36},    {"pad Up", Qt::Key_Up, 38},
      {"pad 5 off Num Lock", Qt::Key_Clear, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(VirtualKey(c.qtKey, 0, true), c.expect);
  }
  // Off the pad the same Qt keys are the main ones.
  EXPECT_EQ(VirtualKey(Qt::Key_5, 0, false), '5');
  EXPECT_EQ(VirtualKey(Qt::Key_Minus, 0, false), 189);
}

// Every bindable key is found from its code and its code from the key the key-down path sees,
// so a stored binding fires for the key it names.
TEST(BindableKeys, EveryKeyBothWays) {
  const auto keys = BindableKeys();
  // 10 digits, 26 letters, 10 pad digits, 24 function keys, 33 named keys.
  ASSERT_EQ(keys.size(), 103u);
  int previous = 0;
  for (const BindableKey& key : keys) {
    SCOPED_TRACE(key.name.toStdString());
    EXPECT_GT(key.code, previous);  // in code order, each code once
    previous = key.code;
    EXPECT_FALSE(key.name.isEmpty());
    EXPECT_EQ(VirtualKey(key.qtKey, 0, key.keypad), key.code);
    const auto back = BindableKeyOf(key.code);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->qtKey, key.qtKey);
    EXPECT_EQ(back->keypad, key.keypad);
    EXPECT_EQ(back->name, key.name);
  }
}

TEST(BindableKeys, NamesAndKeysNobodyBinds) {
  struct {
    int code;
    const char* name;
  } named[] = {{'A', "A"},     {'7', "7"},         {101, "Num 5"},  {112, "F1"},
               {135, "F24"},   {46, "Del"},        {45, "Ins"},     {33, "PgUp"},
               {34, "PgDn"},   {38, "Вверх"},      {40, "Вниз"},    {186, ";"},
               {222, "'"},     {32, "Space"},      {106, "Num *"}};
  for (const auto& c : named) {
    SCOPED_TRACE(c.name);
    const auto key = BindableKeyOf(c.code);
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->name, QString::fromUtf8(c.name));
  }
  // Modifiers and locks are never the key of a combination; nor are codes without a key.
  for (int code : {0, 16, 17, 18, 20, 108, 136, 144, 145, 255, 256, -1, 1 << 20}) {
    SCOPED_TRACE(code);
    EXPECT_FALSE(BindableKeyOf(code).has_value());
  }
}

}  // namespace
}  // namespace platform
