// The look of the views: the lexer that colours the text, the editor's font and the colours of
// what no lexer paints. Everything is applied afresh as one look, because QScintilla resets
// the styles whenever a lexer comes or goes.
#include <Qsci/qscilexer.h>

#include "platform/edit_control_impl.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

long rgb(const QColor& colour) {
  // Scintilla's colours keep red in the low byte.
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

void setStyleFont(QsciScintilla* view, int style, const QFont& font) {
  sci(view, Sci::SCI_STYLESETBOLD, style, font.bold() ? 1 : 0);
  sci(view, Sci::SCI_STYLESETITALIC, style, font.italic() ? 1 : 0);
  sci(view, Sci::SCI_STYLESETUNDERLINE, style, font.underline() ? 1 : 0);
}

}  // namespace

QFont FontWithStyle(QFont base, int style) {
  base.setBold(style == 1 || style == 3);
  base.setItalic(style == 2 || style == 3);
  base.setUnderline(style == 4);
  return base;
}

void EditControl::Impl::applyLook(QsciScintilla* view) {
  QsciLexer* old = view->lexer();
  // Gone before the new lexer is set: QScintilla asks for the whole text to be coloured then.
  std::unique_ptr<JoinedLexing>& joined = joinedLexing[view == primary() ? 0 : 1];
  joined.reset();
  QsciLexer* made = colouring && lexerMaker && !plainDocument ? lexerMaker(view, font) : nullptr;
  if (made || old) view->setLexer(made);
  if (auto* deferred = dynamic_cast<DeferredLexer*>(made)) {
    if (breaks.empty())
      deferred->attached(*view);
    else
      joined = std::make_unique<JoinedLexing>(*view, *made, *deferred, breaks);
  }
  delete old;
  if (!made) {
    // Plain text: every style is the default one, in the colours of the text item.
    view->setFont(FontWithStyle(font, colours.textStyle));
    if (colours.text.isValid()) sci(view, Sci::SCI_STYLESETFORE, Sci::STYLE_DEFAULT, rgb(colours.text));
    if (colours.textBack.isValid())
      sci(view, Sci::SCI_STYLESETBACK, Sci::STYLE_DEFAULT, rgb(colours.textBack));
    setStyleFont(view, Sci::STYLE_DEFAULT, FontWithStyle(font, colours.textStyle));
    sci(view, Sci::SCI_STYLECLEARALL);
    if (old) sci(view, Sci::SCI_CLEARDOCUMENTSTYLE);
  }
  applyMarginLook(view);
}

void EditControl::Impl::applyLookEverywhere() {
  if (plainDocument && colouring && lexerMaker) makeStyledDocument();
  for (auto* view : made()) applyLook(view);
  applyLineNumbers();
}

void EditControl::Impl::fitLexing() {
  for (std::size_t i = 0; i < made().size(); ++i) {
    if (!dynamic_cast<DeferredLexer*>(views[i]->lexer())) continue;
    if (breaks.empty() != !joinedLexing[i]) applyLook(views[i]);
  }
}

void EditControl::Impl::applyMarginLook(QsciScintilla* view) {
  view->setMarginsFont(FontWithStyle(font, colours.lineNumbersStyle));
  if (colours.lineNumbers.isValid()) view->setMarginsForegroundColor(colours.lineNumbers);
  if (colours.lineNumbersBack.isValid()) view->setMarginsBackgroundColor(colours.lineNumbersBack);
  if (colours.gutter.isValid()) view->setMarginBackgroundColor(1, colours.gutter);
  if (colours.currentLine.isValid())
    view->setMarkerBackgroundColor(colours.currentLine, kHighlightMarker);
  if (colours.whiteSpace.isValid()) view->setWhitespaceForegroundColor(colours.whiteSpace);
  if (colours.unmatchedBrace.isValid()) view->setUnmatchedBraceForegroundColor(colours.unmatchedBrace);
}

void EditControl::setColouringEnabled(bool on) {
  if (on == d->colouring) return;
  d->colouring = on;
  // Without a lexer to take on or put off the text looks the same either way.
  if (!d->lexerMaker) return;
  d->applyLookEverywhere();
}

bool EditControl::colouringEnabled() const { return d->colouring; }

void EditControl::setLexerMaker(LexerMaker make) {
  const bool coloured = d->primary()->lexer() != nullptr;
  d->lexerMaker = std::move(make);
  if (!d->colouring && !coloured) return;
  d->applyLookEverywhere();
}

QsciLexer* EditControl::lexer() const { return d->primary()->lexer(); }

void EditControl::setViewColours(const ViewColours& colours) {
  d->colours = colours;
  d->applyLookEverywhere();
}

const ViewColours& EditControl::viewColours() const { return d->colours; }

}  // namespace platform
