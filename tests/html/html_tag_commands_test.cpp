// The HTML menu's authoring aids on the document of the real window, the user answering
// through ScriptedUi; every cancel or empty answer leaves the text as it was.
#include "html/html_tag_commands.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "highlight/highlighter.h"
#include "html/html_tags.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace html {
namespace {

using platform::SelRange;
using testing_support::MainWindowTest;

class HtmlTagCommandsTest : public MainWindowTest {
 protected:
  platform::EditControl& editor() { return m_window->txtMain(); }
  // "one two three" with "two" selected.
  void selectTwo() {
    editor().setText("one two three");
    editor().setSelection(SelRange{0, 4, 0, 7});
  }
};

TEST_F(HtmlTagCommandsTest, NewPageReplacesTheTextAndTurnsOnHtmlColouring) {
  shell::FrmMain& w = start();
  editor().setText("old text");
  click("mnuNewHtml");
  EXPECT_EQ(editor().text(),
            "<HTML>\r\n<HEAD>\r\n   <META NAME=\"Author\" CONTENT=\"\">\r\n"
            "   <META NAME=\"GENERATOR\" CONTENT=\"Ostrel XP 2.3.6 build 23\">\r\n"
            "<TITLE>Новый HTML-документ</TITLE>\r\n</HEAD>\r\n<BODY>\r\n\r\n\r\n</BODY>\r\n</HTML>");
  EXPECT_EQ(highlight::HighLighterOf(w)->current(), 1);
  click("mnuUndo");
  EXPECT_EQ(editor().text(), "old text");
}

TEST_F(HtmlTagCommandsTest, LinkAsksUrlThenNameAndStopsAtCancelOrEmpty) {
  start();
  struct {
    const char* name;
    std::optional<QString> url, title;
    bool asksName;
    QString expect;
  } cases[] = {
      {"both given", "http://x.ru/", "Икс", true, "one <a href=\"http://x.ru/\">Икс</a> three"},
      {"url cancelled", std::nullopt, "", false, "one two three"},
      {"url empty", "", "", false, "one two three"},
      {"name cancelled", "u", std::nullopt, true, "one two three"},
      {"name empty", "u", "", true, "one two three"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    selectTwo();
    m_ui.answerInput(c.url, "Введите URL");
    if (c.asksName) m_ui.answerInput(c.title, "Введите название");
    click("mnuHyperLink");
    EXPECT_EQ(editor().text(), c.expect);
    EXPECT_TRUE(m_ui.allAnswered());
  }
}

TEST_F(HtmlTagCommandsTest, PictureAndMusicInsertTheChosenPath) {
  start();
  m_settings->set(platform::Setting::LastDir, homePath("pics"));
  struct {
    const char* command;
    QString path;
    QString title;
    QString expect;
  } cases[] = {
      {"mnuImages", "/p/a b.png", "Вставка картинки", "one <img src=\"/p/a b.png\"> three"},
      {"mnuHTMLMusicFile", "/m/t.mid", "Вставка музыкального файла",
       "one <BGSOUND src=\"/m/t.mid\"> three"},
      {"mnuImages", "", "Вставка картинки", "one two three"},  // cancelled
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    selectTwo();
    m_ui.fileRequests.clear();
    m_ui.answerOpenFile(c.path);
    click(c.command);
    EXPECT_EQ(editor().text(), c.expect);
    ASSERT_EQ(m_ui.fileRequests.size(), 1);
    EXPECT_EQ(m_ui.fileRequests[0].title, c.title);
    EXPECT_EQ(m_ui.fileRequests[0].initialDir, homePath("pics"));
  }
  EXPECT_TRUE(m_ui.fileRequests[0].filter.startsWith("Файлы картинок|*.jpg;"));
}

TEST_F(HtmlTagCommandsTest, FontWrapsTheSelectionStrikeOutOutermost) {
  start();
  platform::ViewColours colours = editor().viewColours();
  colours.text = QColor(0x11, 0x22, 0x33);
  editor().setViewColours(colours);
  QFont font("Arial");
  font.setPointSize(12);
  font.setBold(true);
  font.setItalic(true);
  selectTwo();
  m_ui.answerFont(font);
  click("mnuHTMLFont");
  EXPECT_EQ(editor().text(),
            "one <I><B><FONT NAME=\"Arial\" Color=\"#112233\" SIZE=\"12\">two</FONT></B></I> three");
  ASSERT_EQ(m_ui.fontRequests.size(), 1);
  EXPECT_EQ(m_ui.fontRequests[0].family(), editor().editorFont().family());

  font.setBold(false);
  font.setItalic(false);
  font.setUnderline(true);
  font.setStrikeOut(true);
  selectTwo();
  m_ui.answerFont(font);
  click("mnuHTMLFont");
  EXPECT_EQ(editor().text(),
            "one <S><U><FONT NAME=\"Arial\" Color=\"#112233\" SIZE=\"12\">two</FONT></U></S> three");

  selectTwo();
  m_ui.answerFont(std::nullopt);
  click("mnuHTMLFont");
  EXPECT_EQ(editor().text(), "one two three");
}

TEST_F(HtmlTagCommandsTest, LineBreakFollowsTheSelectionOrStandsAtTheCaret) {
  start();
  selectTwo();
  click("mnuHTMLEnter");
  EXPECT_EQ(editor().text(), "one two<BR> three");
  editor().setSelection(SelRange{0, 3, 0, 3});
  click("mnuHTMLEnter");
  EXPECT_EQ(editor().text(), "one<BR> two<BR> three");
}

TEST_F(HtmlTagCommandsTest, ColourInsertsAnyChosenColourBlackIncluded) {
  start();
  struct {
    const char* name;
    std::optional<QColor> colour;
    QString expect;
  } cases[] = {
      {"red", QColor(255, 0, 0), "one #FF0000 three"},
      {"black is a colour, not a cancel", QColor(0, 0, 0), "one #000000 three"},
      {"value 2 is a colour", QColor(2, 0, 0), "one #020000 three"},
      {"cancelled", std::nullopt, "one two three"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    selectTwo();
    m_ui.answerColour(c.colour);
    click("mnuHTMLColour");
    EXPECT_EQ(editor().text(), c.expect);
  }
}

TEST_F(HtmlTagCommandsTest, UrlFromASelectedLinkTag) {
  start();
  editor().setText("x <a href=\"page.htm\"> y");
  editor().setSelection(SelRange{0, 2, 0, 21});
  click("mnuExtractURL");
  EXPECT_EQ(editor().text(), "x page.htm y");
  // Too short to hold anything: the selection is kept, not cut away.
  editor().setSelection(SelRange{0, 0, 0, 1});
  click("mnuExtractURL");
  EXPECT_EQ(editor().text(), "x page.htm y");
}

TEST_F(HtmlTagCommandsTest, GradientDialogRemembersSwatchesAndColoursTheSelection) {
  m_settings->set(platform::Setting::LastG2, "not a number");
  start();
  editor().setText("[ab]");
  editor().setSelection(SelRange{0, 1, 0, 3});
  m_ui.answerModal([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "HTML - градиент");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("lbl1")->text(), "#000000");
    // An unreadable setting falls back to white.
    EXPECT_EQ(dialog.findChild<QLineEdit*>("lbl2")->text(), "#FFFFFF");
    dialog.findChild<QPushButton*>("pctCol1")->click();  // picks red
    dialog.findChild<QPushButton*>("pctCol2")->click();  // picks black
    dialog.findChild<QPushButton*>("pctCol1")->click();  // cancelled: red stays
    EXPECT_EQ(dialog.findChild<QLineEdit*>("lbl1")->text(), "#FF0000");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("lbl2")->text(), "#000000");
    dialog.findChild<QPushButton*>("cmdOK")->click();
    return dialog.result();
  });
  m_ui.answerColour(QColor(255, 0, 0));
  m_ui.answerColour(QColor(0, 0, 0));
  m_ui.answerColour(std::nullopt);
  click("mnuHTMLGradient");
  EXPECT_EQ(editor().text(), "[<FONT COLOR=800000>a</FONT><FONT COLOR=000000>b</FONT>]");
  EXPECT_EQ(setting("LastG1"), "255");
  EXPECT_EQ(setting("LastG2"), "0");
  EXPECT_TRUE(m_ui.allAnswered());

  // The next opening starts from the remembered colours; "&Отмена" changes nothing.
  editor().setSelection(SelRange{0, 0, 0, 1});
  m_ui.answerModal([](QDialog& dialog) {
    EXPECT_EQ(dialog.findChild<QLineEdit*>("lbl1")->text(), "#FF0000");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("lbl2")->text(), "#000000");
    dialog.findChild<QPushButton*>("cmbClose")->click();
    return dialog.result();
  });
  click("mnuHTMLGradient");
  EXPECT_EQ(editor().text(), "[<FONT COLOR=800000>a</FONT><FONT COLOR=000000>b</FONT>]");

  // With nothing selected, OK changes nothing either.
  editor().setSelection(SelRange{0, 0, 0, 0});
  m_ui.answerModal([](QDialog& dialog) {
    dialog.findChild<QPushButton*>("cmdOK")->click();
    return dialog.result();
  });
  click("mnuHTMLGradient");
  EXPECT_EQ(editor().text(), "[<FONT COLOR=800000>a</FONT><FONT COLOR=000000>b</FONT>]");

  // A selected line break stays one line break, inside its own tag.
  editor().setText("x\r\ny");
  editor().setSelection(SelRange{0, 0, 1, 1});
  m_ui.answerModal([](QDialog& dialog) {
    dialog.findChild<QPushButton*>("cmdOK")->click();
    return dialog.result();
  });
  click("mnuHTMLGradient");
  EXPECT_EQ(editor().text(),
            "<FONT COLOR=AA0000>x</FONT><FONT COLOR=550000>\r\n</FONT><FONT COLOR=000000>y</FONT>");
  EXPECT_EQ(editor().lineCount(), 2);
}

}  // namespace
}  // namespace html
