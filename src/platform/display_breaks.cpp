// Display breaks: where they are in the component's buffer, and putting them into and taking
// them out of text.
#include "platform/display_breaks.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// How far back from the full length a display line may end at a better place.
constexpr int kSoftBreakReach = 256;

}  // namespace

void DisplayBreaks::reset(std::vector<long> positions) {
  m_at = std::move(positions);
  m_history.clear();
  m_unsettled.clear();
}

void DisplayBreaks::append(long at, const std::vector<long>& offsets) {
  for (const long offset : offsets) m_at.push_back(at + offset);
}

void DisplayBreaks::record(long at, long length, std::vector<long> offsets) {
  if (offsets.empty()) return;
  // Enough for any undo history a user walks back through with breaks in it.
  constexpr std::size_t kMostRecords = 4096;
  if (m_history.size() >= kMostRecords)
    m_history.erase(m_history.begin(), m_history.begin() + kMostRecords / 2);
  m_history.push_back({at, length, std::move(offsets)});
}

long DisplayBreaks::before(long position) const {
  return long(std::lower_bound(m_at.begin(), m_at.end(), position) - m_at.begin());
}

bool DisplayBreaks::isBreak(long position) const {
  return std::binary_search(m_at.begin(), m_at.end(), position);
}

long DisplayBreaks::firstDisplayLine(long line,
                                     const std::function<long(long position)>& lineOf) const {
  // The k-th break ends a display line of text line (its display line - k), rising with k:
  // the breaks of the lines before this one are counted by halving.
  std::size_t low = 0;
  std::size_t high = m_at.size();
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    if (lineOf(m_at[middle]) - long(middle) < line)
      low = middle + 1;
    else
      high = middle;
  }
  return line + long(low);
}

void DisplayBreaks::inserting(long at, long length, const std::vector<long>& offsets) {
  if (length <= 0) return;
  auto behind = std::lower_bound(m_at.begin(), m_at.end(), at);
  for (auto it = behind; it != m_at.end(); ++it) *it += length;
  const std::size_t index = std::size_t(behind - m_at.begin());
  m_at.insert(behind, offsets.size(), 0);
  for (std::size_t i = 0; i < offsets.size(); ++i) m_at[index + i] = at + offsets[i];
  record(at, length, offsets);
}

void DisplayBreaks::deleting(long at, long length) {
  if (length <= 0) return;
  std::vector<long> gone;
  auto first = std::lower_bound(m_at.begin(), m_at.end(), at);
  auto last = std::lower_bound(first, m_at.end(), at + length);
  for (auto it = first; it != last; ++it) gone.push_back(*it - at);
  first = m_at.erase(first, last);
  for (auto it = first; it != m_at.end(); ++it) *it -= length;
  record(at, length, std::move(gone));
}

void DisplayBreaks::reinserting(long at, long length) {
  std::vector<long> offsets;
  for (auto it = m_history.rbegin(); it != m_history.rend(); ++it) {
    if (it->at != at || it->length != length) continue;
    offsets = it->offsets;
    break;
  }
  for (const long offset : offsets) m_unsettled.push_back(at + offset);
  inserting(at, length, offsets);
}

void DisplayBreaks::settle(const std::function<char(long position)>& byteAt) {
  std::vector<long> checks;
  checks.swap(m_unsettled);
  for (const long at : checks) {
    if (byteAt(at) == '\n') continue;
    const auto it = std::lower_bound(m_at.begin(), m_at.end(), at);
    if (it != m_at.end() && *it == at) m_at.erase(it);
  }
}

QByteArray DisplayBreaks::strip(QByteArrayView range, long start) const {
  const long end = start + long(range.size());
  auto it = std::lower_bound(m_at.begin(), m_at.end(), start);
  if (it == m_at.end() || *it >= end) return range.toByteArray();
  QByteArray out;
  out.reserve(range.size());
  long from = start;
  for (; it != m_at.end() && *it < end; ++it) {
    out.append(range.sliced(from - start, *it - from));
    from = *it + 1;
  }
  out.append(range.sliced(from - start));
  return out;
}

void BreakInserter::feed(QByteArrayView piece) {
  const char* data = piece.data();
  const qsizetype size = piece.size();
  qsizetype from = 0;
  // Where the line could be broken between two statements or items of a list, rather than in
  // the middle of a string or a comment, which a lexer would then see end with the line.
  qsizetype soft = -1;
  int softColumn = 0;
  // Counts the characters of data[i, end), breaking the line where it gets full.
  const auto walk = [&](qsizetype i, qsizetype end) {
    for (; i < end; ++i) {
      const char c = data[i];
      if (c == '\n' || c == '\r') {
        m_column = 0;
        soft = -1;
        continue;
      }
      if (continuationByte(c)) continue;
      // A character starts here: the line is full before it.
      if (m_column == kDisplayLineLength) {
        const bool softly = soft > from && m_column - softColumn <= kSoftBreakReach;
        const qsizetype at = softly ? soft : i;
        m_sink(QByteArrayView(data + from, at - from));
        m_written += long(at - from);
        m_breaks.push_back(m_written);
        m_sink(QByteArrayView("\n", 1));
        m_written += 1;
        from = at;
        m_column = softly ? m_column - softColumn : 0;
        soft = -1;
      }
      ++m_column;
      if (c == ';' || c == '}' || c == ',' || c == '>') {
        soft = i + 1;
        softColumn = m_column;
      }
    }
  };
  // Almost every line is far shorter than a display line: a line whose bytes alone can't fill
  // one is passed over whole, which keeps opening a big file from counting every character.
  for (qsizetype i = 0; i < size;) {
    const void* found = std::memchr(data + i, '\n', std::size_t(size - i));
    const qsizetype lineEnd = found ? static_cast<const char*>(found) - data : size;
    if (m_column + (lineEnd - i) > kDisplayLineLength || !found) {
      walk(i, lineEnd);
    }
    if (found) {
      m_column = 0;
      soft = -1;
    }
    i = lineEnd + 1;
  }
  if (from < size) {
    m_sink(QByteArrayView(data + from, size - from));
    m_written += long(size - from);
  }
}

QByteArray WithDisplayBreaks(QByteArrayView text, int column, std::vector<long>* offsets) {
  QByteArray out;
  out.reserve(text.size() + text.size() / kDisplayLineLength + 1);
  BreakInserter inserter([&out](QByteArrayView piece) { out.append(piece); }, column);
  inserter.feed(text);
  if (offsets) *offsets = inserter.breaks();
  return out;
}

bool NeedsDisplayBreaks(QByteArrayView text, int column) {
  if (text.size() + column <= kDisplayLineLength) return false;
  for (const char c : text) {
    if (c == '\n' || c == '\r') {
      column = 0;
    } else if (!continuationByte(c) && ++column > kDisplayLineLength) {
      return true;
    }
  }
  return false;
}

}  // namespace platform
