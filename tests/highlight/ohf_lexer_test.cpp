// OhfLexer in a real QsciScintilla: which style every character gets, and that styling in pieces,
// after edits and from two views of one document gives what styling everything at once gives.
#include "highlight/ohf_lexer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "highlight/ohf_style_view.h"

namespace {

using highlight::ColourItem;
using highlight::OhfDefinition;
using highlight::OhfLexer;
using ohf_test::sci;
using ohf_test::Sci;
using ohf_test::StyledView;

OhfDefinition pascalLike(bool caseSensitive = false) {
  OhfDefinition def;
  def.description = "Test";
  def.caseSensitive = caseSensitive;
  def.stringChars = "'\"";
  def.lineComment = "//";
  def.blockCommentOpen = "/*";
  def.blockCommentClose = "*/";
  def.scopeOpen = "begin";
  def.scopeClose = "end";
  def.keywords = "if\nthen\nelse\n#include\nend-if\nЕсли\n";
  def.operators = "+\n-\n:=\n<>\n<\n=\nand\n";
  return def;
}

struct MaskCase {
  const char* name;
  QString text;
  QString mask;  // ' ' text, k keyword, o operator, s scope, n number, c comment, q string
};

void expectMasks(const OhfDefinition& def, std::initializer_list<MaskCase> cases) {
  StyledView styled(def);
  for (const MaskCase& c : cases) {
    SCOPED_TRACE(c.name);
    styled.setText(c.text);
    EXPECT_EQ(styled.mask(), c.mask) << c.text.toStdString();
  }
}

TEST(OhfLexer, StylesOfOneDefinition) {
  expectMasks(pascalLike(),
              {
                  {"keywords", "if x then else", "kk   kkkk kkkk"},
                  {"only whole words", "iffy xif if_ if2 _if", "                    "},
                  {"letter case ignored", "IF Then ELSE", "kk kkkk kkkk"},
                  {"symbol operators, longest first", "a:=b<>c<d", " oo oo o "},
                  {"word operators", "a and b andy", "  ooo       "},
                  {"scope words", "begin x end", "sssss   sss"},
                  {"keywords holding symbols", "#include #includes end-if end-iffy",
                   "kkkkkkkk           kkkkkk ssso    "},
                  {"operator between words", "x-1", " on"},
                  {"numbers", "12 3.14 0x1F 2e-3 x1 12ab", "nn nnnn nnnn nnnn        "},
                  {"line comment", "x // if 'a'", "  ccccccccc"},
                  {"strings with escapes", "'it\\'s' \"a\\\"b\" 'if'", "qqqqqqq qqqqqq qqqq"},
                  {"trailing backslash", "'a\\", "qqq"},
                  {"unclosed string ends with its line", "'abc\nif", "qqqq kk"},
                  {"comment marks inside a string", "'//' x", "qqqq  "},
                  {"quotes inside a comment", "// 'a\nif", "ccccc kk"},
                  {"block comment across lines", "a /* if\nthen */ b\nif", "  ccccccccccccc   kk"},
                  {"block comment on one line", "a/**/if", " cccckk"},
                  {"Cyrillic around keywords", "привет if мир ifпривет", "       kk             "},
                  {"Cyrillic keyword, case ignored", "Если ЕСЛИ если", "kkkk kkkk kkkk"},
                  {"Cyrillic in strings and comments", "'привет' // мир", "qqqqqqqq cccccc"},
                  {"other scripts and symbols", "«if» 日本if ∑1", " kk        n"},
                  {"empty lines", "\n\nif\n", "  kk "},
              });
}

TEST(OhfLexer, LetterCaseCountsWhenTheDefinitionSaysSo) {
  expectMasks(pascalLike(true), {
                                    {"ASCII", "if IF If", "kk      "},
                                    {"Cyrillic", "Если если", "kkkk     "},
                                    {"word operator", "and AND", "ooo    "},
                                });
}

TEST(OhfLexer, WordCommentsAndOpenersWithoutCloser) {
  OhfDefinition def;
  def.stringChars = "\"a";  // a letter is no quote
  def.lineComment = "REM";
  def.blockCommentOpen = "(*";
  def.operators = "@\n";
  expectMasks(def, {
                       {"word comment", "rem hi\nremark\nx rem", "cccccc          ccc"},
                       {"after a symbol", "@rem x", "occccc"},
                       {"opener alone comments out its line", "x (* y\nz", "  cccc  "},
                       {"letters do not open strings", "aba \"b\"", "    qqq"},
                   });
}

TEST(OhfLexer, StylesMapToColourItems) {
  struct {
    int style;
    ColourItem item;
  } cases[] = {
      {0, ColourItem::Text},      {1, ColourItem::Group1}, {2, ColourItem::Group2},
      {3, ColourItem::Delimiter}, {4, ColourItem::Group3}, {5, ColourItem::Comment},
      {6, ColourItem::String},    {7, ColourItem::Text},   {-1, ColourItem::Text},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    EXPECT_EQ(OhfLexer::itemOfStyle(c.style), c.item);
  }
  OhfLexer lexer(pascalLike());
  EXPECT_EQ(OhfLexer::styleCount(), 7);
  EXPECT_FALSE(lexer.description(6).isEmpty());
  EXPECT_TRUE(lexer.description(7).isEmpty());  // Scintilla stops asking here
  EXPECT_EQ(lexer.keywordList(), pascalLike().keywords);
  EXPECT_EQ(lexer.operatorList(), pascalLike().operators);
  EXPECT_STREQ(lexer.language(), "Test");
}

// Typing or removing a comment opener or closer changes how the following lines look; Scintilla
// asks again from the edited line on, and the lexer must carry the new state down.
TEST(OhfLexer, EditingRestylesTheFollowingLines) {
  StyledView styled(pascalLike());
  styled.setText("a\nif\nif\nif");
  ASSERT_EQ(styled.mask(), "  kk kk kk");
  struct {
    const char* name;
    int line, column;
    const char* insert;
    int removeLength;
    QString mask;
  } steps[] = {
      {"open", 1, 0, "/*", 0, "  cccccccccc"},
      {"close", 2, 2, "*/", 0, "  ccccccccc kk"},
      {"reopen after the closer", 2, 4, "/*", 0, "  cccccccccccccc"},
      {"remove the first opener", 1, 0, "", 2, "  kk kk ccc kk"},
      {"remove the second", 2, 4, "", 2, "  kk kk   kk"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    const long at = styled.lineStart(s.line) + s.column;
    if (s.removeLength) {
      sci(styled.view, Sci::SCI_DELETERANGE, at, s.removeLength);
    } else {
      styled.view.SendScintilla(Sci::SCI_INSERTTEXT, static_cast<unsigned long>(at), s.insert);
    }
    EXPECT_LE(styled.endStyled(), at);  // the edit put the styling back
    styled.styleTo(-1);
    EXPECT_EQ(styled.mask(), s.mask);
  }
}

// Styling line by line, or in two views with a lexer each, gives what styling at once gives.
TEST(OhfLexer, StylingInPiecesCarriesTheStateAcross) {
  const QString text = "x /* a\nb\nc */ if\n'q' /* d\n\ne */ 1";
  StyledView whole(pascalLike());
  whole.setText(text);
  const QString expected = whole.mask();
  ASSERT_EQ(expected, "  ccccccccccc kk qqq cccccccccc n");

  StyledView pieces(pascalLike());
  pieces.setText(text, false);
  for (int line = 1; line <= 6; ++line) pieces.styleTo(pieces.lineStart(line));
  EXPECT_EQ(pieces.mask(), expected);

  // A request that starts inside a line is taken from the start of that line.
  StyledView midLine(pascalLike());
  midLine.setText(text, false);
  midLine.styleTo(midLine.lineStart(2) + 3);
  midLine.styleTo(-1);
  EXPECT_EQ(midLine.mask(), expected);

  StyledView first(pascalLike());
  StyledView second(pascalLike());
  sci(second.view, Sci::SCI_SETDOCPOINTER, 0, sci(first.view, Sci::SCI_GETDOCPOINTER));
  first.setText(text, false);
  first.styleTo(first.lineStart(2));
  second.styleTo(second.lineStart(4));
  first.styleTo(-1);
  EXPECT_EQ(first.mask(), expected);
  EXPECT_EQ(second.mask(), expected);
}

// Painting styles what is on the screen and not the whole text; an edit at the top restyles
// what follows on the screen.
TEST(OhfLexer, PaintingStylesTheVisibleLines) {
  StyledView styled(pascalLike());
  QString text;
  for (int i = 0; i < 5000; ++i) text += "if x then y\n";
  styled.setText(text, false);
  styled.view.resize(400, 200);
  styled.view.show();
  styled.view.grab();
  const long length = sci(styled.view, Sci::SCI_GETLENGTH);
  EXPECT_GT(styled.endStyled(), 0);
  EXPECT_LT(styled.endStyled(), length / 10);
  EXPECT_EQ(sci(styled.view, Sci::SCI_GETSTYLEAT, styled.lineStart(3)), 1);

  styled.view.SendScintilla(Sci::SCI_INSERTTEXT, 0UL, "/*");
  styled.view.grab();
  EXPECT_EQ(sci(styled.view, Sci::SCI_GETSTYLEAT, styled.lineStart(3)), 5);
  EXPECT_LT(styled.endStyled(), length / 10);
}

// Choosing a scheme for a loaded text must not make the user wait while the whole text is
// styled: the restyling QScintilla asks for then stops at the end of the screen, and only it.
TEST(OhfLexer, SettingTheLexerStylesTheScreenFirst) {
  QString text;
  for (int i = 0; i < 5000; ++i) text += "x\r\nif\r\n";
  for (const bool eventLoopFirst : {false, true}) {
    SCOPED_TRACE(eventLoopFirst);
    QsciScintilla view;
    view.setUtf8(true);
    view.resize(400, 200);
    view.setText(text);
    const long length = sci(view, Sci::SCI_GETLENGTH);
    auto* lexer = new OhfLexer(pascalLike(), &view);
    view.setLexer(lexer);
    const long styled = sci(view, Sci::SCI_GETENDSTYLED);
    EXPECT_GT(styled, 0);
    EXPECT_LT(styled, length / 10);
    if (eventLoopFirst) QCoreApplication::sendPostedEvents(lexer, QEvent::MetaCall);
    sci(view, Sci::SCI_COLOURISE, styled, -1);
    EXPECT_EQ(sci(view, Sci::SCI_GETENDSTYLED), length);
    EXPECT_EQ(sci(view, Sci::SCI_GETSTYLEAT, length - 4), 1);
  }
  // Set on an empty text there is nothing to style at first; once the event loop has come
  // round, a request for everything is styled whole.
  QsciScintilla view;
  auto* lexer = new OhfLexer(pascalLike(), &view);
  view.setLexer(lexer);
  QCoreApplication::sendPostedEvents(lexer, QEvent::MetaCall);
  view.setText(text);
  sci(view, Sci::SCI_COLOURISE, 0, -1);
  EXPECT_EQ(sci(view, Sci::SCI_GETENDSTYLED), sci(view, Sci::SCI_GETLENGTH));
}

}  // namespace

namespace {

// The editing control cuts a very long line into display lines ended by a lone LF. The line is
// coloured as one: a string or comment goes on past the cut, and the cut takes the style of
// what comes before it.
TEST(OhfLexer, ALineCutForDisplayIsColouredWhole) {
  const QString texts[] = {"x 'ab|cd' if\r\nif", "a // b|c if\r\nif", "if /* a|b */ then|else\r\nif",
                           "|if", "if|\r\nthen"};
  for (const QString& cut : texts) {
    SCOPED_TRACE(cut.toStdString());
    StyledView whole(pascalLike());
    whole.view.setText(QString(cut).remove(u'|'));
    whole.styleTo(-1);
    StyledView broken(pascalLike());
    broken.view.setText(QString(cut).replace(u'|', u'\n'));
    // Styled from the second display line on, as after an edit there.
    broken.styleTo(-1);
    sci(broken.view, Sci::SCI_STARTSTYLING, broken.lineStart(1));
    broken.styleTo(-1);
    QString mask = broken.mask();
    QString expected = whole.mask();
    for (qsizetype at = cut.indexOf(u'|'); at >= 0; at = cut.indexOf(u'|', at + 1)) {
      // The cut stands where the '|' is, with the style of the character before it.
      const qsizetype maskAt = QString(cut.left(at)).replace(QStringLiteral("\r\n"), "\n").size();
      expected.insert(maskAt, maskAt > 0 ? expected.at(maskAt - 1) : QChar(u' '));
    }
    EXPECT_EQ(mask, expected);
  }
}

}  // namespace
