// Styling on demand: whole lines from the one Scintilla asks about, the bytes read in place from
// the document, the styles handed back in one piece per chunk.
#include "highlight/ohf_lexer.h"

#include <Qsci/qsciscintilla.h>

#include <QColor>
#include <algorithm>
#include <cstring>

namespace highlight {
namespace {

using Sci = QsciScintillaBase;

// Styling a whole large text (the first time, or after the lexer is set on a loaded text) goes
// in pieces of about this size, so the style buffer stays small.
constexpr long kChunkBytes = 1L << 20;

struct StyleInfo {
  const char* name;  // as the colour list calls the item
  unsigned colour;   // the item's default: red in the low byte, then green, then blue
};
constexpr StyleInfo kStyles[kOhfStyleCount] = {
    {"Текст", 0},     {"Группа1", 255},       {"Группа2", 255},    {"Разделители", 8355584},
    {"Группа3", 255}, {"Комментарии", 32512}, {"Строки", 8421440},
};
constexpr unsigned kWindowColour = 16777215;

QColor fromColourValue(unsigned value) {
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

bool validStyle(int style) { return style >= 0 && style < kOhfStyleCount; }

}  // namespace

OhfLexer::OhfLexer(const OhfDefinition& definition, QObject* parent)
    : QsciLexerCustom(parent),
      m_definition(definition),
      m_language(definition.description.toUtf8()),
      m_rules(definition) {}

const char* OhfLexer::language() const { return m_language.constData(); }

QString OhfLexer::description(int style) const {
  return validStyle(style) ? QString::fromUtf8(kStyles[style].name) : QString();
}

bool OhfLexer::caseSensitive() const { return m_definition.caseSensitive; }

QColor OhfLexer::defaultColor(int style) const {
  return validStyle(style) ? fromColourValue(kStyles[style].colour)
                           : QsciLexerCustom::defaultColor(style);
}

QColor OhfLexer::defaultPaper(int style) const {
  return validStyle(style) ? fromColourValue(kWindowColour) : QsciLexerCustom::defaultPaper(style);
}

long OhfLexer::send(unsigned message, unsigned long wParam, long lParam) const {
  return editor()->SendScintilla(message, wParam, lParam);
}

// QScintilla restyles the whole text as soon as a lexer is set: for a large text, a long wait
// for lines nobody looks at. That one request is cut at the end of the screen; Scintilla asks
// for the rest when it is shown (or printed), as it does while the text is being edited.
void OhfLexer::setEditor(QsciScintilla* editor) {
  QsciLexerCustom::setEditor(editor);
  m_screenOnly = editor != nullptr;
  if (m_screenOnly)
    QMetaObject::invokeMethod(
        this, [this] { m_screenOnly = false; }, Qt::QueuedConnection);
}

long OhfLexer::screenEnd() const {
  const long lastShown =
      send(Sci::SCI_GETFIRSTVISIBLELINE) + std::max(send(Sci::SCI_LINESONSCREEN), 1L);
  return send(Sci::SCI_GETLINEENDPOSITION, send(Sci::SCI_DOCLINEFROMVISIBLE, lastShown));
}

void OhfLexer::styleText(int start, int end) {
  if (!editor()) return;
  long to = std::min<long>(end, send(Sci::SCI_GETLENGTH));
  if (m_screenOnly) {
    m_screenOnly = false;
    to = std::min(to, std::max(screenEnd(), long(start) + 1));
  }
  const long from = std::max(start, 0);
  if (from >= to) return;
  // From the start of the line, in the state the line before ended in; to the end of the line.
  long line = send(Sci::SCI_LINEFROMPOSITION, from);
  while (line > 0 && goesOn(line - 1)) --line;
  const long last = send(Sci::SCI_LINEFROMPOSITION, to - 1);
  const bool inComment = line > 0 && send(Sci::SCI_GETLINESTATE, line - 1) ==
                                         static_cast<int>(OhfRules::State::BlockComment);
  OhfRules::State state = inComment ? OhfRules::State::BlockComment : OhfRules::State::Normal;
  while (line <= last) state = styleLines(line, last, &line, state);
}

bool OhfLexer::goesOn(long line) const {
  return send(Sci::SCI_GETCHARAT, static_cast<unsigned long>(send(Sci::SCI_GETLINEENDPOSITION,
                                                                  line))) == '\n';
}

OhfRules::State OhfLexer::styleLines(long first, long last, long* next, OhfRules::State state) {
  const long lineCount = send(Sci::SCI_GETLINECOUNT);
  const long length = send(Sci::SCI_GETLENGTH);
  const long from = send(Sci::SCI_POSITIONFROMLINE, first);
  m_lineStarts.assign(1, from);
  for (long line = first; line < lineCount; ++line) {
    // A chunk ends at a line end of the text, never inside a line cut for display.
    const bool full = line > last || m_lineStarts.back() - from >= kChunkBytes;
    if (full && (line == first || !goesOn(line - 1))) break;
    m_lineStarts.push_back(line + 1 < lineCount ? send(Sci::SCI_POSITIONFROMLINE, line + 1)
                                                : length);
  }
  const long to = m_lineStarts.back();
  const long lines = long(m_lineStarts.size()) - 1;
  *next = first + lines;

  // A pointer into the document itself: no copy of the text, and only this range is gathered.
  const char* text =
      to > from ? reinterpret_cast<const char*>(send(Sci::SCI_GETRANGEPOINTER, from, to - from))
                : nullptr;
  if (to > from && !text) return state;
  m_styles.resize(std::size_t(to - from));
  m_lineStates.clear();
  for (long k = 0; k < lines;) {
    // The display lines k .. group-1 make one line of the text.
    long group = k + 1;
    while (group < lines && text[m_lineStarts[group] - from - 1] == '\n' &&
           (m_lineStarts[group] - from < 2 || text[m_lineStarts[group] - from - 2] != '\r'))
      ++group;
    const long begin = m_lineStarts[k] - from;
    const long lineEnd = m_lineStarts[group] - from;
    long contentEnd = lineEnd;
    if (contentEnd > begin && text[contentEnd - 1] == '\n') --contentEnd;
    if (contentEnd > begin && text[contentEnd - 1] == '\r') --contentEnd;
    if (group == k + 1) {
      state = m_rules.styleLine(text + begin, std::size_t(contentEnd - begin), state,
                                m_styles.data() + begin);
    } else {
      // Styled without its breaks, as the line it is; each break takes the style before it.
      m_joined.clear();
      for (long j = k; j < group; ++j) {
        const long partEnd = j + 1 < group ? m_lineStarts[j + 1] - from - 1 : contentEnd;
        m_joined.insert(m_joined.end(), text + m_lineStarts[j] - from, text + partEnd);
      }
      m_joinedStyles.resize(m_joined.size());
      state = m_rules.styleLine(m_joined.data(), m_joined.size(), state, m_joinedStyles.data());
      std::size_t at = 0;
      for (long j = k; j < group; ++j) {
        const long partStart = m_lineStarts[j] - from;
        const long partEnd = j + 1 < group ? m_lineStarts[j + 1] - from - 1 : contentEnd;
        std::memcpy(m_styles.data() + partStart, m_joinedStyles.data() + at,
                    std::size_t(partEnd - partStart));
        at += std::size_t(partEnd - partStart);
        if (j + 1 < group)
          m_styles[std::size_t(partEnd)] = partEnd > begin ? m_styles[std::size_t(partEnd - 1)] : 0;
      }
    }
    std::memset(m_styles.data() + contentEnd, static_cast<int>(OhfRules::lineEndStyle(state)),
                std::size_t(lineEnd - contentEnd));
    for (long j = k; j < group; ++j) m_lineStates.push_back(static_cast<int>(state));
    k = group;
  }
  if (to > from) {
    startStyling(int(from));
    editor()->SendScintilla(Sci::SCI_SETSTYLINGEX, uintptr_t(to - from), m_styles.data());
  }
  for (long k = 0; k < lines; ++k)
    send(Sci::SCI_SETLINESTATE, static_cast<unsigned long>(first + k), m_lineStates[k]);
  return state;
}

}  // namespace highlight
