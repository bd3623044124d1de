// The find and replace windows on a real editing control offscreen, driven through their
// controls as the user drives them: directions, case, whole words, patterns, wrapping,
// replacing one and all, and what the status line says.
#include "platform/find_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "platform/replace_dialog.h"
#include "support/qt_print.h"

namespace platform {
namespace {

FindOptions Opts(bool matchCase, bool wholeWord, bool regExp, bool up = false, bool wrap = true) {
  return {matchCase, wholeWord, regExp, up, wrap};
}

class FindDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit.resize(640, 480);
    edit.show();
  }

  template <typename Dialog>
  Dialog& open(EditCommand command, const char* name) {
    EXPECT_TRUE(edit.executeCommand(command));
    auto* dialog = edit.findChild<Dialog*>(QString::fromLatin1(name));
    EXPECT_NE(dialog, nullptr);
    return *dialog;
  }

  // Types the text and ticks the options in the window, the way the user does.
  static void fill(FindDialog& dialog, const QString& what, const FindOptions& options) {
    dialog.findChild<QLineEdit*>("txtFind")->setText(what);
    dialog.findChild<QCheckBox*>("chkMatchCase")->setChecked(options.matchCase);
    dialog.findChild<QCheckBox*>("chkWholeWord")->setChecked(options.wholeWord);
    dialog.findChild<QCheckBox*>("chkRegExp")->setChecked(options.regExp);
    dialog.findChild<QCheckBox*>("chkWrap")->setChecked(options.wrap);
    dialog.findChild<QRadioButton*>(options.up ? "optUp" : "optDown")->setChecked(true);
  }

  static void click(QDialog& dialog, const char* button) {
    dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
  }

  EditControl edit;
};

// Each press of the find button selects the next occurrence in the chosen direction and
// says in the status line when the search went round or found nothing.
TEST_F(FindDialogTest, FindWalksThroughOccurrences) {
  struct Step {
    int line;
    int col;  // where the selection starts after the press
    const char* status;
  };
  struct Case {
    const char* name;
    QString text;
    int caret;  // column on the first line
    QString what;
    FindOptions options;
    std::vector<Step> steps;
  };
  const QString cats = "кот Кот КОТ котик";
  const Case cases[] = {
      {"any case, down",
       cats,
       0,
       "кот",
       Opts(false, false, false),
       {{0, 0, ""}, {0, 4, ""}, {0, 8, ""}, {0, 12, ""}, {0, 0, "начала"}}},
      {"match case", cats, 0, "Кот", Opts(true, false, false), {{0, 4, ""}, {0, 4, "начала"}}},
      {"whole word",
       cats,
       1,
       "кот",
       Opts(false, true, false),
       {{0, 4, ""}, {0, 8, ""}, {0, 0, "начала"}}},
      {"up from the end",
       cats,
       17,
       "кот",
       Opts(false, false, false, true),
       {{0, 12, ""}, {0, 8, ""}, {0, 4, ""}, {0, 0, ""}, {0, 12, "конца"}}},
      {"up, whole word",
       cats,
       17,
       "кот",
       Opts(false, true, false, true),
       {{0, 8, ""}, {0, 4, ""}, {0, 0, ""}, {0, 8, "конца"}}},
      {"no wrap",
       cats,
       9,
       "кот",
       Opts(false, false, false, false, false),
       {{0, 12, ""}, {0, 12, "не найден"}}},
      {"not there", cats, 0, "пёс", Opts(false, false, false), {{0, 0, "не найден"}}},
      {"pattern", "кит кот кут", 0, "к[оу]т", Opts(true, false, true), {{0, 4, ""}, {0, 8, ""}}},
      {"pattern, any case",
       "КИТ Кот",
       0,
       "к[ио]т",
       Opts(false, false, true),
       {{0, 0, ""}, {0, 4, ""}}},
      {"bad pattern", cats, 0, "(кот", Opts(false, false, true), {{0, 0, "Ошибка"}}},
      {"any case across a line break",
       "кот\r\nЁЖ\r\nКОТ\r\nёж",
       0,
       "кот\r\nёж",
       Opts(false, false, false),
       {{0, 0, ""}, {2, 0, ""}, {0, 0, "начала"}}},
      {"over lines",
       "строка\r\nвторая строка",
       0,
       "строка",
       Opts(false, false, false),
       {{0, 0, ""}, {1, 7, ""}}},
  };
  auto& dialog = open<FindDialog>(EditCommand::FindDialog, "frmFind");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit.setText(c.text);
    edit.setSelection({0, c.caret, 0, c.caret});
    fill(dialog, c.what, c.options);
    for (const Step& step : c.steps) {
      SCOPED_TRACE(step.col);
      click(dialog, "cmdFind");
      EXPECT_EQ(edit.selection().startLine, step.line);
      EXPECT_EQ(edit.selection().startCol, step.col);
      EXPECT_TRUE(dialog.status().contains(QString::fromUtf8(step.status)))
          << dialog.status().toStdString();
    }
  }
}

// The find window opens with a one-line selection to look for, else with the last search;
// FindNext repeats that search with the options it was made with.
TEST_F(FindDialogTest, OpensWithSelectionOrLastSearchAndFindNextRepeatsIt) {
  edit.setText("Мир мир МИР\r\nмир");
  EXPECT_FALSE(edit.executeCommand(EditCommand::FindNext));  // nothing searched for yet

  edit.setSelection({0, 4, 0, 7});
  auto& dialog = open<FindDialog>(EditCommand::FindDialog, "frmFind");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.findWhat(), "мир");
  fill(dialog, "мир", Opts(true, false, false));
  click(dialog, "cmdFind");
  EXPECT_EQ(edit.selection(), (SelRange{1, 0, 1, 3}));
  EXPECT_TRUE(edit.executeCommand(EditCommand::FindNext));  // round to the start, same case
  EXPECT_EQ(edit.selection(), (SelRange{0, 4, 0, 7}));

  edit.setSelection({0, 0, 1, 1});  // more than one line: the last search instead
  open<FindDialog>(EditCommand::FindDialog, "frmFind");
  EXPECT_EQ(dialog.findWhat(), "мир");
  EXPECT_TRUE(dialog.findChild<QCheckBox*>("chkMatchCase")->isChecked());

  EXPECT_TRUE(edit.executeCommand(EditCommand::SetFindText, "нет такого"));
  EXPECT_FALSE(edit.executeCommand(EditCommand::FindNext));

  auto& replace = open<ReplaceDialog>(EditCommand::ReplaceDialog, "frmReplace");
  EXPECT_TRUE(replace.isVisible());
  EXPECT_FALSE(dialog.isVisible());  // one search window at a time
}

// "Заменить" replaces the selection only when it is an occurrence, then selects the next
// one; a replacement holding the text it replaces is never replaced again.
TEST_F(FindDialogTest, ReplaceOneAtATime) {
  struct Case {
    const char* name;
    QString text;
    QString what;
    QString with;
    FindOptions options;
    int presses;
    QString expect;
  };
  const Case cases[] = {
      {"first press only finds", "ёж ёж", "ёж", "уж", Opts(false, false, false), 1, "ёж ёж"},
      {"then replaces", "ёж ёж", "ёж", "уж", Opts(false, false, false), 2, "уж ёж"},
      {"text into itself", "a a", "a", "aa", Opts(false, false, false, false, false), 4, "aa aa"},
      {"groups", "x1 y2", R"(([a-z])(\d))", R"(\2\1)", Opts(true, false, true), 3, "1x 2y"},
      {"up", "ёж ёж", "ёж", "уж", Opts(false, false, false, true), 2, "ёж уж"},
  };
  auto& dialog = open<ReplaceDialog>(EditCommand::ReplaceDialog, "frmReplace");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit.setText(c.text);
    const int at = c.options.up ? int(c.text.size()) : 0;
    edit.setSelection({0, at, 0, at});
    fill(dialog, c.what, c.options);
    dialog.findChild<QLineEdit*>("txtReplace")->setText(c.with);
    for (int i = 0; i < c.presses; ++i) click(dialog, "cmdReplace");
    EXPECT_EQ(edit.text(), c.expect);
  }
}

// "Заменить все" replaces every occurrence, says how many, and is one undo step and one
// change event however many replacements it makes.
TEST_F(FindDialogTest, ReplaceAllCountsAndUndoesAtOnce) {
  struct Case {
    const char* name;
    QString text;
    QString what;
    QString with;
    FindOptions options;
    QString expect;
    const char* status;
  };
  const Case cases[] = {
      {"any case", "Кот и кот и КОТ", "кот", "пёс", Opts(false, false, false), "пёс и пёс и пёс",
       "Заменено: 3"},
      {"match case", "Кот и кот", "кот", "пёс", Opts(true, false, false), "Кот и пёс",
       "Заменено: 1"},
      {"whole word", "кот котик кот", "кот", "пёс", Opts(false, true, false), "пёс котик пёс",
       "Заменено: 2"},
      {"into itself", "aaa", "a", "aa", Opts(false, false, false), "aaaaaa", "Заменено: 3"},
      {"groups", "a1 b22", R"(([a-z])(\d+))", R"(\2\1)", Opts(true, false, true), "1a 22b",
       "Заменено: 2"},
      {"empty occurrences", "a\r\nb", "^", "> ", Opts(false, false, true), "> a\r\n> b",
       "Заменено: 2"},
      {"line ends", "a\r\nb\r\nc", "\r\n", " ", Opts(false, false, false), "a b c", "Заменено: 2"},
      {"none", "кот", "пёс", "кот", Opts(false, false, false), "кот", "Заменено: 0"},
      {"empty text", "", "кот", "пёс", Opts(false, false, false), "", "Заменено: 0"},
      {"bad pattern", "кот", "[", "пёс", Opts(false, false, true), "кот", "Ошибка"},
  };
  auto& dialog = open<ReplaceDialog>(EditCommand::ReplaceDialog, "frmReplace");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit.setText(c.text);
    fill(dialog, c.what, c.options);
    dialog.findChild<QLineEdit*>("txtReplace")->setText(c.with);
    QSignalSpy changes(&edit, &EditControl::changed);
    click(dialog, "cmdReplaceAll");
    EXPECT_EQ(edit.text(), c.expect);
    EXPECT_TRUE(dialog.status().startsWith(QString::fromUtf8(c.status)))
        << dialog.status().toStdString();
    if (c.expect == c.text) {
      EXPECT_EQ(changes.count(), 0);
      continue;
    }
    EXPECT_EQ(changes.count(), 1);
    edit.undo();
    EXPECT_EQ(edit.text(), c.text);
  }
}

}  // namespace
}  // namespace platform
