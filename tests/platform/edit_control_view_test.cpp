// The editing control's numbered commands and view settings: go to line, line numbers in any
// base, settings reaching both views of the splitter, the splitter itself, printing.
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "platform/edit_control.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

class EditControlViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit.resize(640, 480);
    edit.show();
    QCoreApplication::processEvents();
  }

  QList<QsciScintilla*> views() const {
    QList<QsciScintilla*> all{edit.primaryView()};
    for (auto* view : edit.findChildren<QsciScintilla*>())
      if (view != edit.primaryView()) all << view;
    return all;
  }

  static QString numberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i) lines << QStringLiteral("строка %1").arg(i);
    return lines.join("\r\n");
  }

  EditControl edit;
};

TEST_F(EditControlViewTest, GoToLineReadsTheTypedNumberLikeVal) {
  edit.setText(numberedLines(20));
  struct Case {
    const char* typed;
    bool done;
    int line;  // where the caret ends, at the first column
  };
  const Case cases[] = {
      {"3", true, 2}, {"12abc", true, 11}, {"  5", true, 4},
      {"0", true, 0}, {"999", true, 19},   {"99999999999999999999", true, 19},
      {"", false, 7}, {"abc", false, 7},   {"-3", false, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    edit.setSelection({7, 3, 7, 3});
    EXPECT_EQ(edit.executeCommand(EditCommand::GoToLine, c.typed), c.done);
    const int column = c.done ? 0 : 3;
    EXPECT_EQ(edit.selection(), (SelRange{c.line, column, c.line, column}));
  }
}

TEST_F(EditControlViewTest, GoToLineScrollsTheLineIntoView) {
  edit.setText(numberedLines(2000));
  ASSERT_TRUE(edit.executeCommand(EditCommand::GoToLine, "1500"));
  const long top = edit.primaryView()->SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE);
  const long shown = edit.primaryView()->SendScintilla(Sci::SCI_LINESONSCREEN);
  EXPECT_LE(top, 1499);
  EXPECT_GT(top + shown, 1499);
}

TEST_F(EditControlViewTest, OtherCommands) {
  edit.setText("весь\r\nтекст");
  EXPECT_TRUE(edit.executeCommand(EditCommand::SelectAll));
  EXPECT_EQ(edit.selectedText(), "весь\r\nтекст");

  EXPECT_TRUE(edit.executeCommand(EditCommand::SetFindText, "искомое"));
  EXPECT_EQ(edit.findText(), "искомое");

  EXPECT_FALSE(edit.executeCommand(EditCommand::FindNext));  // not in the text
}

TEST_F(EditControlViewTest, LineNumberTextInAnyBase) {
  struct Case {
    int base;
    int line;
    QString text;
  };
  const Case cases[] = {{10, 0, "1"},    {10, 9, "10"}, {16, 9, "A"},  {16, 255, "100"},
                        {16, 254, "FF"}, {2, 4, "101"}, {36, 34, "Z"}, {8, 7, "10"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(QStringLiteral("base %1 line %2").arg(c.base).arg(c.line).toStdString());
    edit.setLineNumberBase(c.base);
    EXPECT_EQ(edit.lineNumberBase(), c.base);
    EXPECT_EQ(edit.lineNumberText(c.line), c.text);
  }
}

TEST_F(EditControlViewTest, MarginShowsNumbersOfTheChosenBase) {
  edit.setText(numberedLines(300));
  edit.setLineNumbersVisible(true);
  QsciScintilla* view = edit.primaryView();
  EXPECT_EQ(view->SendScintilla(Sci::SCI_GETMARGINTYPEN, 0), long(Sci::SC_MARGIN_NUMBER));
  const long decimalWidth = view->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0);
  EXPECT_GT(decimalWidth, 0);

  edit.setLineNumberBase(16);
  QCoreApplication::processEvents();
  EXPECT_EQ(view->SendScintilla(Sci::SCI_GETMARGINTYPEN, 0), long(Sci::SC_MARGIN_RTEXT));
  char label[16] = {};
  view->SendScintilla(Sci::SCI_MARGINGETTEXT, 9UL, static_cast<void*>(label));
  EXPECT_STREQ(label, "A");

  // Scrolled down, the lines that come into view get their labels too.
  view->SendScintilla(Sci::SCI_SETFIRSTVISIBLELINE, 250);
  QCoreApplication::processEvents();
  view->SendScintilla(Sci::SCI_MARGINGETTEXT, 255UL, static_cast<void*>(label));
  EXPECT_STREQ(label, "100");

  edit.setLineNumbersVisible(false);
  EXPECT_EQ(view->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0), 0);
}

TEST_F(EditControlViewTest, LineNumberMarginGrowsWithTheLineCount) {
  edit.setLineNumbersVisible(true);
  edit.setText(numberedLines(9));
  const long narrow = edit.primaryView()->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0);
  edit.setText(numberedLines(12000));
  EXPECT_GT(edit.primaryView()->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0), narrow);
}

TEST_F(EditControlViewTest, SettingsReachBothViews) {
  edit.setSplitterAllowed(true);
  edit.setTabSize(6);
  edit.setWrap(1);
  edit.setWhiteSpaceVisible(true);
  edit.setLeftMarginVisible(true);
  edit.setEditorFont("DejaVu Sans Mono", 13, 204);
  const auto all = views();
  ASSERT_EQ(all.size(), 2);
  for (QsciScintilla* view : all) {
    SCOPED_TRACE(view == edit.primaryView() ? "upper view" : "lower view");
    EXPECT_EQ(view->SendScintilla(Sci::SCI_GETTABWIDTH), 6);
    EXPECT_EQ(view->SendScintilla(Sci::SCI_GETWRAPMODE), long(Sci::SC_WRAP_WORD));
    EXPECT_EQ(view->SendScintilla(Sci::SCI_GETVIEWWS), long(Sci::SCWS_VISIBLEALWAYS));
    EXPECT_GT(view->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 1), 0);
    EXPECT_EQ(view->SendScintilla(Sci::SCI_STYLEGETSIZE, Sci::STYLE_DEFAULT), 13);
    EXPECT_EQ(view->SendScintilla(Sci::SCI_STYLEGETSIZE, Sci::STYLE_LINENUMBER), 13);
  }
  EXPECT_EQ(edit.wrap(), 1);
  EXPECT_EQ(edit.editorFont().pointSize(), 13);
  EXPECT_EQ(edit.editorCharSet(), 204);

  edit.setWrap(0);
  edit.setLeftMarginVisible(false);
  for (QsciScintilla* view : all) {
    EXPECT_EQ(view->SendScintilla(Sci::SCI_GETWRAPMODE), long(Sci::SC_WRAP_NONE));
    EXPECT_EQ(view->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 1), 0);
  }
}

// The lower view is made at the first split: it takes on what was set before it existed.
TEST_F(EditControlViewTest, LowerViewMadeLaterLooksLikeTheUpperOne) {
  edit.setTabSize(3);
  edit.setWrap(1);
  edit.setWhiteSpaceVisible(true);
  edit.setLineNumbersVisible(true);
  edit.setLineNumberBase(16);
  edit.setEditorFont("DejaVu Sans Mono", 15, 204);
  ViewColours colours;
  colours.text = QColor(10, 20, 30);
  colours.textBack = QColor(250, 240, 230);
  edit.setViewColours(colours);
  edit.setText(numberedLines(40));
  edit.setSplitterAllowed(true);
  QCoreApplication::processEvents();
  const auto all = views();
  ASSERT_EQ(all.size(), 2);
  QsciScintilla* upper = all[0];
  QsciScintilla* lower = all[1];
  for (unsigned query : {Sci::SCI_GETTABWIDTH, Sci::SCI_GETWRAPMODE, Sci::SCI_GETVIEWWS}) {
    SCOPED_TRACE(query);
    EXPECT_EQ(lower->SendScintilla(query), upper->SendScintilla(query));
  }
  EXPECT_EQ(lower->SendScintilla(Sci::SCI_GETTABWIDTH), 3);
  EXPECT_EQ(lower->SendScintilla(Sci::SCI_STYLEGETSIZE, Sci::STYLE_DEFAULT), 15);
  EXPECT_EQ(lower->SendScintilla(Sci::SCI_STYLEGETFORE, Sci::STYLE_DEFAULT), 10 | 20 << 8 | 30 << 16);
  EXPECT_EQ(lower->SendScintilla(Sci::SCI_STYLEGETBACK, Sci::STYLE_DEFAULT),
            250 | 240 << 8 | 230 << 16);
  EXPECT_EQ(lower->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0UL, 0L),
            upper->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0UL, 0L));
  EXPECT_EQ(lower->SendScintilla(Sci::SCI_GETMARGINTYPEN, 0UL, 0L),
            upper->SendScintilla(Sci::SCI_GETMARGINTYPEN, 0UL, 0L));
}

TEST_F(EditControlViewTest, EnterMakesCrLfWhateverTheFilesLineEnds) {
  edit.setWindowsLineEnds(false);
  edit.setText("а");
  edit.setSelection({0, 1, 0, 1});
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(edit.primaryView(), &enter);
  EXPECT_EQ(edit.text(), "а\r\n");
  EXPECT_EQ(edit.fileFormat().lineEnd, LineEnd::Lf);
}

TEST_F(EditControlViewTest, SplitterViewsShareOneDocument) {
  edit.setText("текст до разделения");
  ASSERT_EQ(views().size(), 1);  // the lower view is made when first wanted
  edit.setSplitterAllowed(true);
  edit.setSplitterPosition(150);
  QCoreApplication::processEvents();
  const auto all = views();
  ASSERT_EQ(all.size(), 2);
  QsciScintilla* lower = all[1];
  EXPECT_TRUE(lower->isVisible());
  EXPECT_EQ(lower->text(), "текст до разделения");
  EXPECT_EQ(edit.splitterPosition(), 150);

  edit.setText("общий текст");
  EXPECT_EQ(lower->text(), "общий текст");
  QSignalSpy changed(&edit, &EditControl::changed);
  lower->setFocus();
  lower->SendScintilla(Sci::SCI_GOTOPOS, 0);
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "ж");
  QApplication::sendEvent(lower, &typed);
  EXPECT_EQ(edit.text(), "жобщий текст");
  EXPECT_EQ(changed.count(), 1);

  edit.setSplitterAllowed(false);
  EXPECT_FALSE(lower->isVisible());
}

TEST_F(EditControlViewTest, PointOfPositionFollowsLinesAndColumns) {
  edit.setText("первая\r\nвторая");
  const QPoint origin = edit.pointOfPosition(0, 0);
  const QPoint right = edit.pointOfPosition(0, 3);
  const QPoint below = edit.pointOfPosition(1, 0);
  EXPECT_GT(right.x(), origin.x());
  EXPECT_EQ(right.y(), origin.y());
  EXPECT_EQ(below.x(), origin.x());
  EXPECT_GT(below.y(), origin.y());
  EXPECT_TRUE(edit.rect().contains(below));
}

TEST_F(EditControlViewTest, PrintsTheTextToPdf) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // A line longer than a display line too: it is printed from a copy, and the text stays.
  const QString text = QStringLiteral("Печать\r\n").repeated(300) + QString(5000, u'ш');
  edit.setText(text);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("out.pdf"));
  ASSERT_TRUE(edit.print(printer));
  QFile pdf(dir.filePath("out.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  // 300 lines do not fit one page.
  EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 2);
  EXPECT_EQ(edit.text(), text);
  EXPECT_EQ(edit.lineCount(), 301);
}

}  // namespace
}  // namespace platform
