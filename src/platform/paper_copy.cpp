#include "platform/paper_copy.h"

#include <Qsci/qsciscintilla.h>

#include <QByteArray>
#include <vector>

#include "platform/display_breaks.h"
#include "platform/styled_text.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

long sendTo(const QsciScintilla& view, unsigned message, long wParam = 0, long lParam = 0) {
  return view.SendScintilla(message, static_cast<unsigned long>(wParam), lParam);
}

// The look of one style, as printing uses it.
void copyStyle(const QsciScintilla& from, QsciScintilla& to, int style) {
  static constexpr std::pair<unsigned, unsigned> kAttributes[] = {
      {Sci::SCI_STYLEGETFORE, Sci::SCI_STYLESETFORE},
      {Sci::SCI_STYLEGETBACK, Sci::SCI_STYLESETBACK},
      {Sci::SCI_STYLEGETSIZEFRACTIONAL, Sci::SCI_STYLESETSIZEFRACTIONAL},
      {Sci::SCI_STYLEGETWEIGHT, Sci::SCI_STYLESETWEIGHT},
      {Sci::SCI_STYLEGETITALIC, Sci::SCI_STYLESETITALIC},
      {Sci::SCI_STYLEGETUNDERLINE, Sci::SCI_STYLESETUNDERLINE},
      {Sci::SCI_STYLEGETEOLFILLED, Sci::SCI_STYLESETEOLFILLED},
      {Sci::SCI_STYLEGETCHARACTERSET, Sci::SCI_STYLESETCHARACTERSET},
      {Sci::SCI_STYLEGETCASE, Sci::SCI_STYLESETCASE},
      {Sci::SCI_STYLEGETVISIBLE, Sci::SCI_STYLESETVISIBLE},
  };
  for (const auto& [get, set] : kAttributes) sendTo(to, set, style, sendTo(from, get, style));
  QByteArray font(long(sendTo(from, Sci::SCI_STYLEGETFONT, style)) + 1, '\0');
  from.SendScintilla(Sci::SCI_STYLEGETFONT, static_cast<unsigned long>(style),
                     static_cast<void*>(font.data()));
  to.SendScintilla(Sci::SCI_STYLESETFONT, static_cast<uintptr_t>(style), font.constData());
}

}  // namespace

std::unique_ptr<QsciScintilla> PaperCopy(QsciScintilla& view, const DisplayBreaks& breaks) {
  auto paper = std::make_unique<QsciScintilla>();
  paper->setUtf8(true);
  // The default style first: setting it does not touch the others, which are copied after.
  copyStyle(view, *paper, Sci::STYLE_DEFAULT);
  for (int style = 0; style <= Sci::STYLE_MAX; ++style)
    if (style != Sci::STYLE_DEFAULT) copyStyle(view, *paper, style);
  static constexpr std::pair<unsigned, unsigned> kSettings[] = {
      {Sci::SCI_GETTABWIDTH, Sci::SCI_SETTABWIDTH},
      {Sci::SCI_GETPRINTMAGNIFICATION, Sci::SCI_SETPRINTMAGNIFICATION},
      {Sci::SCI_GETPRINTCOLOURMODE, Sci::SCI_SETPRINTCOLOURMODE},
      {Sci::SCI_GETPRINTWRAPMODE, Sci::SCI_SETPRINTWRAPMODE},
  };
  for (const auto& [get, set] : kSettings) sendTo(*paper, set, sendTo(view, get));

  const long length = sendTo(view, Sci::SCI_GETLENGTH);
  sendTo(view, Sci::SCI_COLOURISE, sendTo(view, Sci::SCI_GETENDSTYLED), -1);
  const auto* bytes = reinterpret_cast<const char*>(sendTo(view, Sci::SCI_GETCHARACTERPOINTER));
  const QByteArray text = breaks.strip(QByteArrayView(bytes, length), 0);
  const std::vector<char> styles = StylesWithoutBreaks(view, 0, length, breaks);
  paper->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(text.size()), text.constData());
  sendTo(*paper, Sci::SCI_STARTSTYLING, 0, 0xff);
  paper->SendScintilla(Sci::SCI_SETSTYLINGEX, uintptr_t(styles.size()), styles.data());
  return paper;
}

}  // namespace platform
