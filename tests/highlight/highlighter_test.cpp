// Schemes at work in the real window: the stored and the chosen scheme, definitions of the Syntax
// folder, the choice by extension, "Colors.ini" reaching the editor, and the auto-complete feed.
#include "highlight/highlighter.h"

#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QFile>
#include <QListWidget>

#include "document/open_file.h"
#include "highlight/ohf_lexer.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace highlight {
namespace {

using testing_support::MainWindowTest;
using Sci = QsciScintillaBase;

constexpr const char* kRules =
    "[MainSettings]\r\nextensions=*.rul\r\nComment1=#\r\n\r\n[group1]\r\nесли то\r\n\r\n"
    "[group2]\r\n+\r\n";

class HighLighterTest : public MainWindowTest {
 protected:
  HighLighter& lighter() { return *HighLighterOf(*m_window); }
  QsciScintilla* view() { return m_window->txtMain().primaryView(); }
  // The style Scintilla gives the character at a byte position, once the text is coloured.
  int styleAt(long position) {
    view()->SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L);
    return int(view()->SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
  }
  long foreOf(int style) {
    return view()->SendScintilla(Sci::SCI_STYLEGETFORE, static_cast<unsigned long>(style));
  }
  QString lexerLanguage() {
    QsciLexer* lexer = m_window->txtMain().lexer();
    return lexer ? QString::fromUtf8(lexer->language()) : QStringLiteral("<plain>");
  }
  QList<bool> checks() {
    QList<bool> on;
    for (QAction* item : m_window->commands().array("mnuHighLight")->items()) on << item->isChecked();
    return on;
  }
  QStringList keyWords() {
    QStringList words;
    auto* list = m_window->findChild<QListWidget*>("lstKeyWords");
    for (int i = 0; i < list->count(); ++i) words << list->item(i)->text();
    return words;
  }
};

TEST_F(HighLighterTest, StoredSchemeAtStartAndTheMenusChoice) {
  m_settings->set(platform::Setting::HighLight, " 4");
  shell::FrmMain& w = start();
  EXPECT_EQ(lexerLanguage(), "C++");
  EXPECT_EQ(checks(), QList<bool>({false, false, false, false, true, false, false, false, false}));
  w.commands().array("mnuHighLight")->item(3)->trigger();
  EXPECT_EQ(lexerLanguage(), "Pascal");
  EXPECT_EQ(setting("HighLight"), " 3");
  EXPECT_TRUE(checks()[3]);
  EXPECT_FALSE(checks()[4]);
  w.commands().array("mnuHighLight")->item(0)->trigger();
  EXPECT_EQ(lexerLanguage(), "<plain>");
  EXPECT_FALSE(w.txtMain().colouringEnabled());
  // The Visual Basic scheme goes through the editor's own "vb" lexer.
  lighter().SetHighLight(2);
  w.txtMain().setText("Dim x As Integer");
  EXPECT_EQ(styleAt(0), 3);  // a keyword
}

TEST_F(HighLighterTest, SchemeSetOnALoadedTextColoursWhatIsShown) {
  shell::FrmMain& w = start();
  w.resize(800, 600);
  w.txtMain().setText("int x;\r\n<b class=\"a\">");
  lighter().SetHighLight(4);
  // Nothing is coloured ahead; painting the screen colours it, word lists included.
  w.txtMain().grab();
  auto shown = [this](long position) {
    return int(view()->SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
  };
  EXPECT_EQ(shown(0), 5);  // "int", a keyword of C/C++
  lighter().SetHighLight(1);
  w.txtMain().grab();
  EXPECT_EQ(shown(9), 1);   // "b", a known tag
  EXPECT_EQ(shown(11), 3);  // "class", a known attribute
}

TEST_F(HighLighterTest, DefinitionsOfTheSyntaxFolderAndTheChoiceByExtension) {
  writeFile("Syntax/rules.ohf", kRules);
  m_settings->set(platform::Setting::SynAutoDetect, "1");
  const QString doc = writeFile("x.RUL", "если 1 + 2 то # конец");
  const QString c = writeFile("main.c", "int main;");
  shell::FrmMain& w = start();
  shell::MenuArray* menu = w.commands().array("mnuHighLight");
  ASSERT_EQ(menu->count(), 10);
  EXPECT_EQ(menu->item(9)->text(), "Подсветка для rules");
  ASSERT_TRUE(document::LFile(w, doc));
  EXPECT_EQ(lighter().current(), 9);
  EXPECT_TRUE(qobject_cast<OhfLexer*>(w.txtMain().lexer()));
  EXPECT_EQ(styleAt(0), int(OhfStyle::Keyword));
  EXPECT_EQ(styleAt(QByteArray("если 1 ").size()), int(OhfStyle::Operator));
  EXPECT_EQ(styleAt(QByteArray("если 1 + 2 то # к").size()), int(OhfStyle::Comment));
  EXPECT_EQ(foreOf(int(OhfStyle::Keyword)), 255);    // keywords red
  EXPECT_EQ(foreOf(int(OhfStyle::Comment)), 32512);  // comments green
  ASSERT_TRUE(document::LFile(w, c));
  EXPECT_EQ(lighter().current(), 4);
  m_settings->set(platform::Setting::SynAutoDetect, "0");
  ASSERT_TRUE(document::LFile(w, doc));
  EXPECT_EQ(lighter().current(), 4);
}

// A big file no scheme colours is kept without style bytes (a byte per byte of text); one that a
// scheme will colour is loaded with them. Colours chosen later for the first kind rebuild the
// document, which loses the undo history: the user is asked when there is one.
TEST_F(HighLighterTest, BigFilesKeepStylesOnlyWhenASchemeColoursThem) {
  m_settings->set(platform::Setting::SynAutoDetect, "1");
  const QByteArray lines = QByteArray("int x;\r\n").repeated((4 << 20) / 8 + 1000);
  const QString txt = writeFile("big.txt", lines);
  const QString c = writeFile("big.c", lines);
  shell::FrmMain& w = start();
  platform::EditControl& editor = w.txtMain();
  ASSERT_TRUE(document::LFile(w, txt));
  EXPECT_EQ(lighter().current(), 0);
  EXPECT_TRUE(editor.holdsNoColours());
  ASSERT_TRUE(document::LFile(w, c));
  EXPECT_EQ(lighter().current(), 4);
  EXPECT_FALSE(editor.holdsNoColours());
  EXPECT_EQ(styleAt(0), 5);  // "int", a keyword of C/C++

  // The scheme chosen now may stay with the next file (a reload looks for none), so that one
  // keeps its style bytes; the one after it, with no scheme on either side, goes without.
  ASSERT_TRUE(document::LFile(w, txt));
  EXPECT_FALSE(editor.holdsNoColours());
  EXPECT_EQ(lighter().current(), 0);
  ASSERT_TRUE(document::LFile(w, txt));
  ASSERT_TRUE(editor.holdsNoColours());

  // Chosen before any edit: no question, the text coloured as it stands.
  lighter().SetHighLight(4);
  EXPECT_FALSE(editor.holdsNoColours());
  EXPECT_EQ(styleAt(0), 5);
  EXPECT_EQ(editor.lineCount(), (4 << 20) / 8 + 1001);

  // After an edit the user decides: "no" keeps the scheme and the undo history.
  lighter().SetHighLight(0);
  ASSERT_TRUE(document::LFile(w, txt));
  ASSERT_TRUE(editor.holdsNoColours());
  editor.setSelection({0, 0, 0, 0});
  editor.setSelectedText("//");
  ASSERT_TRUE(editor.canUndo());
  m_ui.answerMessage(platform::MsgAnswer::No, "нельзя будет отменить");
  lighter().SetHighLight(4);
  EXPECT_EQ(lighter().current(), 0);
  EXPECT_TRUE(checks()[0]);
  EXPECT_TRUE(editor.holdsNoColours());
  EXPECT_TRUE(editor.canUndo());
  m_ui.answerMessage(platform::MsgAnswer::Yes, "нельзя будет отменить");
  lighter().SetHighLight(4);
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(lighter().current(), 4);
  EXPECT_FALSE(editor.holdsNoColours());
  EXPECT_FALSE(editor.canUndo());
  EXPECT_EQ(styleAt(0), 2);  // the line comment made by the edit
  EXPECT_TRUE(editor.text().startsWith("//int x;\r\nint x;"));
}

TEST_F(HighLighterTest, ColoursOfColorsIniReachTheEditor) {
  writeFile("Colors.ini", "[Color]\r\nComments=16711680\r\n[BackColor]\r\nString number=255\r\n");
  m_settings->set(platform::Setting::HighLight, " 4");
  shell::FrmMain& w = start();
  w.txtMain().setText("x; // примечание");
  const int comment = styleAt(5);
  EXPECT_EQ(comment, 2);  // the C++ line comment
  EXPECT_EQ(foreOf(comment), 16711680);
  EXPECT_EQ(view()->SendScintilla(Sci::SCI_STYLEGETBACK, Sci::STYLE_LINENUMBER), 255);
  writeFile("Colors.ini", "[Color]\r\nComments=65280\r\n");
  lighter().LoadColors();
  EXPECT_EQ(foreOf(styleAt(5)), 65280);
  EXPECT_EQ(view()->SendScintilla(Sci::SCI_STYLEGETBACK, Sci::STYLE_LINENUMBER), 12615680);
  // Plain text takes the text item's colours.
  writeFile("Colors.ini", "[Color]\r\nText=8388608\r\n");
  lighter().LoadColors();
  lighter().SetHighLight(0);
  EXPECT_EQ(foreOf(Sci::STYLE_DEFAULT), 8388608);
  EXPECT_EQ(foreOf(0), 8388608);
}

TEST_F(HighLighterTest, SchemeWordsFeedTheAutoCompleteList) {
  writeFile("Syntax/rules.ohf", kRules);
  writeFile("Autocomplete.lst", "alpha, beta");
  m_settings->set(platform::Setting::AddToAutoComplete, "1");
  start();
  lighter().SetHighLight(9);
  EXPECT_EQ(keyWords(), QStringList({"если", "то", "+"}));
  lighter().SetHighLight(0);
  EXPECT_EQ(keyWords(), QStringList({"alpha", "beta"}));
  lighter().SetHighLight(4);
  EXPECT_TRUE(keyWords().contains("while"));
}

TEST_F(HighLighterTest, InstallingCopiesIntoTheSyntaxFolderOnce) {
  const QString outside = writeFile("downloads/rules.ohf", kRules);
  shell::FrmMain& w = start();
  int index = -1;
  EXPECT_EQ(lighter().InstallHighLightFile(outside, &index), std::nullopt);
  EXPECT_EQ(index, 9);
  EXPECT_EQ(w.commands().array("mnuHighLight")->count(), 10);
  QFile copy(homePath("Syntax/rules.ohf"));
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), QByteArray(kRules));
  copy.close();
  // The copy itself is refused: copying a file onto itself would empty it.
  EXPECT_NE(lighter().InstallHighLightFile(homePath("Syntax/rules.ohf")), std::nullopt);
  EXPECT_EQ(w.commands().array("mnuHighLight")->count(), 10);
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), QByteArray(kRules));
}

}  // namespace
}  // namespace highlight
