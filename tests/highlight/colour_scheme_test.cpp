// "Colors.ini": the program's defaults for what the file lacks, and values checked before use.
#include "highlight/colour_scheme.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace highlight {
namespace {

QString writeIni(const QTemporaryDir& dir, const QByteArray& text) {
  const QString path = dir.filePath("Colors.ini");
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
  return path;
}

TEST(ColourScheme, DefaultsOfAnEmptyFile) {
  QTemporaryDir dir;
  const ColourScheme s = ReadColourScheme(writeIni(dir, ""));
  EXPECT_EQ(s[ColourItem::Comment].fore, QColor(0, 0x7F, 0));          // 32512
  EXPECT_EQ(s[ColourItem::String].fore, QColor(0x40, 0x80, 0x80));     // 8421440
  for (ColourItem red : {ColourItem::Group1, ColourItem::Group2, ColourItem::Group3})
    EXPECT_EQ(s[red].fore, QColor(255, 0, 0));
  EXPECT_EQ(s[ColourItem::CurrentLine].back, QColor(255, 255, 0));     // 65535
  EXPECT_EQ(s[ColourItem::LineNumber].back, QColor(0, 0x80, 0xC0));    // 12615680
  EXPECT_EQ(s[ColourItem::Gutter].fore, QColor(0, 0x80, 0xC0));
  EXPECT_EQ(s[ColourItem::HtmlAttribute].fore, QColor(0, 0, 255));
  EXPECT_EQ(s[ColourItem::HtmlAttribute].fontStyle, 1);
  EXPECT_EQ(s[ColourItem::Comment].back, QColor(Qt::white));  // the window's
  const platform::ViewColours view = s.viewColours();
  EXPECT_EQ(view.text, QColor(Qt::black));
  EXPECT_EQ(view.currentLine, QColor(255, 255, 0));
  EXPECT_EQ(view.lineNumbersBack, QColor(0, 0x80, 0xC0));
}

TEST(ColourScheme, StoredValuesAreCheckedBeforeUse) {
  QTemporaryDir dir;
  const ColourScheme s = ReadColourScheme(writeIni(dir,
      "[Color]\r\nComments=16711680\r\nStrings=abc\r\nGroup1=-5\r\nGroup2=99999999\r\n"
      "Group3= 65280 \r\n"
      "[BackColor]\r\nBackground=8421504\r\nStrings=255\r\n"
      "[FontStyle]\r\nComments=2\r\nStrings=7\r\nGroup1=x\r\n"));
  EXPECT_EQ(s[ColourItem::Comment].fore, QColor(0, 0, 255));
  EXPECT_EQ(s[ColourItem::Comment].fontStyle, 2);
  // Not a number, negative or beyond the colours: black, and a style beyond 0..4 is normal.
  EXPECT_EQ(s[ColourItem::String].fore, QColor(Qt::black));
  EXPECT_EQ(s[ColourItem::Group1].fore, QColor(Qt::black));
  EXPECT_EQ(s[ColourItem::Group2].fore, QColor(Qt::black));
  EXPECT_EQ(s[ColourItem::Group3].fore, QColor(0, 255, 0));
  EXPECT_EQ(s[ColourItem::String].fontStyle, 0);
  EXPECT_EQ(s[ColourItem::Group1].fontStyle, 0);
  // Backgrounds left to the window take the window's colour; a stored one stays.
  EXPECT_EQ(s[ColourItem::Comment].back, QColor(128, 128, 128));
  EXPECT_EQ(s[ColourItem::String].back, QColor(255, 0, 0));
}

TEST(ColourScheme, ItemNamesInTheListsOrder) {
  EXPECT_EQ(ColorItemName(0), "Text");
  EXPECT_EQ(ColorItemName(4), "String number");
  EXPECT_EQ(ColorItemName(15), "Tag text");
  EXPECT_EQ(ColorItemName(16), "");
  EXPECT_EQ(ColorItemName(-1), "");
  EXPECT_EQ(ColorItemCaption(13), "Аттрибуты HTML");
  EXPECT_EQ(NumberOfColour(ColourOfNumber(12615680)), 12615680);
}

// The settings page offers exactly the parts the editor gets from the file: a part offered but
// never read would change nothing, a part read but not offered could not be changed.
TEST(ColourScheme, PartsOfferedAreThePartsRead) {
  QTemporaryDir dir;
  const ColourScheme s = ReadColourScheme(writeIni(dir, ""));
  for (int i = 0; i < kColourItemCount; ++i) {
    SCOPED_TRACE(ColorItemName(i).toStdString());
    const ItemParts parts = ColorItemParts(i);
    EXPECT_EQ(parts.fore, s.items[i].fore.isValid());
    EXPECT_EQ(parts.back, s.items[i].back.isValid());
  }
  const ItemParts none = ColorItemParts(kColourItemCount);
  EXPECT_FALSE(none.fore || none.back || none.fontStyle);
  EXPECT_TRUE(ColorItemParts(int(ColourItem::TagText)).fontStyle);
  EXPECT_FALSE(ColorItemParts(int(ColourItem::Gutter)).fontStyle);
}

}  // namespace
}  // namespace highlight
