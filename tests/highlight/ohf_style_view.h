// A QsciScintilla set up like the editing control's views (UTF-8, CR LF) with an OhfLexer, and
// the styles it shows written as one letter per character, so tests compare texts.
#pragma once

#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QString>
#include <memory>

#include "highlight/ohf_lexer.h"

namespace ohf_test {

using Sci = QsciScintillaBase;

inline long sci(const QsciScintilla& view, unsigned msg, long wParam = 0, long lParam = 0) {
  return view.SendScintilla(msg, static_cast<unsigned long>(wParam), lParam);
}

// Letters of the styles, by style number: text, keyword, operator, scope, number, comment, string.
inline constexpr char kLetters[] = " kosncq";

class StyledView {
 public:
  explicit StyledView(const highlight::OhfDefinition& def) : lexer(new highlight::OhfLexer(def)) {
    view.setUtf8(true);
    view.setEolMode(QsciScintilla::EolWindows);
    lexer->setParent(&view);
    view.setLexer(lexer);
    // Back in the event loop: the lexer no longer holds back the request that follows setting it.
    QCoreApplication::sendPostedEvents(lexer, QEvent::MetaCall);
  }

  // Sets the text ("\n" becomes CR LF) and, unless told otherwise, styles all of it.
  void setText(const QString& text, bool style = true) {
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    view.setText(crlf);
    if (style) styleTo(-1);
  }
  // Asks for styling as Scintilla does: from where the styles end, up to `position` (-1: the end).
  void styleTo(long position) { sci(view, Sci::SCI_COLOURISE, endStyled(), position); }
  long endStyled() const { return sci(view, Sci::SCI_GETENDSTYLED); }
  long lineStart(int line) const { return sci(view, Sci::SCI_POSITIONFROMLINE, line); }

  // One letter per character (see kLetters); a CR LF is one character. '?' marks a character
  // whose bytes differ in style, '!' a style that is none of the lexer's.
  QString mask() const {
    const long length = sci(view, Sci::SCI_GETLENGTH);
    QString out;
    for (long i = 0; i < length;) {
      const auto lead = static_cast<unsigned char>(sci(view, Sci::SCI_GETCHARAT, i));
      long size = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
      if (lead == '\r' && i + 1 < length && sci(view, Sci::SCI_GETCHARAT, i + 1) == '\n') size = 2;
      size = std::min(size, length - i);
      const long style = sci(view, Sci::SCI_GETSTYLEAT, i);
      bool same = true;
      for (long k = 1; k < size; ++k) same = same && sci(view, Sci::SCI_GETSTYLEAT, i + k) == style;
      out += !same ? u'?' : style >= 0 && style < 7 ? QChar::fromLatin1(kLetters[style]) : u'!';
      i += size;
    }
    return out;
  }

  QsciScintilla view;
  highlight::OhfLexer* lexer;  // owned by the view
};

}  // namespace ohf_test
