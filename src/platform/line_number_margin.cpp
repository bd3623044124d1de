// Line numbers in any base. Base 10 is Scintilla's own number margin; every other base is a
// right-aligned text margin whose labels are written only for the lines on screen, so a file
// of millions of lines costs no more than a short one.
#include "platform/line_number_margin.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

#include "platform/display_breaks.h"
#include "platform/edit_control_impl.h"

namespace platform {
namespace {

constexpr int kMarginPadding = 10;  // pixels around the widest label
constexpr int kMinDigits = 2;       // a short file's margin keeps room to grow

int widestDigitWidth(const QsciScintilla* view, int base) {
  static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  int widest = 0;
  for (int i = 0; i < base; ++i) {
    const char digit[2] = {kDigits[i], '\0'};
    const long width = view->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH,
                                           uintptr_t(QsciScintillaBase::STYLE_LINENUMBER), digit);
    widest = std::max(widest, int(width));
  }
  return widest;
}

// True when the view's margin already holds `label` for `line`.
bool labelIsCurrent(const QsciScintilla* view, long line, const QByteArray& label) {
  const long length = sci(view, QsciScintillaBase::SCI_MARGINGETTEXT, line, 0);
  if (length != label.size()) return false;
  char buffer[64] = {};
  view->SendScintilla(QsciScintillaBase::SCI_MARGINGETTEXT, static_cast<unsigned long>(line),
                      static_cast<void*>(buffer));
  return QByteArrayView(buffer, length) == label;
}

}  // namespace

QString lineNumberLabel(int line, int base) {
  base = std::clamp(base, 2, 36);
  return QString::number(qlonglong(line) + 1, base).toUpper();
}

void applyLineNumberMargin(QsciScintilla* view, bool visible, int base,
                           const DisplayBreaks& breaks) {
  if (!visible) {
    sci(view, QsciScintillaBase::SCI_SETMARGINWIDTHN, 0, 0);
    return;
  }
  const long type = base == 10 && breaks.empty() ? QsciScintillaBase::SC_MARGIN_NUMBER
                                                 : QsciScintillaBase::SC_MARGIN_RTEXT;
  if (sci(view, QsciScintillaBase::SCI_GETMARGINTYPEN, 0) != type) {
    sci(view, QsciScintillaBase::SCI_SETMARGINTYPEN, 0, type);
    if (type == QsciScintillaBase::SC_MARGIN_NUMBER)
      sci(view, QsciScintillaBase::SCI_MARGINTEXTCLEARALL);
  }
  const long lines = sci(view, QsciScintillaBase::SCI_GETLINECOUNT) - breaks.count();
  const int digits = std::max<int>(kMinDigits, lineNumberLabel(int(lines - 1), base).size());
  const long width = digits * widestDigitWidth(view, base) + kMarginPadding;
  if (sci(view, QsciScintillaBase::SCI_GETMARGINWIDTHN, 0) != width)
    sci(view, QsciScintillaBase::SCI_SETMARGINWIDTHN, 0, width);
}

void fillLineNumberLabels(QsciScintilla* view, int base, const DisplayBreaks& breaks) {
  if (sci(view, QsciScintillaBase::SCI_GETMARGINWIDTHN, 0) == 0) return;
  if (sci(view, QsciScintillaBase::SCI_GETMARGINTYPEN, 0) != QsciScintillaBase::SC_MARGIN_RTEXT)
    return;
  const long top = sci(view, QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
  const long bottom = top + sci(view, QsciScintillaBase::SCI_LINESONSCREEN) + 1;
  const long lastLine = sci(view, QsciScintillaBase::SCI_GETLINECOUNT) - 1;
  const long first = sci(view, QsciScintillaBase::SCI_DOCLINEFROMVISIBLE, top);
  const long last =
      std::min(lastLine, sci(view, QsciScintillaBase::SCI_DOCLINEFROMVISIBLE, bottom));
  for (long line = first; line <= last; ++line) {
    const long start = sci(view, QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    const bool goesOn = line > 0 && breaks.isBreak(start - 1);
    const QByteArray label =
        goesOn ? QByteArray()
               : lineNumberLabel(int(line - breaks.before(start)), base).toLatin1();
    if (labelIsCurrent(view, line, label)) continue;
    sci(view, QsciScintillaBase::SCI_MARGINSETSTYLE, line, QsciScintillaBase::STYLE_LINENUMBER);
    view->SendScintilla(QsciScintillaBase::SCI_MARGINSETTEXT, uintptr_t(line), label.constData());
  }
}

}  // namespace platform
