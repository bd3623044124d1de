// Built-in lexers over lines cut for display: a string, a comment or a tag that runs across a
// join must be coloured exactly as in the same text with its lines whole.
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "highlight/builtin_lexers.h"
#include "platform/display_breaks.h"
#include "platform/edit_control.h"

namespace highlight {
namespace {

using Sci = QsciScintillaBase;
constexpr int kJoin = platform::kDisplayLineLength;

QByteArray repeated(const char* piece, int count) {
  QByteArray out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

long send(QsciScintilla* view, unsigned message, long wParam = 0, long lParam = 0) {
  return view->SendScintilla(message, static_cast<unsigned long>(wParam), lParam);
}

// Styles of each byte of a text, coloured whole by the lexer attached the ordinary way.
std::vector<int> wholeStyles(const QString& language, const QByteArray& text) {
  QsciScintilla view;
  view.setUtf8(true);
  QsciLexer* lexer = MakeBuiltinLexer(language, &view);
  view.setLexer(lexer);
  dynamic_cast<platform::DeferredLexer*>(lexer)->attached(view);
  view.SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(text.size()), text.constData());
  send(&view, Sci::SCI_COLOURISE, 0, -1);
  std::vector<int> styles;
  for (long p = 0; p < text.size(); ++p) styles.push_back(int(send(&view, Sci::SCI_GETSTYLEAT, p)));
  return styles;
}

class JoinedColouringTest : public ::testing::Test {
 protected:
  void use(const QString& language) {
    edit.setLexerMaker([language](QObject* parent, const QFont&) {
      return MakeBuiltinLexer(language, parent);
    });
  }
  QsciScintilla* view() { return edit.primaryView(); }
  // Styles what the view has not styled yet, from where its styling ended, as painting does.
  void colourRest() {
    send(view(), Sci::SCI_COLOURISE, send(view(), Sci::SCI_GETENDSTYLED), -1);
  }
  // The styles of the text's own bytes: the display breaks of the component's buffer, lone
  // LFs the text does not have there, are passed over.
  std::vector<int> shownStyles(const QByteArray& text) {
    colourRest();
    std::vector<int> styles;
    const long length = send(view(), Sci::SCI_GETLENGTH);
    long p = 0;
    for (long t = 0; t < text.size(); ++t, ++p) {
      while (p < length && char(send(view(), Sci::SCI_GETCHARAT, p)) == 0x0A && text.at(t) != 0x0A)
        ++p;
      styles.push_back(int(send(view(), Sci::SCI_GETSTYLEAT, p)));
    }
    return styles;
  }
  long displayLines() { return send(view(), Sci::SCI_GETLINECOUNT); }
  // The first byte where two colourings differ, or -1.
  static long firstDifference(const std::vector<int>& a, const std::vector<int>& b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
      if (a[i] != b[i]) return long(i);
    return a.size() == b.size() ? -1 : long(std::min(a.size(), b.size()));
  }

  platform::EditControl edit;
};

TEST_F(JoinedColouringTest, StringsAndCommentsRunOnAcrossJoins) {
  // A string, a block comment and a line comment, each longer than a display line, and code
  // after each; then a line that only a correct end of the comment leaves as code.
  const QByteArray text = "int a = 1;\r\nchar* s = \"" + repeated("abc def ", kJoin / 3) +
                          "\"; int b; /* " + repeated("слово if ", kJoin / 4) +
                          " */ int c = 2; // " + repeated("x ", kJoin) + "\r\nint d;\r\n";
  use("C/C++");
  edit.setTextUtf8(text);
  ASSERT_GT(displayLines(), 6);  // the long line really is cut
  const std::vector<int> expected = wholeStyles("C/C++", text);
  const std::vector<int> shown = shownStyles(text);
  EXPECT_EQ(firstDifference(shown, expected), -1);
  // The colouring checked is not plain: the string's end, past a join, is a string.
  const long stringEnd = text.indexOf("\"; int b;");
  EXPECT_EQ(shown[std::size_t(stringEnd)], shown[std::size_t(text.indexOf('"') + 1)]);
  EXPECT_NE(shown[std::size_t(stringEnd + 3)], shown[std::size_t(stringEnd)]);
}

TEST_F(JoinedColouringTest, AnEditBeforeAJoinRecoloursWhatFollowsIt) {
  const QByteArray head = "int a;\r\nint x = 0; ";
  const QByteArray tail = repeated("int y = 1; ", kJoin / 5) + "\r\nint z;";
  use("C/C++");
  edit.setTextUtf8(head + tail);
  shownStyles(head + tail);
  // Opening a string makes the rest of the line a string, beyond every join of it.
  edit.setSelection({1, 11, 1, 11});
  edit.setSelectedTextUtf8("\"");
  QByteArray text = head + "\"" + tail;
  EXPECT_EQ(firstDifference(shownStyles(text), wholeStyles("C/C++", text)), -1);
  // And closing it late in the line makes the rest code again.
  const int close = edit.lineLength(1) - 30;
  edit.setSelection({1, close, 1, close});
  edit.setSelectedTextUtf8("\"");
  text = edit.textUtf8();
  EXPECT_EQ(firstDifference(shownStyles(text), wholeStyles("C/C++", text)), -1);
}

TEST_F(JoinedColouringTest, ALineBeyondTheReachOfRelexingIsColouredPieceByPiece) {
  // Far into a line of minified code each range is lexed from its own display line, in the
  // state the one before ended in; painting asks for it a screen at a time.
  const QByteArray text = "int a;\r\n" +
                          repeated("x=\"строка, \"+f('c',1.5e3);/* note */if(y){z--;}", 4000) +
                          "\r\nint z;\r\n";
  use("C/C++");
  edit.setTextUtf8(text);
  const long length = send(view(), Sci::SCI_GETLENGTH);
  for (long upTo = 7001; upTo < length; upTo += 7001)
    send(view(), Sci::SCI_COLOURISE, send(view(), Sci::SCI_GETENDSTYLED), upTo);
  EXPECT_EQ(firstDifference(shownStyles(text), wholeStyles("C/C++", text)), -1);
}

TEST_F(JoinedColouringTest, ATagWithALongAttributeAndAScript) {
  // The HTML lexer looks back to the start of a tag it is inside; a script has a lexer state
  // of its own that a join must not end.
  const QByteArray text = "<html><body>\r\n<p title=\"" + repeated("долгий ", kJoin / 2) +
                          "\" class=a>text</p><script>var s = '" + repeated("q ", kJoin) +
                          "'; if (s) { x = 1; }</script><b>end</b>\r\n</body></html>\r\n";
  use("HTML");
  edit.setTextUtf8(text);
  ASSERT_GT(displayLines(), 5);
  EXPECT_EQ(firstDifference(shownStyles(text), wholeStyles("HTML", text)), -1);
}

TEST_F(JoinedColouringTest, TheLexerGoesBackToTheViewWhenTheLongLinesGo) {
  use("C/C++");
  edit.setTextUtf8("int a;\r\n");
  EXPECT_NE(send(view(), Sci::SCI_GETLEXER), long(Sci::SCLEX_CONTAINER));
  // A long line pasted in: the view now colours through the scratch, correctly.
  edit.setSelection({1, 0, 1, 0});
  const QByteArray line = "char* s = \"" + repeated("ab ", kJoin) + "\"; int b;";
  edit.setSelectedTextUtf8(line);
  EXPECT_EQ(send(view(), Sci::SCI_GETLEXER), long(Sci::SCLEX_CONTAINER));
  QByteArray text = edit.textUtf8();
  EXPECT_EQ(firstDifference(shownStyles(text), wholeStyles("C/C++", text)), -1);
  // Gone again: the view's own lexer colours the short text.
  edit.setSelection({1, 0, 1, int(line.size())});
  edit.setSelectedTextUtf8("int c;");
  EXPECT_NE(send(view(), Sci::SCI_GETLEXER), long(Sci::SCLEX_CONTAINER));
  text = edit.textUtf8();
  EXPECT_EQ(firstDifference(shownStyles(text), wholeStyles("C/C++", text)), -1);
}

}  // namespace
}  // namespace highlight
