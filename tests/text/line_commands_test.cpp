// The line commands, the sort commands and the formatting window, driven through the real main
// window: the answers the user gives, cancelling, and the selection-or-whole rule.
#include "text/line_commands.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace text {
namespace {

using testing_support::MainWindowTest;

class LineCommandsTest : public MainWindowTest {
 protected:
  platform::EditControl& editor() { return m_window->txtMain(); }
};

TEST_F(LineCommandsTest, AnswersApplyToSelectionOrWhole) {
  struct Case {
    const char* command;
    std::vector<std::optional<QString>> answers;
    bool selectSecondLine;
    QString expect;
  } cases[] = {
      {"mnuBothSymbols", {"[$text$]"}, false, "[ab]\r\n[cd  ef]\r\n[]"},
      {"mnuBothSymbols", {"[$text$]"}, true, "ab\r\n[cd  ef]\r\n"},
      {"mnuBothSymbols", {std::nullopt}, false, "ab\r\ncd  ef\r\n"},
      {"mnuBothSymbols", {"no marker"}, false, "ab\r\ncd  ef\r\n"},
      {"mnuRemoveSymbolsBoth", {"1$text$2"}, true, "ab\r\nd  \r\n"},
      {"mnuIndent", {"4$text$"}, false, "    ab\r\n    cd  ef\r\n    "},
      {"mnuRemoveBoiler", {"$text$"}, false, "ab\r\ncd  ef\r\n"},
      {"mnuRemoveBoiler", {"b$text$ "}, true, "a ef\r\n"},
      {"mnuNumberStrings", {}, true, "ab\r\n1. cd  ef\r\n"},
      {"mnuRemoveNNSpaces", {}, false, "ab\r\ncd ef\r\n"},
      {"mnuRemoveEmptyStrings", {}, true, "ab\r\ncd  ef"},
      {"mnuSortOutAlf", {}, false, "cd  ef\r\nab\r\n"},
      {"mnuObraml", {"«", "»"}, true, "ab\r\n«cd  ef»\r\n"},
      {"mnuObraml", {"«", std::nullopt}, true, "ab\r\ncd  ef\r\n"},
      {"mnuObraml", {"(", ")"}, false, "()ab\r\ncd  ef\r\n"},
      {"mnuDeleteLine", {}, true, "ab\r\n"},
  };
  start();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.command << " " << c.selectSecondLine);
    editor().setText("ab\r\ncd  ef\r\n");
    editor().setSelection(c.selectSecondLine ? platform::SelRange{1, 0, 1, 6}
                                             : platform::SelRange{0, 0, 0, 0});
    for (const auto& answer : c.answers) m_ui.answerInput(answer);
    click(c.command);
    EXPECT_EQ(editor().text(), c.expect);
    EXPECT_TRUE(m_ui.allAnswered());
  }
}

TEST_F(LineCommandsTest, RemoveSymbolDeletesTheSelectionEverywhere) {
  start();
  editor().setText("ab cab");
  editor().setSelection({0, 0, 0, 2});
  click("mnuRemoveSymbol");
  EXPECT_EQ(editor().text(), " c");
  editor().setSelection({0, 0, 0, 0});
  click("mnuRemoveSymbol");
  EXPECT_EQ(editor().text(), " c");
}

TEST_F(LineCommandsTest, FormatWindowKeepsItsValuesAndPlace) {
  m_settings->WriteSetting(platform::kSettingsKey, "Format_Left", "1500");
  m_settings->WriteSetting(platform::kSettingsKey, "Format_Top", "750");
  start();
  editor().setText("первый\r\n второй");
  QPoint openedAt;
  m_ui.answerModal([&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Форматирование текста");
    openedAt = d.pos();
    d.findChild<QLineEdit*>("txtRecSpace")->setText("1");
    EXPECT_EQ(setting("RecSpace"), "1") << "written as it changes";
    d.findChild<QLineEdit*>("PWidth")->setText("2");
    d.findChild<QCheckBox*>("chkFirstLB")->click();
    EXPECT_EQ(setting("FirstLB"), "1");
    d.move(40, 30);
    d.findChild<QPushButton*>("cmdOK")->click();
    return d.result();
  });
  click("mnuFormat");
  EXPECT_EQ(openedAt, QPoint(100, 50));
  EXPECT_EQ(editor().text(), "  Первый\r\n  Второй");
  EXPECT_EQ(setting("PWidth"), "2");
  EXPECT_EQ(setting("Format_Left"), "600");
  EXPECT_EQ(setting("Format_Top"), "450");

  // Opened again: the values come back; Cancel changes nothing in the text.
  m_ui.answerModal([](QDialog& d) {
    EXPECT_EQ(d.findChild<QLineEdit*>("txtRecSpace")->text(), "1");
    EXPECT_TRUE(d.findChild<QCheckBox*>("chkFirstLB")->isChecked());
    d.findChild<QLineEdit*>("PWidth")->setText("8");
    d.findChild<QPushButton*>("cmdClose")->click();
    return d.result();
  });
  click("mnuFormat");
  EXPECT_EQ(editor().text(), "  Первый\r\n  Второй");
  EXPECT_EQ(setting("PWidth"), "8");
}

}  // namespace
}  // namespace text
