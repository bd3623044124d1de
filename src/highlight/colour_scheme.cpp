#include "highlight/colour_scheme.h"

#include "platform/ini_file.h"

namespace highlight {
namespace {

constexpr long long kMaxColour = 0xFFFFFF;
constexpr int kWindow = -1;     // the background follows the window's
constexpr int kNotUsed = -2;    // the item has no such part

struct ItemDef {
  ColourItem item;
  const char* key;
  const char* caption;
  long long fore;
  long long back;
  int fontStyle;  // kNotUsed: the item has no font style
};

// In the order of the settings list.
constexpr ItemDef kItems[kColourItemCount] = {
    {ColourItem::Text, "Text", "Текст", 0, 16777215, 0},
    {ColourItem::CurrentLine, "Current line", "Текущая строка", kNotUsed, 65535, kNotUsed},
    {ColourItem::Background, "Background", "Задний фон", kNotUsed, 16777215, kNotUsed},
    {ColourItem::Gutter, "Gutter", "Gutter", 12615680, kNotUsed, kNotUsed},
    {ColourItem::LineNumber, "String number", "Номер строки", 0, 12615680, 0},
    {ColourItem::Comment, "Comments", "Комментарии", 32512, kWindow, 0},
    {ColourItem::String, "Strings", "Строки", 8421440, kWindow, 0},
    {ColourItem::Breakpoint, "Breakpoint", "BreakPoint", kNotUsed, kNotUsed, kNotUsed},
    {ColourItem::Delimiter, "Delimiters", "Разделители", 8355584, kWindow, 0},
    {ColourItem::Group1, "Group1", "Группа1", 255, kWindow, 0},
    {ColourItem::Group2, "Group2", "Группа2", 255, kWindow, 0},
    {ColourItem::Group3, "Group3", "Группа3", 255, kWindow, 0},
    {ColourItem::Group4, "Group4", "Группа4", kNotUsed, kNotUsed, kNotUsed},
    {ColourItem::HtmlAttribute, "HTML attributes", "Аттрибуты HTML", 16711680, kWindow, 1},
    {ColourItem::ElementName, "Element name", "Имя элемента", 255, kWindow, 0},
    {ColourItem::TagText, "Tag text", "Текст тега", 0, kWindow, 1},
};

long long numberOf(const QString& text) {
  bool ok = false;
  const long long value = text.trimmed().toLongLong(&ok);
  return ok ? value : 0;
}

QColor colourOf(const platform::IniSnapshot& ini, const char* section, const char* key,
                long long fallback) {
  const long long value =
      numberOf(ini.value(QString::fromLatin1(section), QString::fromLatin1(key),
                         QString::number(fallback)));
  return ColourOfNumber(value);
}

}  // namespace

QColor ColourOfNumber(long long number) {
  if (number < 0 || number > kMaxColour) number = 0;
  return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
}

long long NumberOfColour(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (static_cast<long long>(colour.blue()) << 16);
}

QString ColorItemName(int index) {
  if (index < 0 || index >= kColourItemCount) return {};
  return QString::fromLatin1(kItems[index].key);
}

QString ColorItemCaption(int index) {
  if (index < 0 || index >= kColourItemCount) return {};
  return QString::fromUtf8(kItems[index].caption);
}

ItemParts ColorItemParts(int index) {
  if (index < 0 || index >= kColourItemCount) return {};
  const ItemDef& def = kItems[index];
  return {def.fore != kNotUsed, def.back != kNotUsed, def.fontStyle != kNotUsed};
}

ColourScheme ReadColourScheme(const QString& iniPath) {
  // Read once: the file was opened again for each of its sixty-odd values at every start.
  const platform::IniSnapshot ini = platform::IniSnapshot::load(iniPath);
  ColourScheme scheme;
  for (const ItemDef& def : kItems) {
    ItemLook& look = scheme.items[int(def.item)];
    if (def.fore != kNotUsed) look.fore = colourOf(ini, "Color", def.key, def.fore);
    if (def.back >= 0) look.back = colourOf(ini, "BackColor", def.key, def.back);
    if (def.fontStyle != kNotUsed) {
      const long long style = numberOf(ini.value(QStringLiteral("FontStyle"),
                                                 QString::fromLatin1(def.key),
                                                 QString::number(def.fontStyle)));
      look.fontStyle = style >= 0 && style <= 4 ? int(style) : 0;
    }
  }
  // The window's colour is the Background item's, so items left to the window never stand out
  // as patches of another colour.
  const QColor window = scheme.items[int(ColourItem::Background)].back;
  for (const ItemDef& def : kItems)
    if (def.back == kWindow) {
      ItemLook& look = scheme.items[int(def.item)];
      const QString stored = ini.value(QStringLiteral("BackColor"), QString::fromLatin1(def.key),
                                       QString());
      look.back = stored.isEmpty() ? window : ColourOfNumber(numberOf(stored));
    }
  return scheme;
}

platform::ViewColours ColourScheme::viewColours() const {
  platform::ViewColours colours;
  const ItemLook& text = (*this)[ColourItem::Text];
  colours.text = text.fore;
  colours.textBack = text.back;
  colours.textStyle = text.fontStyle;
  colours.gutter = (*this)[ColourItem::Gutter].fore;
  const ItemLook& numbers = (*this)[ColourItem::LineNumber];
  colours.lineNumbers = numbers.fore;
  colours.lineNumbersBack = numbers.back;
  colours.lineNumbersStyle = numbers.fontStyle;
  colours.currentLine = (*this)[ColourItem::CurrentLine].back;
  colours.whiteSpace = ColourOfNumber(8421504);
  colours.unmatchedBrace = ColourOfNumber(255);
  return colours;
}

}  // namespace highlight
