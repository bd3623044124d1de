#include "platform/virtual_key.h"

#include <QGuiApplication>
#include <Qt>
#include <array>
#include <utility>

namespace platform {
namespace {

// The Russian layout (ЙЦУКЕН) letter by letter: А..Я in alphabet order, then Ё.
constexpr std::array<int, 33> kCyrillicKeys = {
    'F', ',', 'D', 'U', 'L', 'T', ';', 'P', 'B', 'Q', 'R', 'K', 'V',  'Y', 'J', 'G', 'H',
    'C', 'N', 'E', 'A', '[', 'W', 'X', 'I', 'O', ']', 'S', 'M', '\'', '.', 'Z', '`'};

// Signs by the key they lie on in the US layout, with the Windows numbers of those keys.
constexpr std::pair<int, int> kSignKeys[] = {
    {';', 186}, {':', 186}, {'=', 187},  {'+', 187}, {',', 188}, {'<', 188}, {'-', 189},
    {'_', 189}, {'.', 190}, {'>', 190},  {'/', 191}, {'?', 191}, {'`', 192}, {'~', 192},
    {'[', 219}, {'{', 219}, {'\\', 220}, {'|', 220}, {']', 221}, {'}', 221}, {'\'', 222},
    {'"', 222}, {'!', '1'}, {'@', '2'},  {'#', '3'}, {'$', '4'}, {'%', '5'}, {'^', '6'},
    {'&', '7'}, {'*', '8'}, {'(', '9'},  {')', '0'}, {' ', 32},
};

constexpr std::pair<int, int> kNamedKeys[] = {
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},  {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27}, {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},        {Qt::Key_Up, 38},     {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},        {Qt::Key_Print, 44},  {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},      {Qt::Key_Menu, 93},   {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
};

int cyrillicKey(int code) {
  if (code >= 0x0410 && code <= 0x042F) return kCyrillicKeys[code - 0x0410];
  if (code >= 0x0430 && code <= 0x044F) return kCyrillicKeys[code - 0x0430];
  if (code == 0x0401 || code == 0x0451) return kCyrillicKeys[32];
  return 0;
}

int signKey(int code) {
  for (const auto& [sign, key] : kSignKeys)
    if (sign == code) return key;
  return 0;
}

// XKB key codes are the kernel's key numbers plus 8: keys 1..9 and 0 of the digit row are
// 10..19.
constexpr unsigned kDigitRowFirst = 10;
constexpr unsigned kDigitRowLast = 19;

}  // namespace

int VirtualKey(int qtKey) {
  if (qtKey >= 'A' && qtKey <= 'Z') return qtKey;
  if (qtKey >= 'a' && qtKey <= 'z') return qtKey - 'a' + 'A';
  if (qtKey >= '0' && qtKey <= '9') return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
  for (const auto& [key, code] : kNamedKeys)
    if (key == qtKey) return code;
  if (const int cyrillic = cyrillicKey(qtKey))
    return signKey(cyrillic) ? signKey(cyrillic) : cyrillic;
  return signKey(qtKey);
}

int VirtualKey(int qtKey, unsigned xkbKeycode) {
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
