// Over-long lines: the component shows them as several display lines, and nobody above the
// editing control may notice. Positions, text, edits, undo, the clipboard and saving are all
// checked around the joins, where an off-by-one would cut, double or lose a character.
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "platform/display_breaks.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"

namespace platform {
namespace {

constexpr int kJoin = kDisplayLineLength;

// A long line of Cyrillic and Latin letters and digits: every character is told apart, so a
// character lost or doubled at a join shows.
QString longLine(int length) {
  QString line;
  line.reserve(length);
  for (int i = 0; i < length; ++i)
    line += i % 3 == 0 ? QChar(u'а' + i % 32) : QChar(u'0' + (i / 3) % 10);
  return line;
}

class DisplayBreaksTest : public ::testing::Test {
 protected:
  QString write(const QByteArray& bytes) {
    const QString path = dir.filePath("long.txt");
    EXPECT_TRUE(test_files::put(path, bytes));
    return path;
  }
  void caretAt(int line, int column) { edit.setSelection({line, column, line, column}); }
  void key(Qt::Key k) { QTest::keyClick(edit.focusWidget(), k); }
  // The component has more lines than the text: the long line really is cut for display.
  bool componentBreaksLines() const {
    return edit.lineCount() <
           edit.primaryView()->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
  }

  QTemporaryDir dir;
  EditControl edit;
};

TEST_F(DisplayBreaksTest, ALongLineIsOneLineOfTheTextAndSavesByteForByte) {
  const QString line = longLine(3 * kJoin + 123);
  const QByteArray bytes = "first\r\n" + line.toUtf8() + "\r\nlast";
  const QString path = write(bytes);
  ASSERT_FALSE(edit.openFile(path));
  EXPECT_TRUE(componentBreaksLines());
  EXPECT_EQ(edit.lineCount(), 3);
  EXPECT_EQ(edit.lineText(1), line);
  EXPECT_EQ(edit.lineLength(1), line.size());
  EXPECT_EQ(edit.lineText(2), "last");
  EXPECT_EQ(edit.linesText(0, 2), QString::fromUtf8(bytes));
  EXPECT_EQ(edit.text(), QString::fromUtf8(bytes));
  EXPECT_EQ(edit.textUtf8(), bytes);
  EXPECT_EQ(edit.textLength(), QString::fromUtf8(bytes).size());
  QByteArray copy;
  edit.copyTextUtf8(copy);
  EXPECT_EQ(copy, bytes);
  ASSERT_FALSE(edit.saveFile(path));
  EXPECT_EQ(test_files::bytesOf(path), bytes);

  // The line after the long one is where the program thinks it is.
  caretAt(2, 2);
  EXPECT_EQ(edit.selection(), (SelRange{2, 2, 2, 2}));
  edit.deleteLine(1);
  EXPECT_EQ(edit.text(), "first\r\nlast");
  EXPECT_FALSE(componentBreaksLines());
}

TEST_F(DisplayBreaksTest, PositionsAndRangesRoundTripAcrossJoins) {
  const QString line = longLine(2 * kJoin + 50);
  edit.setText("x\r\n" + line + "\r\ny");
  ASSERT_TRUE(componentBreaksLines());
  for (const int column : {0, 1, kJoin - 1, kJoin, kJoin + 1, 2 * kJoin, 2 * kJoin + 50}) {
    caretAt(1, column);
    EXPECT_EQ(edit.selection(), (SelRange{1, column, 1, column})) << column;
  }
  // Past the end of the line lands at its end, as on any line.
  caretAt(1, 3 * kJoin);
  EXPECT_EQ(edit.selection(), (SelRange{1, 2 * kJoin + 50, 1, 2 * kJoin + 50}));
  const SelRange across{1, kJoin - 5, 1, 2 * kJoin + 5};
  edit.setSelection(across);
  EXPECT_EQ(edit.selection(), across);
  EXPECT_EQ(edit.selectedText(), line.mid(kJoin - 5, kJoin + 10));
  EXPECT_EQ(edit.selectedTextUtf8(), line.mid(kJoin - 5, kJoin + 10).toUtf8());
  edit.copy();
  EXPECT_EQ(QApplication::clipboard()->text(), line.mid(kJoin - 5, kJoin + 10));
}

TEST_F(DisplayBreaksTest, EditsAtAndAcrossJoinsChangeTheRealLineAndUndoBack) {
  const QString line = longLine(2 * kJoin + 10);
  // Opened, so that undoing everything leads back to this text and not to an empty one.
  ASSERT_FALSE(edit.openFile(write(line.toUtf8())));
  QString expected = line;

  // Delete at the end of a display line takes the character after the join.
  caretAt(0, kJoin - 1);
  key(Qt::Key_Right);
  EXPECT_EQ(edit.selection().startCol, kJoin);
  key(Qt::Key_Delete);
  expected.remove(kJoin, 1);
  EXPECT_EQ(edit.text(), expected);

  // Backspace right after a join takes the character before it, not the join.
  caretAt(0, kJoin);
  key(Qt::Key_Backspace);
  expected.remove(kJoin - 1, 1);
  EXPECT_EQ(edit.text(), expected);

  // Left and Right over a join move one character, as anywhere else.
  caretAt(0, kJoin - 3);
  for (int i = 0; i < 6; ++i) key(Qt::Key_Right);
  EXPECT_EQ(edit.selection().startCol, kJoin + 3);
  for (int i = 0; i < 6; ++i) key(Qt::Key_Left);
  EXPECT_EQ(edit.selection().startCol, kJoin - 3);

  // Replacing a range across a join.
  edit.setSelection({0, kJoin - 3, 0, kJoin + 3});
  edit.setSelectedText("XY");
  expected.replace(kJoin - 3, 6, "XY");
  EXPECT_EQ(edit.text(), expected);
  EXPECT_EQ(edit.lineCount(), 1);

  // Typing goes into the real line, and Enter splits it there.
  caretAt(0, kJoin + 100);
  QTest::keyClicks(edit.focusWidget(), "ab");
  key(Qt::Key_Return);
  expected.insert(kJoin + 100, "ab\r\n");
  EXPECT_EQ(edit.text(), expected);
  EXPECT_EQ(edit.lineCount(), 2);
  EXPECT_EQ(edit.lineText(1), expected.mid(kJoin + 104));

  while (edit.canUndo()) edit.undo();
  EXPECT_EQ(edit.text(), line);
  EXPECT_EQ(edit.lineCount(), 1);
  while (edit.canRedo()) edit.redo();
  EXPECT_EQ(edit.text(), expected);
  EXPECT_EQ(edit.lineCount(), 2);
}

TEST_F(DisplayBreaksTest, HomeAndEndGoToTheEndsOfTheLineOfTheText) {
  const QString line = "  " + longLine(3 * kJoin);
  edit.setText("short\r\n" + line + "\r\nlast");
  ASSERT_TRUE(componentBreaksLines());
  const int end = int(line.size());
  // From the middle of a later display line, End goes past every join to the line's end.
  caretAt(1, 2 * kJoin + 7);
  key(Qt::Key_End);
  EXPECT_EQ(edit.selection(), SelRange({1, end, 1, end}));
  // Home stops at the first character that is not blank, then goes on to the very start.
  key(Qt::Key_Home);
  EXPECT_EQ(edit.selection(), SelRange({1, 2, 1, 2}));
  key(Qt::Key_Home);
  EXPECT_EQ(edit.selection(), SelRange({1, 0, 1, 0}));
  // With Shift they select, from where the caret was.
  caretAt(1, kJoin + 5);
  QTest::keyClick(edit.focusWidget(), Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(edit.selection(), SelRange({1, kJoin + 5, 1, end}));
  EXPECT_EQ(edit.selectedText(), line.mid(kJoin + 5));
  QTest::keyClick(edit.focusWidget(), Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(edit.selection(), SelRange({1, 2, 1, kJoin + 5}));
  // A line with no joins is the view's own business, as before.
  caretAt(0, 2);
  key(Qt::Key_End);
  EXPECT_EQ(edit.selection(), SelRange({0, 5, 0, 5}));
}

TEST_F(DisplayBreaksTest, TextFromTheProgramKeepsItsOwnLineFeeds) {
  // An encrypted text has lone LFs of its own; in a document with a long line they are still
  // the text's, through undo and redo too.
  edit.setText(longLine(kJoin + 100));
  caretAt(0, 10);
  edit.setSelectedText("a\nb\rc");
  EXPECT_EQ(edit.text().mid(10, 5), "a\nb\rc");
  edit.undo();
  edit.redo();
  EXPECT_EQ(edit.text().mid(10, 5), "a\nb\rc");
  edit.setText("one\ntwo");
  EXPECT_EQ(edit.text(), "one\ntwo");
  EXPECT_FALSE(componentBreaksLines());
}

TEST_F(DisplayBreaksTest, ReplaceAllAcrossTheWholeLongLine) {
  const QString line = longLine(3 * kJoin);
  edit.setText(line + "\r\nend");
  QString expected = line;
  const int count = int(expected.count(u'0'));
  expected.replace(u'0', QStringLiteral("00"));
  EXPECT_EQ(edit.replaceAll("0", "00", {}), count);
  EXPECT_EQ(edit.text(), expected + "\r\nend");
  EXPECT_EQ(edit.lineText(1), "end");
  edit.undo();
  EXPECT_EQ(edit.text(), line + "\r\nend");
}

TEST(BreakInserterTest, BreaksFallBetweenCharactersAndNeverAtALineEnd) {
  // Two-byte characters and a line of exactly the limit, which needs no break.
  const QByteArray exact = QString(kJoin, u'ж').toUtf8();
  const QByteArray longer = QString(kJoin + 1, u'ж').toUtf8();
  std::vector<long> offsets;
  EXPECT_EQ(WithDisplayBreaks(exact + "\r\n", 0, &offsets), exact + "\r\n");
  EXPECT_TRUE(offsets.empty());
  const QByteArray broken = WithDisplayBreaks(longer, 0, &offsets);
  ASSERT_EQ(offsets.size(), 1u);
  EXPECT_EQ(offsets[0], exact.size());
  EXPECT_EQ(broken, exact + "\n" + QString(u'ж').toUtf8());
  // Streaming in pieces that cut characters gives the same.
  QByteArray streamed;
  BreakInserter inserter([&](QByteArrayView piece) { streamed.append(piece); });
  for (qsizetype i = 0; i < longer.size(); i += 3)
    inserter.feed(QByteArrayView(longer).sliced(i, std::min<qsizetype>(3, longer.size() - i)));
  EXPECT_EQ(streamed, broken);
}

TEST(BreakInserterTest, LinesNearTheLimitBreakTheSameInAnyPieces) {
  // Lines just under, at and over the limit, of one- and two-byte characters, some with a lone
  // CR inside: short lines are passed over without counting, which must not change a break.
  QByteArray text;
  std::mt19937 random(7);
  for (int line = 0; line < 60; ++line) {
    const int length = kJoin - 3 + int(random() % 8) + (line % 5 == 0 ? kJoin : 0);
    for (int i = 0; i < length; ++i) {
      const unsigned kind = random() % 4000;
      text += kind == 0 ? QByteArray("\r") : kind < 1600 ? QString(u'ё').toUtf8() : QByteArray("a");
    }
    text += "\r\n";
  }
  std::vector<long> offsets;
  const QByteArray whole = WithDisplayBreaks(text, 0, &offsets);
  ASSERT_FALSE(offsets.empty());
  // No display line is over the limit, and taking the breaks out gives the text back.
  QByteArray stripped;
  long from = 0;
  for (const long at : offsets) {
    stripped += whole.mid(from, at - from);
    from = at + 1;
  }
  stripped += whole.mid(from);
  EXPECT_EQ(stripped, text);
  for (const QByteArray& display : whole.split('\n')) {
    for (const QByteArray& part : display.split('\r'))
      EXPECT_LE(QString::fromUtf8(part).size(), kJoin);
  }
  for (const qsizetype step : {1, 7, 1999, 4096}) {
    QByteArray streamed;
    BreakInserter inserter([&](QByteArrayView piece) { streamed.append(piece); });
    for (qsizetype i = 0; i < text.size(); i += step)
      inserter.feed(QByteArrayView(text).sliced(i, std::min(step, text.size() - i)));
    EXPECT_EQ(streamed, whole) << step;
    EXPECT_EQ(inserter.breaks(), offsets) << step;
  }
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

TEST_F(DisplayBreaksTest, SearchFindsWhatRunsAcrossAJoin) {
  // "Ключ" written so that the join falls inside it, twice, and once away from any join.
  QString line = QString(kJoin - 2, u'.') + QStringLiteral("Ключ") + QString(kJoin - 4, u'.') +
                 QStringLiteral("ключ") + QString(100, u'.') + QStringLiteral("КЛЮЧ");
  edit.setText(line + "\r\nключ");
  const int first = kJoin - 2;
  const int second = 2 * kJoin - 2;
  const int third = second + 104;
  auto found = [this] { return edit.selection(); };
  caretAt(0, 0);
  FindOptions plain;
  plain.wrap = false;
  ASSERT_EQ(edit.find(QStringLiteral("ключ"), plain), FindResult::Found);
  EXPECT_EQ(found(), (SelRange{0, first, 0, first + 4}));
  EXPECT_EQ(edit.selectedText(), QStringLiteral("Ключ"));
  ASSERT_EQ(edit.find(QStringLiteral("ключ"), plain), FindResult::Found);
  EXPECT_EQ(found(), (SelRange{0, second, 0, second + 4}));
  ASSERT_EQ(edit.find(QStringLiteral("ключ"), plain), FindResult::Found);
  EXPECT_EQ(found(), (SelRange{0, third, 0, third + 4}));
  ASSERT_EQ(edit.find(QStringLiteral("ключ"), plain), FindResult::Found);
  EXPECT_EQ(found(), (SelRange{1, 0, 1, 4}));

  // Going up finds them in the other order; matching case and regular expressions too.
  FindOptions up = plain;
  up.up = true;
  ASSERT_EQ(edit.find(QStringLiteral("ключ"), up), FindResult::Found);
  EXPECT_EQ(found(), (SelRange{0, third, 0, third + 4}));
  ASSERT_EQ(edit.find(QStringLiteral("ключ"), up), FindResult::Found);
  EXPECT_EQ(found(), (SelRange{0, second, 0, second + 4}));
  FindOptions exact = plain;
  exact.matchCase = true;
  caretAt(0, 0);
  ASSERT_EQ(edit.find(QStringLiteral("ключ"), exact), FindResult::Found);
  EXPECT_EQ(found(), (SelRange{0, second, 0, second + 4}));
  FindOptions expression = plain;
  expression.regExp = true;
  caretAt(0, 0);
  ASSERT_EQ(edit.find(QStringLiteral("\\.К(л)ю"), expression), FindResult::Found);
  EXPECT_EQ(found(), (SelRange{0, first - 1, 0, first + 3}));

  // Replacing them, with a group of the expression.
  caretAt(0, 0);
  EXPECT_EQ(edit.replaceAll(QStringLiteral("к(л)юч"), QStringLiteral("<\\1>"), expression), 4);
  QString expected = line + "\r\nключ";
  for (const QString& word : {QStringLiteral("Ключ"), QStringLiteral("ключ"), QStringLiteral("КЛЮЧ")})
    expected.replace(word, word.at(1) == u'Л' ? QStringLiteral("<Л>") : QStringLiteral("<л>"));
  EXPECT_EQ(edit.text(), expected);
  edit.undo();
  EXPECT_EQ(edit.text(), line + "\r\nключ");
  EXPECT_EQ(edit.replaceAll(QStringLiteral("ключ"), QStringLiteral("k"), plain), 4);
  EXPECT_EQ(edit.lineText(0).count(u'k'), 3);
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

TEST(BreakInserterTest, ALineBreaksAfterAStatementWhenOneIsNearTheFullLength) {
  // Minified code: a break after "};" keeps the string of the next statement whole.
  const QByteArray statement = "var s=\"a b c d e f\";";  // 20 characters
  QByteArray code;
  while (code.size() < 3 * kJoin) code += statement;
  std::vector<long> offsets;
  const QByteArray broken = WithDisplayBreaks(code, 0, &offsets);
  ASSERT_FALSE(offsets.empty());
  for (const long at : offsets) {
    EXPECT_EQ(broken.at(qsizetype(at) - 1), ';');
    EXPECT_TRUE(broken.mid(qsizetype(at) + 1).startsWith("var s="));
  }
  EXPECT_EQ(QByteArray(broken).replace("\n", ""), code);
  // Without such a place the line breaks at its full length.
  EXPECT_EQ(WithDisplayBreaks(QByteArray(kJoin + 5, 'x'), 0, &offsets).indexOf('\n'), kJoin);
}

}  // namespace
}  // namespace platform
