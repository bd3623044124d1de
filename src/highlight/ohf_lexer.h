// The lexer for highlight definitions read from ".ohf" files. It styles only what Scintilla asks
// for, line by line, and hands the block-comment state from line to line in Scintilla's line
// state, so a keystroke costs a few lines of work whatever the size of the text.
//
// Styles and line states live in the document, which both views of the editing control share;
// give each view its own lexer made from the same definition, and either may do the styling.
#pragma once

#include <Qsci/qscilexercustom.h>

#include <QByteArray>
#include <vector>

#include "highlight/colour_items.h"
#include "highlight/ohf_definition.h"
#include "highlight/ohf_rules.h"

namespace highlight {

class OhfLexer : public QsciLexerCustom {
  Q_OBJECT
 public:
  explicit OhfLexer(const OhfDefinition& definition, QObject* parent = nullptr);

  const OhfDefinition& definition() const { return m_definition; }
  // The keyword and operator lists as the definition holds them: LF after every word.
  const QString& keywordList() const { return m_definition.keywords; }
  const QString& operatorList() const { return m_definition.operators; }

  static int styleCount() { return kOhfStyleCount; }
  // The colour-scheme item a style is shown in (Text for a number that is no style).
  static ColourItem itemOfStyle(int style) { return OhfStyleItem(style); }

  // QsciLexer
  const char* language() const override;
  QString description(int style) const override;
  bool caseSensitive() const override;
  QColor defaultColor(int style) const override;
  QColor defaultPaper(int style) const override;
  void styleText(int start, int end) override;
  void setEditor(QsciScintilla* editor) override;

 private:
  long send(unsigned message, unsigned long wParam = 0, long lParam = 0) const;
  // The line ends in a display break of the editing control (a lone LF): the line of the text
  // goes on in the next one, and is coloured as one line with it.
  bool goesOn(long line) const;
  long screenEnd() const;
  // Styles whole lines first..last (at most about kChunkBytes of them at once) and returns the
  // state at the end of the last one styled, which is `*next - 1`.
  OhfRules::State styleLines(long first, long last, long* next, OhfRules::State state);

  OhfDefinition m_definition;
  QByteArray m_language;
  OhfRules m_rules;
  bool m_screenOnly = false;  // the request that follows setting the lexer stops at the screen
  // Reused between calls so that a keystroke allocates nothing.
  std::vector<char> m_styles;
  std::vector<long> m_lineStarts;
  std::vector<int> m_lineStates;
  std::vector<char> m_joined;  // a line of the text gathered from its display lines
  std::vector<char> m_joinedStyles;
};

}  // namespace highlight
