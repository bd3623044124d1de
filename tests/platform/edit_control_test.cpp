// The editing control on a real QScintilla offscreen: text, selection, lines, editing commands,
// line marks, line numbers, the splitter and printing.
#include "platform/edit_control.h"

#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>

namespace platform {
namespace {

using Sci = QsciScintillaBase;

class EditControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit.resize(640, 480);
    edit.show();
    QCoreApplication::processEvents();
  }

  // Lines that carry any marker.
  QList<int> markedLines() const {
    QList<int> lines;
    for (int line = 0; line < edit.lineCount(); ++line)
      if (edit.primaryView()->SendScintilla(Sci::SCI_MARKERGET, line) != 0) lines << line;
    return lines;
  }

  static void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = {},
                    const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &event);
  }

  EditControl edit;
};

TEST_F(EditControlTest, TextRoundTripsWithLengthAndLines) {
  struct Case {
    const char* name;
    QString text;
    int lines;
  };
  const Case cases[] = {
      {"empty", "", 1},
      {"one character", "ж", 1},
      {"Cyrillic lines", "Привет\r\nмир", 2},
      {"final line break", "строка\r\n", 2},
      {"empty lines", "\r\n\r\n", 3},
      {"surrogate pair", QString::fromUtf8("a\xF0\x9F\x98\x80щ"), 1},
      {"very long line", QString(100000, QChar(0x0416)), 1},
      // Read back with QString::fromUtf8, which takes it for a byte-order mark, it was lost.
      {"starts with U+FEFF", QChar(0xFEFF) + QString("текст"), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit.setText(c.text);
    EXPECT_EQ(edit.text(), c.text);
    EXPECT_EQ(edit.textLength(), c.text.size());
    EXPECT_EQ(edit.lineCount(), c.lines);
    edit.executeCommand(EditCommand::SelectAll);
    EXPECT_EQ(edit.selectedText(), c.text);
  }
}

// The copy read on either side of the editor's gap: an edit in the middle moves the gap there.
TEST_F(EditControlTest, CopiedTextIsTheWholeTextWhereverTheLastEditWas) {
  QByteArray copy(1 << 16, 'z');  // reused memory, longer than the text
  edit.setText(QStringLiteral("первая\r\nвторая\r\nтретья"));
  for (const SelRange at : {SelRange{1, 3, 1, 3}, SelRange{0, 0, 0, 0}, SelRange{2, 6, 2, 6}}) {
    edit.setSelection(at);
    edit.setSelectedText(QStringLiteral("ё"));
    edit.copyTextUtf8(copy);
    EXPECT_EQ(copy, edit.textUtf8());
  }
  edit.setText(QString());
  edit.copyTextUtf8(copy);
  EXPECT_TRUE(copy.isEmpty());
}

TEST_F(EditControlTest, LineQueriesCountCharactersNotBytes) {
  const QString emoji = QString::fromUtf8("a\xF0\x9F\x98\x80" "b");
  edit.setText("Первая\r\nвторая строка\r\n\r\n" + emoji);
  struct Case {
    int line;
    QString text;
  };
  const Case cases[] = {{0, "Первая"}, {1, "вторая строка"}, {2, ""}, {3, emoji}, {4, ""},
                        {-1, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(edit.lineText(c.line), c.text);
    EXPECT_EQ(edit.lineLength(c.line), c.text.size());
  }
  // Columns are QString indexes: the character after the surrogate pair is column 3.
  edit.setSelection({3, 3, 3, 4});
  EXPECT_EQ(edit.selectedText(), "b");
}

TEST_F(EditControlTest, SelectionRoundTripsInCharacterColumns) {
  edit.setText("Первая\r\nвторая строка\r\nтретья");
  struct Case {
    const char* name;
    SelRange set;
    SelRange expect;
    QString text;
  };
  const Case cases[] = {
      {"across a line end", {0, 2, 1, 3}, {0, 2, 1, 3}, "рвая\r\nвто"},
      {"empty: a caret", {1, 4, 1, 4}, {1, 4, 1, 4}, ""},
      {"column past the end is clamped", {2, 0, 2, 99}, {2, 0, 2, 6}, "третья"},
      {"line past the end is the document end", {1, 7, 9, 0}, {1, 7, 2, 6}, "строка\r\nтретья"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit.setSelection(c.set);
    EXPECT_EQ(edit.selection(), c.expect);
    EXPECT_EQ(edit.selectedText(), c.text);
  }
}

TEST_F(EditControlTest, BackwardSelectionIsNormalised) {
  edit.setText("Первая\r\nвторая");
  edit.setSelection({1, 3, 1, 3});
  press(edit.primaryView(), Qt::Key_Up, Qt::ShiftModifier);
  press(edit.primaryView(), Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(edit.selection(), (SelRange{0, 2, 1, 3, false}));
  EXPECT_EQ(edit.selectedText(), "рвая\r\nвто");
}

TEST_F(EditControlTest, ColumnSelectionSetAndReadInAnyDirection) {
  edit.setText("абвгде\r\nёжзийк\r\nлмнопр");
  edit.setSelection({0, 1, 2, 3, true});
  EXPECT_EQ(edit.selection(), (SelRange{0, 1, 2, 3, true}));
  EXPECT_EQ(edit.selectedText(), "бв\r\nжз\r\nмн");

  // Dragged from the bottom right corner up and left, it reads the same.
  edit.setSelection({2, 3, 2, 3});
  for (int i = 0; i < 2; ++i) {
    press(edit.primaryView(), Qt::Key_Up, Qt::AltModifier | Qt::ShiftModifier);
    press(edit.primaryView(), Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier);
  }
  EXPECT_EQ(edit.selection(), (SelRange{0, 1, 2, 3, true}));
  EXPECT_EQ(edit.selectedText(), "бв\r\nжз\r\nмн");
}

TEST_F(EditControlTest, SelectedTextReplacesSelectionOrInsertsAtCaret) {
  edit.setText("один два");
  edit.setSelection({0, 5, 0, 8});
  edit.setSelectedText("три");
  EXPECT_EQ(edit.text(), "один три");
  edit.setSelection({0, 4, 0, 4});
  edit.setSelectedText(",\r\n");
  EXPECT_EQ(edit.text(), "один,\r\n три");
  EXPECT_EQ(edit.selection(), (SelRange{1, 0, 1, 0}));
}

TEST_F(EditControlTest, SetTextIsOneUndoStep) {
  EXPECT_FALSE(edit.canUndo());
  edit.setText("старый");
  edit.setText("новый\r\nтекст");
  ASSERT_TRUE(edit.canUndo());
  EXPECT_FALSE(edit.canRedo());
  edit.undo();
  EXPECT_EQ(edit.text(), "старый");
  EXPECT_TRUE(edit.canRedo());
  edit.redo();
  EXPECT_EQ(edit.text(), "новый\r\nтекст");
}

TEST_F(EditControlTest, ClipboardCommandsUseTheRealClipboard) {
  QClipboard* clipboard = QApplication::clipboard();
  edit.setText("красный зелёный");
  edit.setSelection({0, 0, 0, 0});
  EXPECT_FALSE(edit.canCopy());
  EXPECT_FALSE(edit.canCut());

  edit.setSelection({0, 8, 0, 15});
  ASSERT_TRUE(edit.canCopy());
  EXPECT_TRUE(edit.canCut());
  edit.copy();
  EXPECT_EQ(clipboard->text(), "зелёный");
  edit.setSelection({0, 0, 0, 7});
  edit.cut();
  EXPECT_EQ(clipboard->text(), "красный");
  EXPECT_EQ(edit.text(), " зелёный");
  edit.setSelection({0, 8, 0, 8});
  ASSERT_TRUE(edit.canPaste());
  edit.paste();
  EXPECT_EQ(edit.text(), " зелёныйкрасный");

  clipboard->clear();
  EXPECT_FALSE(edit.canPaste());
  // The answer is kept between changes of the clipboard, and each change is seen.
  auto* picture = new QMimeData;
  picture->setImageData(QImage(2, 2, QImage::Format_RGB32));
  clipboard->setMimeData(picture);
  EXPECT_FALSE(edit.canPaste()) << "a picture is nothing to paste into text";
  clipboard->setText("синий");
  EXPECT_TRUE(edit.canPaste());
  edit.setReadOnly(true);
  EXPECT_FALSE(edit.canPaste());
  edit.setReadOnly(false);
}

TEST_F(EditControlTest, DeleteLineTakesItsLineEnd) {
  struct Case {
    const char* name;
    QString text;
    int line;
    QString expect;
  };
  const Case cases[] = {
      {"middle line", "а\r\nб\r\nв", 1, "а\r\nв"},
      {"first line", "а\r\nб\r\nв", 0, "б\r\nв"},
      {"last line takes the line end before it", "а\r\nб\r\nв", 2, "а\r\nб"},
      {"the only line", "один", 0, ""},
      {"past the end", "а\r\nб", 5, "а\r\nб"},
      {"negative", "а\r\nб", -1, "а\r\nб"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit.setText(c.text);
    edit.deleteLine(c.line);
    EXPECT_EQ(edit.text(), c.expect);
  }
}

TEST_F(EditControlTest, DividerFollowsItsLineAndGoesWithTheText) {
  edit.setText("а\r\nб\r\nв\r\nг");
  edit.setDivider(1, true);
  edit.setDivider(2, true);
  edit.setDivider(2, false);
  EXPECT_TRUE(edit.hasDivider(1));
  EXPECT_FALSE(edit.hasDivider(2));
  EXPECT_FALSE(edit.hasDivider(9));

  edit.setSelection({0, 0, 0, 0});
  edit.setSelectedText("новая\r\n");
  EXPECT_FALSE(edit.hasDivider(1));
  EXPECT_TRUE(edit.hasDivider(2));

  edit.setText("другой текст");
  EXPECT_FALSE(edit.hasDivider(0));
}

TEST_F(EditControlTest, HighlightedLineFollowsItsLine) {
  edit.setText("а\r\nб\r\nв");
  EXPECT_EQ(edit.highlightedLine(), -1);
  edit.setHighlightedLine(1);
  EXPECT_EQ(edit.highlightedLine(), 1);
  edit.setSelection({0, 0, 0, 0});
  edit.setSelectedText("x\r\n");
  EXPECT_EQ(edit.highlightedLine(), 2);
  edit.setHighlightedLine(0);
  EXPECT_EQ(edit.highlightedLine(), 0);
  EXPECT_EQ(markedLines(), QList<int>{0});
  edit.setHighlightedLine(-1);
  EXPECT_EQ(edit.highlightedLine(), -1);
  edit.setHighlightedLine(50);
  EXPECT_EQ(edit.highlightedLine(), -1);
}

}  // namespace
}  // namespace platform
