#include "platform/virtual_key.h"

#include <QGuiApplication>
#include <Qt>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace platform {
namespace {

// The Russian layout (ЙЦУКЕН) letter by letter: А..Я in alphabet order, then Ё.
constexpr std::array<int, 33> kCyrillicKeys = {
    'F', ',', 'D', 'U', 'L', 'T', ';', 'P', 'B', 'Q', 'R', 'K', 'V',  'Y', 'J', 'G', 'H',
    'C', 'N', 'E', 'A', '[', 'W', 'X', 'I', 'O', ']', 'S', 'M', '\'', '.', 'Z', '`'};

struct NamedKey {
  int code;
  int qtKey;
  bool keypad;
  const char* name;
};

// The bindable keys that are not letters, digits or function keys. The signs are named by
// their US-layout characters, the Windows numbers of their keys.
constexpr NamedKey kNamedKeys[] = {
    {8, Qt::Key_Backspace, false, "Backspace"},
    {9, Qt::Key_Tab, false, "Tab"},
    {12, Qt::Key_Clear, false, "Clear"},
    {13, Qt::Key_Return, false, "Enter"},
    {19, Qt::Key_Pause, false, "Pause"},
    {27, Qt::Key_Escape, false, "Esc"},
    {32, Qt::Key_Space, false, "Space"},
    {33, Qt::Key_PageUp, false, "PgUp"},
    {34, Qt::Key_PageDown, false, "PgDn"},
    {35, Qt::Key_End, false, "End"},
    {36, Qt::Key_Home, false, "Home"},
    // The arrows as the fixed combinations' captions name them ("Ctrl+Alt+Вверх").
    {37, Qt::Key_Left, false, "Влево"},
    {38, Qt::Key_Up, false, "Вверх"},
    {39, Qt::Key_Right, false, "Вправо"},
    {40, Qt::Key_Down, false, "Вниз"},
    {45, Qt::Key_Insert, false, "Ins"},
    {46, Qt::Key_Delete, false, "Del"},
    {106, Qt::Key_Asterisk, true, "Num *"},
    {107, Qt::Key_Plus, true, "Num +"},
    {109, Qt::Key_Minus, true, "Num -"},
    {110, Qt::Key_Period, true, "Num ."},
    {111, Qt::Key_Slash, true, "Num /"},
    {186, Qt::Key_Semicolon, false, ";"},
    {187, Qt::Key_Equal, false, "="},
    {188, Qt::Key_Comma, false, ","},
    {189, Qt::Key_Minus, false, "-"},
    {190, Qt::Key_Period, false, "."},
    {191, Qt::Key_Slash, false, "/"},
    {192, Qt::Key_QuoteLeft, false, "`"},
    {219, Qt::Key_BracketLeft, false, "["},
    {220, Qt::Key_Backslash, false, "\\"},
    {221, Qt::Key_BracketRight, false, "]"},
    {222, Qt::Key_Apostrophe, false, "'"},
};

// Keys with a code that are never the key of a hot key, or second ways of sending a bindable
// one (the pad's Enter, Shift+Tab, the Russian layout's decimal comma on the pad).
struct OtherKey {
  int qtKey;
  bool keypad;
  int code;
};
constexpr OtherKey kOtherKeys[] = {
    {Qt::Key_Backtab, false, 9},    {Qt::Key_Enter, false, 13},    {Qt::Key_Enter, true, 13},
    {Qt::Key_Comma, true, 110},     {Qt::Key_Shift, false, 16},    {Qt::Key_Control, false, 17},
    {Qt::Key_Alt, false, 18},       {Qt::Key_CapsLock, false, 20}, {Qt::Key_Print, false, 44},
    {Qt::Key_Menu, false, 93},      {Qt::Key_NumLock, false, 144}, {Qt::Key_ScrollLock, false, 145},
};

// Shifted signs by the key they lie on in the US layout.
constexpr std::pair<int, int> kShiftedSigns[] = {
    {':', 186}, {'+', 187}, {'<', 188}, {'_', 189}, {'>', 190}, {'?', 191}, {'~', 192},
    {'{', 219}, {'|', 220}, {'}', 221}, {'"', 222}, {'!', '1'}, {'@', '2'}, {'#', '3'},
    {'$', '4'}, {'%', '5'}, {'^', '6'}, {'&', '7'}, {'*', '8'}, {'(', '9'}, {')', '0'},
};

constexpr int kNumPad0 = 96;
constexpr int kF1 = 112;

std::vector<BindableKey> buildBindableKeys() {
  std::vector<BindableKey> keys;
  for (int c = '0'; c <= '9'; ++c) keys.push_back({c, c, false, QString(QChar(c))});
  for (int c = 'A'; c <= 'Z'; ++c) keys.push_back({c, c, false, QString(QChar(c))});
  for (int d = 0; d <= 9; ++d)
    keys.push_back({kNumPad0 + d, Qt::Key_0 + d, true, QStringLiteral("Num %1").arg(d)});
  for (int f = 0; f < 24; ++f)
    keys.push_back({kF1 + f, Qt::Key_F1 + f, false, QStringLiteral("F%1").arg(f + 1)});
  for (const NamedKey& k : kNamedKeys)
    keys.push_back({k.code, k.qtKey, k.keypad, QString::fromUtf8(k.name)});
  std::sort(keys.begin(), keys.end(),
            [](const BindableKey& a, const BindableKey& b) { return a.code < b.code; });
  return keys;
}

int cyrillicKey(int code) {
  if (code >= 0x0410 && code <= 0x042F) return kCyrillicKeys[code - 0x0410];
  if (code >= 0x0430 && code <= 0x044F) return kCyrillicKeys[code - 0x0430];
  if (code == 0x0401 || code == 0x0451) return kCyrillicKeys[32];
  return 0;
}

int codeOf(int qtKey, bool keypad) {
  for (const BindableKey& key : BindableKeys())
    if (key.qtKey == qtKey && key.keypad == keypad) return key.code;
  for (const OtherKey& key : kOtherKeys)
    if (key.qtKey == qtKey && key.keypad == keypad) return key.code;
  return 0;
}

// XKB key codes are the kernel's key numbers plus 8: keys 1..9 and 0 of the digit row are
// 10..19.
constexpr unsigned kDigitRowFirst = 10;
constexpr unsigned kDigitRowLast = 19;

}  // namespace

std::span<const BindableKey> BindableKeys() {
  static const std::vector<BindableKey> keys = buildBindableKeys();
  return keys;
}

std::optional<BindableKey> BindableKeyOf(int code) {
  const auto keys = BindableKeys();
  const auto it = std::lower_bound(keys.begin(), keys.end(), code,
                                   [](const BindableKey& key, int c) { return key.code < c; });
  if (it == keys.end() || it->code != code) return std::nullopt;
  return *it;
}

int VirtualKey(int qtKey) {
  if (qtKey >= 'a' && qtKey <= 'z') qtKey += 'A' - 'a';
  if (const int code = codeOf(qtKey, false)) return code;
  if (const int cyrillic = cyrillicKey(qtKey)) return VirtualKey(cyrillic);
  for (const auto& [sign, key] : kShiftedSigns)
    if (sign == qtKey) return key;
  return 0;
}

int VirtualKey(int qtKey, unsigned xkbKeycode, bool keypad) {
  // Off Num Lock the pad sends arrows, Home and End: those are the main keys' codes.
  if (keypad)
    if (const int code = codeOf(qtKey, true)) return code;
  if (xkbKeycode >= kDigitRowFirst && xkbKeycode <= kDigitRowLast)
    return xkbKeycode == kDigitRowLast ? '0' : int('1' + (xkbKeycode - kDigitRowFirst));
  return VirtualKey(qtKey);
}

unsigned XkbKeycode(unsigned nativeScanCode) {
  static const bool xkb = [] {
    const QString name = QGuiApplication::platformName();
    return name == u"xcb" || name.startsWith(u"wayland");
  }();
  return xkb ? nativeScanCode : 0;
}

}  // namespace platform
