// The case, transliteration, layout, calculator and numbers-in-words commands driven through
// the real main window: what each works on, what it leaves alone, and where the focus goes.
#include "text/case_commands.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QStatusBar>

#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace text {
namespace {

using platform::SelRange;
using testing_support::MainWindowTest;

constexpr SelRange kNothing{0, 0, 0, 0};
constexpr SelRange kSecondWord{0, 4, 0, 8};  // "мира" in "мир мира"

class CaseCommandsTest : public MainWindowTest {
 protected:
  platform::EditControl& editor() { return m_window->txtMain(); }
};

TEST_F(CaseCommandsTest, SelectionOrWholeAndSelectionOnly) {
  struct Case {
    const char* command;
    SelRange selection;
    QString expect;
  } cases[] = {
      {"mnuUpReg", kNothing, "МИР МИРА"},
      {"mnuUpReg", kSecondWord, "мир МИРА"},
      {"mnuDownReg", kNothing, "мир мира"},
      {"mnuESBreg", kNothing, "Мир мира"},
      {"mnuEWBreg", kNothing, "Мир Мира"},
      {"mnuEWBreg", kSecondWord, "мир Мира"},
      {"mnuInvertreg", kSecondWord, "мир МИРА"},
      {"mnuInvertreg", kNothing, "мир мира"},  // nothing selected: nothing changes
      {"mnuTranslit", kNothing, "mir mira"},
      {"mnuTranslit", kSecondWord, "мир mira"},
      {"mnuRusToEng", kNothing, "vbh vbhf"},
      {"mnuRusToEng", kSecondWord, "мир vbhf"},
  };
  start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    editor().setText("мир мира");
    editor().setSelection(c.selection);
    click(c.command);
    EXPECT_EQ(editor().text(), c.expect);
  }
  editor().setText("vbh");
  click("mnuEngToRus");
  EXPECT_EQ(editor().text(), "мир");
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(CaseCommandsTest, EmptyDocumentStaysUntouched) {
  start();
  for (const char* command : {"mnuUpReg", "mnuDownReg", "mnuESBreg", "mnuEWBreg", "mnuHackreg",
                              "mnuTranslit", "mnuRusToEng", "mnuEngToRus"}) {
    SCOPED_TRACE(command);
    click(command);
    EXPECT_EQ(editor().text(), QString());
    EXPECT_FALSE(m_window->document().Dirty());
  }
}

TEST_F(CaseCommandsTest, RandomCaseKeepsTheLetters) {
  start();
  const QString text = QString("мир ").repeated(200);
  editor().setText(text);
  click("mnuHackreg");
  const QString mixed = editor().text();
  EXPECT_EQ(mixed.toLower(), text);
  EXPECT_NE(mixed, text);
  EXPECT_NE(mixed, text.toUpper());
}

TEST_F(CaseCommandsTest, CalculatorAndNumbersReplaceTheSelection) {
  struct Case {
    const char* command;
    QString text;
    SelRange selection;
    QString expect;
  } cases[] = {
      {"mnuCalcText", "x 2+2 y", {0, 2, 0, 5}, "x 2+2=4 y"},
      {"mnuCalcText", "1.5+1", {0, 0, 0, 5}, "1.5+1=2,5"},
      {"mnuCalcText", "5/0", {0, 0, 0, 3}, "5/0="},
      {"mnuCalcText", "ab", {0, 1, 0, 1}, "a=1b"},  // nothing selected: "=1" at the caret
      {"mnuIntToStr", "1001 руб.", {0, 0, 0, 4}, "одна тысяча один руб."},
      {"mnuIntToStr", "ab", {0, 1, 0, 1}, "aнольb"},
      {"mnuIntToStr", "12,5", {0, 0, 0, 4}, "12,5"},  // not all digits: left as it is
  };
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  start();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.command << " " << c.text.toStdString());
    editor().setText(c.text);
    editor().setSelection(c.selection);
    click(c.command);
    EXPECT_EQ(editor().text(), c.expect);
  }
  QLocale::setDefault(saved);
}

TEST_F(CaseCommandsTest, EditorGetsTheFocusBack) {
  shell::FrmMain& w = start();
  auto* elsewhere = new QLineEdit(&w);
  w.statusBar()->addWidget(elsewhere);
  w.show();
  QApplication::setActiveWindow(&w);
  for (const char* command : {"mnuUpReg", "mnuInvertreg", "mnuCalcText", "mnuIntToStr"}) {
    SCOPED_TRACE(command);
    editor().setText("12");
    elsewhere->setFocus();
    ASSERT_TRUE(elsewhere->hasFocus());
    click(command);
    EXPECT_TRUE(editor().focusWidget()->hasFocus());
  }
}

}  // namespace
}  // namespace text
