// Colouring through a built-in lexer across display breaks. The component's own lexers read its
// buffer, where a long line is several display lines (see display_breaks.h), and would take each
// break for a line end: a string or a comment cut by a break would end there. While a text has
// breaks, a view with such a lexer styles as a container instead, and each range it asks for is
// lexed in a scratch document that holds the same text without breaks: the lexer sees the line
// whole, and the styles go back onto the display lines, each break taking the style before it.
#pragma once

#include <QByteArray>
#include <memory>
#include <vector>

class QsciLexer;
class QsciScintilla;

namespace platform {

class DeferredLexer;
class DisplayBreaks;

class JoinedLexing {
 public:
  // `view` has `lexer` attached as a container lexer (DeferredLexer before attached() is called);
  // its language goes to the scratch document instead of the view.
  JoinedLexing(QsciScintilla& view, QsciLexer& lexer, DeferredLexer& deferred,
               const DisplayBreaks& breaks);
  ~JoinedLexing();
  JoinedLexing(const JoinedLexing&) = delete;
  JoinedLexing& operator=(const JoinedLexing&) = delete;

  // Styles the view's text from where its styling ended up to `upTo`, as the view asks when it
  // needs it shown.
  void styleUpTo(long upTo);

 private:
  void styleRange(long from, long to);
  // The display line on which the line of the text holding display line `line` begins.
  long firstDisplayLineOf(long line) const;
  long send(unsigned message, unsigned long wParam = 0, long lParam = 0) const;
  // Bytes and styles of the view's range [from, to), breaks left out.
  void gather(long from, long to, QByteArray* text, std::vector<char>* styles) const;

  QsciScintilla& m_view;
  const DisplayBreaks& m_breaks;
  std::unique_ptr<QsciScintilla> m_scratch;
};

}  // namespace platform
