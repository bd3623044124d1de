// Finding what runs across a display break: the text on both sides of each break, read with the
// break left out, is searched the way the component would search it.
#include "platform/join_search.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

#include "platform/edit_control_impl.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

// How far a regular expression's occurrence may reach on either side of a break. Plain text
// reaches no further than its own length.
constexpr long kExpressionReach = 2048;

bool wordCharacter(uint c) { return c == '_' || QChar::isLetterOrNumber(c); }

// The character that ends at byte `end` / starts at byte `start` of UTF-8 text; 0 at the edges.
uint characterBefore(QByteArrayView text, qsizetype end) {
  if (end <= 0) return 0;
  qsizetype start = end - 1;
  while (start > 0 && continuationByte(text[start])) --start;
  const QString c = QString::fromUtf8(text.sliced(start, end - start));
  return c.isEmpty() ? 0 : c.toUcs4().value(0);
}

uint characterAt(QByteArrayView text, qsizetype start) {
  if (start >= text.size()) return 0;
  qsizetype end = start + 1;
  while (end < text.size() && continuationByte(text[end])) ++end;
  const QString c = QString::fromUtf8(text.sliced(start, end - start));
  return c.isEmpty() ? 0 : c.toUcs4().value(0);
}

}  // namespace

// The text around one break, breaks left out, and how its offsets lead back to positions.
struct JoinSearch::Window {
  long start = 0;                 // position of the first byte
  QByteArray text;                // without breaks
  std::vector<qsizetype> breaks;  // offsets of `text` where a break stood, ascending
  qsizetype centre = 0;           // the offset of the break searched around
  bool lineStart = false;         // the text starts where a line of the text starts
  bool lineEnd = false;

  long positionOfStart(qsizetype offset) const {
    return start + long(offset) +
           long(std::upper_bound(breaks.begin(), breaks.end(), offset) - breaks.begin());
  }
  long positionOfEnd(qsizetype offset) const {
    return start + long(offset) +
           long(std::lower_bound(breaks.begin(), breaks.end(), offset) - breaks.begin());
  }
};

JoinSearch::JoinSearch(const QsciScintilla* view, const DisplayBreaks& breaks, const QString& what,
                       const FindOptions& options, const QByteArray& pattern)
    : m_view(view), m_breaks(breaks), m_options(options) {
  if (options.regExp) {
    try {
      m_expression.emplace(QString::fromUtf8(pattern).toStdWString(),
                           std::regex_constants::ECMAScript);
    } catch (const std::regex_error&) {
      // The component reports the bad pattern; there is nothing to look for here either.
    }
    m_reach = kExpressionReach;
    return;
  }
  if (options.matchCase)
    m_plain = what.toUtf8();
  else
    m_folded.emplace(what);
  // A UTF-16 unit takes at most three bytes of UTF-8, a pair of them four; folding the case of
  // a letter keeps it within that.
  m_reach = 4 * long(what.size()) + 4;
}

JoinSearch::Window JoinSearch::windowAround(long breakAt, long low, long high) const {
  const long length = sci(m_view, Sci::SCI_GETLENGTH);
  const auto byteAt = [this, length](long at) -> char {
    return at < 0 || at >= length ? 0 : char(sci(m_view, Sci::SCI_GETCHARAT, at));
  };
  long start = std::max(low, breakAt - m_reach);
  long end = std::min(high, breakAt + 1 + m_reach);
  while (start < breakAt && continuationByte(byteAt(start))) ++start;
  while (end > breakAt + 1 && end < length && continuationByte(byteAt(end))) --end;
  Window window;
  window.start = start;
  const auto* bytes = reinterpret_cast<const char*>(
      sci(m_view, Sci::SCI_GETRANGEPOINTER, start, std::max(0L, end - start)));
  window.text = m_breaks.strip(QByteArrayView(bytes, std::max(0L, end - start)), start);
  const std::vector<long>& all = m_breaks.positions();
  const auto first = std::lower_bound(all.begin(), all.end(), start);
  for (auto it = first; it != all.end() && *it < end; ++it) {
    const qsizetype offset = qsizetype(*it - start) - qsizetype(it - first);
    window.breaks.push_back(offset);
    if (*it == breakAt) window.centre = offset;
  }
  const char before = byteAt(start - 1);
  const char after = byteAt(end);
  window.lineStart = start == 0 || before == '\r' || (before == '\n' && !m_breaks.isBreak(start - 1));
  window.lineEnd = end >= length || after == '\r' || (after == '\n' && !m_breaks.isBreak(end));
  return window;
}

std::vector<JoinSearch::Found> JoinSearch::occurrences(const Window& window) const {
  std::vector<Found> found;
  const QByteArrayView text = window.text;
  const qsizetype centre = window.centre;
  const auto add = [&](qsizetype start, qsizetype end, std::vector<QString> groups = {}) {
    if (start >= centre || end <= centre) return;
    if (m_options.wholeWord && !m_options.regExp &&
        ((start > 0 && wordCharacter(characterBefore(text, start)) &&
          wordCharacter(characterAt(text, start))) ||
         (end < text.size() && wordCharacter(characterAt(text, end)) &&
          wordCharacter(characterBefore(text, end)))))
      return;
    found.push_back({window.positionOfStart(start), window.positionOfEnd(end), std::move(groups)});
  };
  if (!m_plain.isEmpty()) {
    for (qsizetype at = text.indexOf(m_plain); at >= 0 && at < centre;
         at = text.indexOf(m_plain, at + 1))
      add(at, at + m_plain.size());
  } else if (m_folded) {
    for (qsizetype from = 0; from < centre;) {
      const auto hit = m_folded->first(text, from, text.size());
      if (!hit || hit->start >= centre) break;
      add(hit->start, hit->end);
      from = hit->start + 1;
      while (from < text.size() && continuationByte(text[from])) ++from;
    }
  } else if (m_expression) {
    // Within the line of the text around the break, as the component matches line by line.
    qsizetype left = centre;
    while (left > 0 && text[left - 1] != '\n' && text[left - 1] != '\r') --left;
    qsizetype right = centre;
    while (right < text.size() && text[right] != '\n' && text[right] != '\r') ++right;
    const QString line = QString::fromUtf8(text.sliced(left, right - left));
    const std::wstring wide = line.toStdWString();
    // Byte offset of each wide character, and of the end.
    std::vector<qsizetype> offsets;
    offsets.reserve(wide.size() + 1);
    qsizetype offset = left;
    for (const wchar_t c : wide) {
      offsets.push_back(offset);
      offset += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    offsets.push_back(offset);
    auto flags = std::regex_constants::match_default;
    if (left == 0 && !window.lineStart) flags |= std::regex_constants::match_not_bol;
    if (right == text.size() && !window.lineEnd) flags |= std::regex_constants::match_not_eol;
    for (auto it = std::wsregex_iterator(wide.begin(), wide.end(), *m_expression, flags);
         it != std::wsregex_iterator(); ++it) {
      const std::wsmatch& match = *it;
      const qsizetype start = offsets[std::size_t(match.position(0))];
      if (start >= centre) break;
      std::vector<QString> groups;
      for (std::size_t g = 0; g < match.size() && g < 10; ++g)
        groups.push_back(QString::fromStdWString(match.str(g)));
      add(start, offsets[std::size_t(match.position(0) + match.length(0))], std::move(groups));
    }
  }
  return found;
}

std::optional<JoinSearch::Found> JoinSearch::find(long from, long to,
                                                  std::optional<long> before) const {
  const bool forward = from <= to;
  const long low = std::min(from, to);
  const long high = std::max(from, to);
  const std::vector<long>& all = m_breaks.positions();
  const auto fits = [&](const Found& f) {
    if (f.start < low || f.end > high) return false;
    if (!before) return true;
    return forward ? f.start < *before : f.start > *before;
  };
  if (forward) {
    // An occurrence across an earlier break starts earlier.
    for (auto it = std::upper_bound(all.begin(), all.end(), low); it != all.end() && *it < high;
         ++it) {
      if (before && *it - m_reach > *before) break;
      for (const Found& f : occurrences(windowAround(*it, low, high)))
        if (fits(f)) return f;
    }
    return std::nullopt;
  }
  auto it = std::lower_bound(all.begin(), all.end(), high);
  while (it != all.begin()) {
    --it;
    if (*it <= low) break;
    if (before && *it <= *before) break;
    const std::vector<Found> found = occurrences(windowAround(*it, low, high));
    for (auto f = found.rbegin(); f != found.rend(); ++f)
      if (fits(*f)) return *f;
  }
  return std::nullopt;
}

QString JoinSearch::expand(const QString& replacement, const Found& found) {
  QString out;
  for (qsizetype i = 0; i < replacement.size(); ++i) {
    const QChar c = replacement[i];
    if (c == u'\\' && i + 1 < replacement.size()) {
      const QChar next = replacement[i + 1];
      if (next.isDigit()) {
        const std::size_t group = std::size_t(next.digitValue());
        if (group < found.groups.size()) out += found.groups[group];
        ++i;
        continue;
      }
      if (next == u'\\') {
        out += u'\\';
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace platform
