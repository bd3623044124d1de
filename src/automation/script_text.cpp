#include "automation/script_text.h"

#include <QStringMatcher>
#include <algorithm>
#include <bit>
#include <utility>

namespace automation {
namespace {

constexpr int kLongestRun = 4;

// Spreads the key of a run of `length` characters over 64 bits; the filter uses the top bits.
quint64 mix(quint64 key, int length) {
  quint64 h = key * 0x9E3779B97F4A7C15ull + quint64(length) * 0xC2B2AE3D27D4EB4Full;
  h ^= h >> 31;
  h *= 0xBF58476D1CE4E5B9ull;
  h ^= h >> 29;
  return h;
}

// A set of runs that may answer "maybe" for a run it never saw, but never "no" for one it did.
class RunFilter {
 public:
  // Takes no memory until the first clear(): a script that replaces only a few times never
  // needs the filters.
  explicit RunFilter(int bitsLog2) : m_shift(64 - bitsLog2), m_size(size_t(1) << (bitsLog2 - 6)) {}
  quint32 slot(quint64 key, int length) const { return quint32(mix(key, length) >> m_shift); }
  void add(quint32 slot) {
    m_words[slot >> 6] |= quint64(1) << (slot & 63);
    ++m_added;
  }
  bool has(quint32 slot) const { return (m_words[slot >> 6] >> (slot & 63)) & 1; }
  void clear() {
    m_words.assign(m_size, 0);
    m_added = 0;
  }
  qsizetype added() const { return m_added; }

  // Adds the runs of `shortest`..4 characters that start at chars[0]; `count` characters are
  // there.
  void addRunsAt(const char16_t* chars, int count, int shortest = 1) {
    quint64 key = 0;
    for (int length = 1; length <= std::min(count, kLongestRun); ++length) {
      key = (key << 16) | chars[length - 1];
      if (length >= shortest) add(slot(key, length));
    }
  }

 private:
  int m_shift;
  size_t m_size;
  std::vector<quint64> m_words;
  qsizetype m_added = 0;
};

// The runs a text of `what`'s length must hold to hold `what`: all runs of min(length, 4).
std::vector<quint32> runsOf(QStringView what, const RunFilter& filter) {
  const int length = int(std::min<qsizetype>(what.size(), kLongestRun));
  std::vector<quint32> runs;
  for (qsizetype i = 0; i + length <= what.size(); ++i) {
    quint64 key = 0;
    for (int k = 0; k < length; ++k) key = (key << 16) | what[i + k].unicode();
    runs.push_back(filter.slot(key, length));
  }
  return runs;
}

}  // namespace

qsizetype CountOccurrences(QStringView text, QStringView what) {
  if (what.isEmpty()) return 0;
  const QStringMatcher matcher(what);
  qsizetype count = 0;
  for (qsizetype at = 0; (at = matcher.indexIn(text, at)) >= 0; at += what.size()) ++count;
  return count;
}

QString ReplacedText(QStringView text, QStringView what, QStringView with) {
  const qsizetype count = CountOccurrences(text, what);
  if (count == 0) return text.toString();
  QString out;
  out.reserve(text.size() + count * (with.size() - what.size()));
  const QStringMatcher matcher(what);
  qsizetype from = 0;
  for (qsizetype at; (at = matcher.indexIn(text, from)) >= 0; from = at + what.size()) {
    out.append(text.mid(from, at - from));
    out.append(with);
  }
  out.append(text.mid(from));
  return out;
}

struct ScriptText::Piece {
  QString text;
  RunFilter filter;
};

// An occurrence: the piece it starts in and its offset there.
struct ScriptText::Hit {
  size_t piece;
  qsizetype at;
};

// Where an inserted replacement lies, for the filters: first as piece and offset in the piece's
// new text, then as a position in the whole text.
struct ScriptText::Site {
  size_t piece;
  qsizetype at;
  qsizetype length;
};

ScriptText::ScriptText(QStringView text, qsizetype pieceSize, int replacesBeforeFilters)
    : m_pieceSize(std::max<qsizetype>(pieceSize, 1)),
      // About 16 bits a character: a piece of natural text fills a few percent of its filter.
      m_filterBitsLog2(std::clamp(int(std::bit_width(quint64(m_pieceSize) * 16 - 1)), 10, 20)),
      m_replacesLeft(replacesBeforeFilters) {
  cut(text.toString());
}

void ScriptText::cut(const QString& text) {
  m_whole.reset();
  m_pieces.clear();
  for (qsizetype at = 0; at < text.size(); at += m_pieceSize) addPiece(text.mid(at, m_pieceSize));
}

void ScriptText::addPiece(QString text) {
  m_pieces.push_back({std::move(text), RunFilter(m_filterBitsLog2)});
}

void ScriptText::cutReplaced(QStringView text, QStringView what, QStringView with) {
  m_whole.reset();
  m_pieces.clear();
  QString piece;
  const auto put = [&](QStringView part) {
    while (!part.isEmpty()) {
      if (piece.isEmpty()) piece.reserve(m_pieceSize);
      const qsizetype taken = std::min(part.size(), m_pieceSize - piece.size());
      piece.append(part.left(taken));
      part = part.mid(taken);
      if (piece.size() == m_pieceSize) addPiece(std::exchange(piece, QString()));
    }
  };
  const QStringMatcher matcher(what);
  qsizetype from = 0;
  for (qsizetype at; (at = matcher.indexIn(text, from)) >= 0; from = at + what.size()) {
    put(text.mid(from, at - from));
    put(with);
  }
  put(text.mid(from));
  if (!piece.isEmpty()) addPiece(std::move(piece));
}

ScriptText::~ScriptText() = default;
ScriptText::ScriptText(ScriptText&&) noexcept = default;
ScriptText& ScriptText::operator=(ScriptText&&) noexcept = default;

QString ScriptText::toString() const {
  if (m_whole) return *m_whole;
  QString out;
  out.reserve(size());
  for (const Piece& piece : m_pieces) out += piece.text;
  m_whole = out;
  return out;
}

qsizetype ScriptText::size() const {
  qsizetype total = 0;
  for (const Piece& piece : m_pieces) total += piece.text.size();
  return total;
}

QString ScriptText::following(size_t piece, qsizetype count) const {
  QString out;
  for (size_t i = piece + 1; i < m_pieces.size() && out.size() < count; ++i)
    out += QStringView(m_pieces[i].text).left(count - out.size());
  return out;
}

void ScriptText::buildFilter(size_t piece) {
  Piece& p = m_pieces[piece];
  p.filter.clear();
  // Runs that start near the end reach into the next pieces: they belong to this one.
  const QString text = p.text + following(piece, kLongestRun - 1);
  const auto* chars = reinterpret_cast<const char16_t*>(text.utf16());
  for (qsizetype at = 0; at < p.text.size(); ++at)
    p.filter.addRunsAt(chars + at, int(std::min<qsizetype>(kLongestRun, text.size() - at)));
}

std::vector<ScriptText::Hit> ScriptText::findAll(QStringView what, size_t most) const {
  std::vector<Hit> hits;
  const qsizetype length = what.size();
  const QStringMatcher matcher(what);
  std::vector<quint32> runs;
  if (m_filtered) runs = runsOf(what, m_pieces.front().filter);
  const auto mayHold = [&](const Piece& piece) {
    return std::all_of(runs.begin(), runs.end(), [&](quint32 s) { return piece.filter.has(s); });
  };
  qsizetype consumed = 0;  // the start of this piece already belongs to an occurrence
  for (size_t i = 0; i < m_pieces.size(); ++i) {
    const QString& text = m_pieces[i].text;
    const qsizetype size = text.size();
    if (consumed >= size) {
      consumed -= size;
      continue;
    }
    qsizetype from = consumed;
    consumed = 0;
    if (!m_filtered || mayHold(m_pieces[i])) {
      for (qsizetype at; (at = matcher.indexIn(text, from)) >= 0; from = at + length) {
        hits.push_back({i, at});
        if (hits.size() > most) return hits;
      }
    }
    // An occurrence that runs on into the next pieces starts with a run that starts here.
    if (length < 2 || i + 1 == m_pieces.size()) continue;
    if (m_filtered && !m_pieces[i].filter.has(runs.front())) continue;
    const qsizetype first = std::max(from, size - length + 1);
    if (first >= size) continue;
    QString window = text.mid(first);
    window += following(i, length - 1);
    const qsizetype at = matcher.indexIn(window, 0);
    if (at < 0 || at >= size - first) continue;
    hits.push_back({i, first + at});
    if (hits.size() > most) return hits;
    consumed = first + at + length - size;
  }
  return hits;
}

std::vector<ScriptText::Site> ScriptText::rebuild(const std::vector<Hit>& hits, qsizetype whatSize,
                                                  QStringView with) {
  std::vector<Site> sites;
  size_t next = 0;
  qsizetype consumed = 0;
  for (size_t i = 0; i < m_pieces.size(); ++i) {
    const bool touched = consumed > 0 || (next < hits.size() && hits[next].piece == i);
    if (!touched) continue;
    const QStringView text = m_pieces[i].text;
    QString out;
    qsizetype done = std::min(consumed, text.size());
    consumed -= done;
    for (; next < hits.size() && hits[next].piece == i; ++next) {
      out += text.mid(done, hits[next].at - done);
      sites.push_back({i, out.size(), with.size()});
      out += with;
      done = hits[next].at + whatSize;
      if (done > text.size()) {
        consumed = done - text.size();
        done = text.size();
      }
    }
    out += text.mid(done);
    m_pieces[i].text = std::move(out);
  }
  return sites;
}

// Turns the sites into positions in the whole text, drops emptied pieces and splits grown ones
// (building the filters of the parts afresh).
void ScriptText::reshape(std::vector<Site>& sites) {
  std::vector<qsizetype> starts;
  qsizetype total = 0;
  for (const Piece& piece : m_pieces) {
    starts.push_back(total);
    total += piece.text.size();
  }
  for (Site& site : sites) site.at += starts[site.piece];

  std::vector<Piece> pieces;
  std::vector<size_t> fresh;
  for (Piece& piece : m_pieces) {
    const qsizetype size = piece.text.size();
    if (size <= 2 * m_pieceSize) {
      if (size > 0) pieces.push_back(std::move(piece));
      continue;
    }
    for (qsizetype at = 0; at < size; at += m_pieceSize) {
      fresh.push_back(pieces.size());
      pieces.push_back({piece.text.mid(at, m_pieceSize), RunFilter(m_filterBitsLog2)});
    }
  }
  m_pieces = std::move(pieces);
  if (m_filtered)
    for (size_t i : fresh) buildFilter(i);
}

// The runs that start within three characters before a replacement or inside it are the only
// new ones; they go into the filter of the piece they start in. Runs the old text lost stay in
// the filters, which only costs a needless look now and then, until a piece's filter is rebuilt.
// Runs wholly inside the replacement are the same at every site, so a piece takes them once; at
// a site only the runs that cross one of its ends are new.
void ScriptText::addSites(const std::vector<Site>& sites, QStringView with) {
  std::vector<qsizetype> starts;
  qsizetype total = 0;
  for (const Piece& piece : m_pieces) {
    starts.push_back(total);
    total += piece.text.size();
  }
  std::vector<size_t> touched;
  const auto touch = [&](size_t piece) {
    if (!touched.empty() && touched.back() == piece) return;
    touched.push_back(piece);
    const auto* inside = reinterpret_cast<const char16_t*>(with.utf16());
    for (qsizetype at = 0; at < with.size(); ++at)
      m_pieces[piece].filter.addRunsAt(inside + at,
                                       int(std::min<qsizetype>(kLongestRun, with.size() - at)));
  };
  size_t i = 0;  // sites come in text order, so the piece only moves forward
  for (const Site& site : sites) {
    const qsizetype from = std::max<qsizetype>(0, site.at - (kLongestRun - 1));
    const qsizetype to = std::min(total, site.at + site.length);
    if (from >= to) continue;
    while (from >= starts[i] + m_pieces[i].text.size()) ++i;
    touch(i);
    Piece& piece = m_pieces[i];
    const qsizetype count = to - from + kLongestRun - 1;
    if (from + count <= starts[i] + piece.text.size()) {
      // The usual case: every run lies inside this piece.
      const auto* chars = reinterpret_cast<const char16_t*>(piece.text.utf16()) - starts[i];
      for (qsizetype at = from; at < to; ++at) {
        const qsizetype end = at < site.at ? site.at : site.at + site.length;
        piece.filter.addRunsAt(chars + at, kLongestRun, int(end - at) + 1);
      }
      continue;
    }
    QString text = QStringView(piece.text).mid(from - starts[i], count).toString();
    if (text.size() < count) text += following(i, count - text.size());
    const auto* chars = reinterpret_cast<const char16_t*>(text.utf16());
    size_t j = i;
    for (qsizetype at = from; at < to; ++at) {
      while (at >= starts[j] + m_pieces[j].text.size()) ++j;
      touch(j);
      const qsizetype offset = at - from;
      m_pieces[j].filter.addRunsAt(chars + offset,
                                   int(std::min<qsizetype>(kLongestRun, text.size() - offset)));
    }
  }
  for (size_t piece : touched)
    if (m_pieces[piece].filter.added() > 16 * m_pieces[piece].text.size() + 64) buildFilter(piece);
}

qsizetype ScriptText::replaceAll(QStringView what, QStringView with, qsizetype sizeLimit) {
  if (what.isEmpty() || m_pieces.empty()) return 0;
  if (!m_filtered && --m_replacesLeft < 0 && size() <= kMostFilteredChars) {
    m_filtered = true;
    for (size_t i = 0; i < m_pieces.size(); ++i) buildFilter(i);
  }
  const std::vector<Hit> hits = findAll(what, kMostHitsKept);
  if (hits.size() > kMostHitsKept) return replaceWhole(what, with, sizeLimit);
  if (hits.empty()) return 0;
  if (with.size() > what.size() &&
      size() + qsizetype(hits.size()) * (with.size() - what.size()) > sizeLimit)
    return kPastLimit;
  m_whole.reset();
  std::vector<Site> sites = rebuild(hits, what.size(), with);
  reshape(sites);
  if (m_filtered) addSites(sites, with);
  return qsizetype(hits.size());
}

// Many occurrences: counted first, without keeping them, then replaced in one copy of the text.
qsizetype ScriptText::replaceWhole(QStringView what, QStringView with, qsizetype sizeLimit) {
  QString whole = toString();
  m_whole.reset();
  const qsizetype count = CountOccurrences(whole, what);
  if (with.size() > what.size() && whole.size() + count * (with.size() - what.size()) > sizeLimit)
    return kPastLimit;
  m_pieces.clear();
  cutReplaced(whole, what, with);
  whole = QString();
  if (m_filtered && size() > kMostFilteredChars) {
    m_filtered = false;
    m_replacesLeft = 0;
  }
  if (m_filtered)
    for (size_t i = 0; i < m_pieces.size(); ++i) buildFilter(i);
  return count;
}

}  // namespace automation
