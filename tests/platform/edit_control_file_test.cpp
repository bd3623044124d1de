// Opening and saving through the editing control: files come back byte for byte in their own
// encoding and line ends, failures leave the text alone, opening is not an edit.
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "platform/edit_control.h"

namespace platform {
namespace {

class EditControlFileTest : public ::testing::Test {
 protected:
  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }

  static QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  EditControl edit;
};

// Every byte but the line ends, in Windows-1251 as the file holds it.
QByteArray allSingleBytes() {
  QByteArray bytes;
  for (int b = 1; b < 256; ++b)
    if (b != '\n' && b != '\r') bytes += char(b);
  return bytes + "\r\n";
}

// Numbered lines of several megabytes: the file is read, and written, in many pieces.
struct LongText {
  QByteArray bytes;
  QString text;
};
LongText longWindows1251Text() {
  LongText t;
  for (int line = 0; t.bytes.size() < (4 << 20); ++line) {
    t.bytes += "\xcf\xf0\xe8\xe2\xe5\xf2 " + QByteArray::number(line) + "\n";
    t.text += QStringLiteral("Привет %1\r\n").arg(line);
  }
  return t;
}

TEST_F(EditControlFileTest, OpenAndSaveRoundTripByteForByte) {
  const QByteArray cyrillicUtf8 = QStringLiteral("Привет\r\nмир").toUtf8();
  const LongText longText = longWindows1251Text();
  struct Case {
    const char* name;
    QByteArray bytes;
    QString text;
    TextFormat format;
  };
  const Case cases[] = {
      {"Windows-1251 Cyrillic",
       "\xcf\xf0\xe8\xe2\xe5\xf2\r\n\xec\xe8\xf0",
       "Привет\r\nмир",
       {Encoding::Windows1251, false, LineEnd::CrLf}},
      {"UTF-8 with BOM",
       "\xEF\xBB\xBF" + cyrillicUtf8,
       "Привет\r\nмир",
       {Encoding::Utf8, true, LineEnd::CrLf}},
      {"UTF-8 with LF",
       QStringLiteral("Привет\nмир\n").toUtf8(),
       "Привет\r\nмир\r\n",
       {Encoding::Utf8, false, LineEnd::Lf}},
      {"plain LF keeps LF", "one\ntwo", "one\r\ntwo", {Encoding::Windows1251, false, LineEnd::Lf}},
      {"lone CR", "one\rtwo\r", "one\r\ntwo\r\n", {Encoding::Windows1251, false, LineEnd::Cr}},
      {"empty", "", "", {Encoding::Windows1251, false, LineEnd::CrLf}},
      {"every byte", allSingleBytes(), {}, {Encoding::Windows1251, false, LineEnd::CrLf}},
      {"megabytes", longText.bytes, longText.text, {Encoding::Windows1251, false, LineEnd::Lf}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = write("in.txt", c.bytes);
    ASSERT_EQ(edit.openFile(path), std::nullopt);
    if (!c.text.isNull()) {
      EXPECT_EQ(edit.text(), c.text);
    }
    EXPECT_EQ(edit.fileFormat(), c.format);
    EXPECT_EQ(edit.windowsLineEnds(), c.format.lineEnd == LineEnd::CrLf);
    ASSERT_EQ(edit.saveFile(dir.filePath("out.txt")), std::nullopt);
    EXPECT_EQ(read(dir.filePath("out.txt")), c.bytes);
  }
}

TEST_F(EditControlFileTest, OpeningIsNotAnEdit) {
  // Several megabytes arrive in several pieces; the program still hears of one change.
  QByteArray big;
  for (int i = 0; i < 200000; ++i)
    big += "\xf1\xf2\xf0\xee\xea\xe0 " + QByteArray::number(i) + "\n";
  const QString path = write("big.txt", big);
  edit.setText("было");
  edit.setSelection({0, 2, 0, 4});
  edit.setDivider(0, true);
  QSignalSpy changed(&edit, &EditControl::changed);

  ASSERT_EQ(edit.openFile(path), std::nullopt);
  EXPECT_LE(changed.count(), 1);
  EXPECT_FALSE(edit.canUndo());
  EXPECT_EQ(edit.selection(), (SelRange{0, 0, 0, 0}));
  EXPECT_EQ(edit.lineCount(), 200001);
  EXPECT_EQ(edit.lineText(199999), "строка 199999");
  EXPECT_FALSE(edit.hasDivider(0));
}

TEST_F(EditControlFileTest, FailedOpenLeavesTheText) {
  edit.setText("остаётся");
  const TextFormat before = edit.fileFormat();
  for (const QString& path : {dir.filePath("missing.txt"), dir.path()}) {
    SCOPED_TRACE(path.toStdString());
    const std::optional<QString> error = edit.openFile(path);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->isEmpty());
    EXPECT_EQ(edit.text(), "остаётся");
    EXPECT_EQ(edit.fileFormat(), before);
  }
}

TEST_F(EditControlFileTest, FailedSaveReportsAndKeepsTheText) {
  edit.setText("текст\r\n");
  const QString path = dir.filePath("no such folder/out.txt");
  const std::optional<QString> error = edit.saveFile(path);
  ASSERT_TRUE(error.has_value());
  EXPECT_FALSE(error->isEmpty());
  EXPECT_EQ(edit.text(), "текст\r\n");
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(EditControlFileTest, SavingFollowsTheLineEndModeAndWidensWhenNeeded) {
  edit.setText("строка\r\nещё");
  edit.setFileFormat({Encoding::Windows1251, false, LineEnd::CrLf});
  edit.setWindowsLineEnds(false);
  ASSERT_EQ(edit.saveFile(dir.filePath("lf.txt")), std::nullopt);
  EXPECT_EQ(read(dir.filePath("lf.txt")), "\xf1\xf2\xf0\xee\xea\xe0\n\xe5\xf9\xb8");

  // Windows-1251 has no place for these characters: the file becomes UTF-8 and stays so.
  edit.setText("日本\r\n");
  edit.setWindowsLineEnds(true);
  ASSERT_EQ(edit.saveFile(dir.filePath("wide.txt")), std::nullopt);
  EXPECT_EQ(read(dir.filePath("wide.txt")), QStringLiteral("日本\r\n").toUtf8());
  EXPECT_EQ(edit.fileFormat().encoding, Encoding::Utf8);
}

}  // namespace
}  // namespace platform
