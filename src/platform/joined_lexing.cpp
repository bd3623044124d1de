#include "platform/joined_lexing.h"

#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>

#include <algorithm>

#include "platform/display_breaks.h"
#include "platform/edit_control.h"
#include "platform/styled_text.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

// A long request (the view jumping to the end of a big text) is styled in ranges of about this
// many bytes, each ending at a display line's end, so the scratch never holds the whole text.
constexpr long kRangeBytes = 1L << 20;
// A line of the text that began at most this many bytes before a range is lexed again from its
// start: a lexer may change the style of what came earlier on the line (a string left open is
// marked so from its start once the line's end shows it).
constexpr long kRelexBytes = 64 * 1024;
// Else the display lines of the same line before a range that the lexer sees with their
// styles: a lexer inside a tag or a construct looks back to where it began.
constexpr long kContextLines = 8;
// Bytes after a range that a lexer may look ahead into.
constexpr long kLookAhead = 256;
// All style bits: a mask, where Scintilla still takes one.
constexpr long kAllStyleBits = 0xff;

long sendTo(const QsciScintilla* view, unsigned message, unsigned long wParam = 0,
            long lParam = 0) {
  return view->SendScintilla(message, wParam, lParam);
}

}  // namespace

JoinedLexing::JoinedLexing(QsciScintilla& view, QsciLexer& lexer, DeferredLexer& deferred,
                           const DisplayBreaks& breaks)
    : m_view(view), m_breaks(breaks), m_scratch(std::make_unique<QsciScintilla>()) {
  QsciScintilla* scratch = m_scratch.get();
  sendTo(scratch, Sci::SCI_SETUNDOCOLLECTION, 0);
  sendTo(scratch, Sci::SCI_SETCODEPAGE, static_cast<unsigned long>(send(Sci::SCI_GETCODEPAGE)));
  // The lexer tells its properties to the view it is set on; the scratch document needs them.
  QObject::connect(&lexer, &QsciLexer::propertyChanged, scratch,
                   [scratch](const char* name, const char* value) {
                     scratch->SendScintilla(Sci::SCI_SETPROPERTY, name, value);
                   });
  deferred.attached(*scratch);
  // Nothing shows fold levels, and the scratch's would be no use to the view anyway.
  scratch->SendScintilla(Sci::SCI_SETPROPERTY, "fold", "0");
  QObject::connect(&view, &QsciScintillaBase::SCN_STYLENEEDED, scratch,
                   [this](int position) { styleUpTo(position); });
}

JoinedLexing::~JoinedLexing() = default;

long JoinedLexing::send(unsigned message, unsigned long wParam, long lParam) const {
  return sendTo(&m_view, message, wParam, lParam);
}

void JoinedLexing::styleUpTo(long upTo) {
  const long to = std::min(upTo, send(Sci::SCI_GETLENGTH));
  const auto lineStart = [this](long position) {
    return send(Sci::SCI_POSITIONFROMLINE,
                static_cast<unsigned long>(send(Sci::SCI_LINEFROMPOSITION,
                                                static_cast<unsigned long>(position))));
  };
  long from = lineStart(send(Sci::SCI_GETENDSTYLED));
  while (from < to) {
    long end = to;
    if (to - from > kRangeBytes) {
      end = lineStart(from + kRangeBytes);
      if (end <= from) end = to;
    }
    styleRange(from, end);
    from = end;
  }
}

long JoinedLexing::firstDisplayLineOf(long line) const {
  const long start = send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
  if (start == 0 || !m_breaks.isBreak(start - 1)) return line;
  return m_breaks.firstDisplayLine(line - m_breaks.before(start), [this](long position) {
    return send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
  });
}

void JoinedLexing::gather(long from, long to, QByteArray* text, std::vector<char>* styles) const {
  if (to <= from) return;
  const auto* bytes = reinterpret_cast<const char*>(
      send(Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), to - from));
  if (!bytes) return;
  text->append(m_breaks.strip(QByteArrayView(bytes, to - from), from));
  if (!styles) return;
  const std::vector<char> own = StylesWithoutBreaks(m_view, from, to, m_breaks);
  styles->insert(styles->end(), own.begin(), own.end());
}

void JoinedLexing::styleRange(long from, long to) {
  QsciScintilla* scratch = m_scratch.get();
  long line = send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(from));
  const long first = firstDisplayLineOf(line);
  const long lineStart = send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(first));
  if (from - lineStart <= kRelexBytes) {
    from = lineStart;
    line = first;
  }
  const long contextFrom = send(Sci::SCI_POSITIONFROMLINE,
                                static_cast<unsigned long>(std::max(first, line - kContextLines)));

  // The scratch holds: a line end standing for the line of the text before, with the state it
  // ended in; the start of the range's own line, styled; the range; a little beyond.
  QByteArray text;
  std::vector<char> styles;
  if (lineStart > 0) {
    text.append('\n');
    styles.push_back(
        char(send(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(lineStart - 1))));
  }
  gather(contextFrom, from, &text, &styles);
  const long lexFrom = text.size();
  gather(from, to, &text, nullptr);
  const long lexTo = text.size();
  long aheadEnd = std::min(to + kLookAhead, send(Sci::SCI_GETLENGTH));
  while (aheadEnd > to &&
         continuationByte(char(send(Sci::SCI_GETCHARAT, static_cast<unsigned long>(aheadEnd)))))
    --aheadEnd;
  gather(to, aheadEnd, &text, nullptr);

  sendTo(scratch, Sci::SCI_CLEARALL);
  scratch->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(text.size()), text.constData());
  if (!styles.empty()) {
    sendTo(scratch, Sci::SCI_STARTSTYLING, 0, kAllStyleBits);
    scratch->SendScintilla(Sci::SCI_SETSTYLINGEX, uintptr_t(styles.size()), styles.data());
  }
  if (lineStart > 0)
    sendTo(scratch, Sci::SCI_SETLINESTATE, 0,
           send(Sci::SCI_GETLINESTATE, static_cast<unsigned long>(first - 1)));
  sendTo(scratch, Sci::SCI_COLOURISE, static_cast<unsigned long>(lexFrom), lexTo);

  // Back onto the display lines: each break takes the style of the character before it.
  const std::vector<char> lexed = StyledText(*scratch, lexFrom, lexTo);
  std::vector<char> out(std::size_t(to - from));
  const std::vector<long>& at = m_breaks.positions();
  auto nextBreak = std::lower_bound(at.begin(), at.end(), from);
  std::size_t k = 0;
  char last = 0;
  for (long p = from; p < to; ++p) {
    if (nextBreak != at.end() && *nextBreak == p) {
      ++nextBreak;
    } else {
      last = lexed[2 * k + 1];
      ++k;
    }
    out[std::size_t(p - from)] = last;
  }
  send(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(from), kAllStyleBits);
  m_view.SendScintilla(Sci::SCI_SETSTYLINGEX, uintptr_t(out.size()), out.data());

  // Line states, which lexers read back at the next line: each display line takes that of
  // its line of the text.
  long scratchLine = sendTo(scratch, Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(lexFrom));
  const long lastLine = send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(to - 1));
  for (long d = line; d <= lastLine; ++d) {
    send(Sci::SCI_SETLINESTATE, static_cast<unsigned long>(d),
         sendTo(scratch, Sci::SCI_GETLINESTATE, static_cast<unsigned long>(scratchLine)));
    const long end = send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(d + 1)) - 1;
    if (!m_breaks.isBreak(end)) ++scratchLine;
  }
}

}  // namespace platform
