// Deleting the recorded spans one after the other, for text whose spans meet: each deletion is
// replayed on the text, and only what it touches is looked at again.
#include <QString>
#include <algorithm>
#include <map>
#include <set>

#include "text/span_scan.h"

namespace text::spans {
namespace {

// Deletes the recorded spans one after the other on the whole text, which keeps a map of its
// deleted runs. Each prefix of the live text is a site that knows its span (whose end is the
// first suffix after it, so sites further left end no later). A deletion disturbs only the
// sites whose span ran into it and the prefixes it cut or made just before it; and a span that
// holds more characters than the longest recorded span before the deletion does so after it.
class Replay {
 public:
  explicit Replay(const Scan& scan);
  std::vector<Interval> run();

 private:
  struct Site {
    qsizetype end;        // of its span, or kFar when it is longer than every recorded span
    qsizetype prefixEnd;  // just after the last character of its prefix
    int id;               // the recorded span its span is, or -1
  };
  using Sites = std::map<qsizetype, Site>;
  struct ByPosition {
    bool operator()(Sites::iterator a, Sites::iterator b) const { return a->first < b->first; }
  };
  struct Suffix {
    qsizetype start, end;
    qsizetype before;  // live characters between the search start and the suffix
  };

  qsizetype nextLive(qsizetype at) const;
  qsizetype previousLive(qsizetype at) const;
  qsizetype pieceEnd(qsizetype at) const;
  qsizetype liveBetween(qsizetype from, qsizetype to, qsizetype cap) const;
  qsizetype matchLive(qsizetype at, QStringView pattern) const;
  std::optional<Suffix> firstSuffix(qsizetype from) const;
  QString liveText(qsizetype from, qsizetype to) const;
  void setId(Sites::iterator site, int id);
  void erase(Sites::iterator site);
  void measure(Sites::iterator site);
  qsizetype remove(Sites::iterator site);
  void repairPrefixes(qsizetype runStart);
  void repair(qsizetype runStart);
  void apply(int id);

  const Scan& m_scan;
  const qsizetype m_size;
  std::map<qsizetype, qsizetype> m_deleted;  // runs of deleted text, start to end, never touching
  Sites m_sites;
  // For each recorded span, the sites whose span it is.
  std::vector<std::set<Sites::iterator, ByPosition>> m_sitesOf;
};

Replay::Replay(const Scan& scan)
    : m_scan(scan), m_size(scan.text.size()), m_sitesOf(scan.numbers.size()) {
  for (std::size_t i = 0; i < scan.prefixes.size(); ++i) {
    const qsizetype at = scan.prefixes[i];
    const qsizetype end = scan.ends[i];
    const bool known = end != kNone && end - at <= scan.longest;
    const int id = scan.ids[i];
    const auto site = m_sites.emplace_hint(m_sites.end(), at,
                                           Site{known ? end : kFar, at + scan.prefix.size(), id});
    if (id >= 0) m_sitesOf[id].insert(m_sitesOf[id].end(), site);
  }
}

std::vector<Interval> Replay::run() {
  for (const int id : m_scan.stages) apply(id);
  std::vector<Interval> gone;
  gone.reserve(m_deleted.size());
  for (const auto& [start, end] : m_deleted) gone.push_back({start, end});
  return gone;
}

qsizetype Replay::nextLive(qsizetype at) const {
  auto it = m_deleted.upper_bound(at);
  if (it == m_deleted.begin()) return at;
  --it;
  return at < it->second ? it->second : at;
}

// kNone when nothing live is left of `at`.
qsizetype Replay::previousLive(qsizetype at) const {
  const qsizetype before = at - 1;
  auto it = m_deleted.upper_bound(before);
  if (it == m_deleted.begin()) return before;
  --it;
  return before < it->second ? it->first - 1 : before;
}

// The end of the live piece holding `at`.
qsizetype Replay::pieceEnd(qsizetype at) const {
  const auto it = m_deleted.upper_bound(at);
  return it == m_deleted.end() ? m_size : it->first;
}

// The live characters in [from, to), counted from `to` leftwards, but no further than past `cap`.
qsizetype Replay::liveBetween(qsizetype from, qsizetype to, qsizetype cap) const {
  qsizetype count = 0;
  for (auto it = m_deleted.lower_bound(to); count <= cap;) {
    if (it == m_deleted.begin() || std::prev(it)->first < from) return count + to - from;
    --it;
    count += to - it->second;
    to = it->first;
  }
  return count;
}

// Just after the last character of `pattern` read in the live text from `at`, or kNone.
qsizetype Replay::matchLive(qsizetype at, QStringView pattern) const {
  qsizetype end = kNone;
  for (const QChar c : pattern) {
    if (at >= m_size || m_scan.text[at] != c) return kNone;
    end = at + 1;
    at = nextLive(end);
  }
  return end;
}

// The first suffix of the live text starting at or after the live position `from`; nullopt when
// there is none, or not within the length of the longest recorded span.
std::optional<Replay::Suffix> Replay::firstSuffix(qsizetype from) const {
  const qsizetype length = m_scan.suffix.size();
  qsizetype before = 0;
  for (qsizetype at = from; at < m_size && before <= m_scan.longest; at = nextLive(at)) {
    const qsizetype end = pieceEnd(at);
    const qsizetype whole = m_scan.firstSuffix(at);
    if (whole != kNone && whole + length <= end)
      return Suffix{whole, whole + length, before + whole - at};
    for (qsizetype start = std::max(at, end - length + 1); start < end; ++start)
      if (const qsizetype joined = matchLive(start, m_scan.suffix); joined != kNone)
        return Suffix{start, joined, before + start - at};
    before += end - at;
    at = end;
  }
  return std::nullopt;
}

QString Replay::liveText(qsizetype from, qsizetype to) const {
  QString text;
  for (qsizetype at = from; at < to; at = nextLive(at)) {
    const qsizetype end = std::min(pieceEnd(at), to);
    text += m_scan.text.sliced(at, end - at);
    at = end;
  }
  return text;
}

void Replay::setId(Sites::iterator site, int id) {
  int& current = site->second.id;
  if (current == id) return;
  if (current >= 0) m_sitesOf[current].erase(site);
  if (id >= 0) m_sitesOf[id].insert(site);
  current = id;
}

void Replay::erase(Sites::iterator site) {
  setId(site, -1);
  m_sites.erase(site);
}

// Finds the span of a site again in the live text.
void Replay::measure(Sites::iterator site) {
  const qsizetype at = site->first;
  std::optional<Suffix> suffix = firstSuffix(at);
  qsizetype length = 0;
  if (suffix && suffix->start == at) {
    suffix = firstSuffix(nextLive(site->second.prefixEnd));
    length = m_scan.prefix.size();
  }
  if (suffix) length += suffix->before + m_scan.suffix.size();
  const bool known = suffix && length <= m_scan.longest;
  site->second.end = known ? suffix->end : kFar;
  setId(site, known && m_scan.recordsLength(length) ? m_scan.idOf(liveText(at, suffix->end)) : -1);
}

// Deletes the span of a site from the live text: the sites in it go, its run joins the runs it
// touches. Gives the start of that run.
qsizetype Replay::remove(Sites::iterator site) {
  const Interval span{site->first, site->second.end};
  while (site != m_sites.end() && site->first < span.end) erase(site++);
  Interval run = span;
  auto it = m_deleted.upper_bound(span.start);
  if (it != m_deleted.begin() && std::prev(it)->second >= span.start) {
    --it;
    run = {it->first, std::max(span.end, it->second)};
    it = m_deleted.erase(it);
  }
  for (; it != m_deleted.end() && it->first <= run.end; it = m_deleted.erase(it))
    run.end = std::max(run.end, it->second);
  m_deleted.emplace_hint(it, run.start, run.end);
  return run.start;
}

// A prefix among the last characters before a run may have lost its end to it, or be made of
// characters on both sides; such sites are marked to be measured again.
void Replay::repairPrefixes(qsizetype runStart) {
  qsizetype at = runStart;
  for (qsizetype k = 1; k < m_scan.prefix.size(); ++k) {
    at = previousLive(at);
    if (at == kNone) return;
    const qsizetype prefixEnd = matchLive(at, m_scan.prefix);
    auto site = m_sites.find(at);
    if (prefixEnd == kNone) {
      if (site != m_sites.end()) erase(site);
      continue;
    }
    if (site == m_sites.end()) site = m_sites.emplace(at, Site{kFar, prefixEnd, -1}).first;
    site->second = {kFar, prefixEnd, site->second.id};
  }
}

// Measures again every site whose span ran into the run. Walking left, a site whose span ends
// before the run bounds the spans of the sites before it, except those whose prefix overlaps its
// own (a suffix at the prefix's position makes the span look for its end after the prefix).
void Replay::repair(qsizetype runStart) {
  repairPrefixes(runStart);
  qsizetype bound = kNone;
  qsizetype reached = runStart;
  qsizetype distance = 0;  // live characters from the site reached to the run
  for (auto it = m_sites.lower_bound(runStart); it != m_sites.begin();) {
    --it;
    if (bound != kNone && it->second.prefixEnd <= bound) break;
    if (it->second.end <= runStart) {
      if (bound == kNone) bound = it->first;
      continue;
    }
    distance += liveBetween(it->first, reached, m_scan.longest - distance);
    reached = it->first;
    // This span and every one further left that reaches the run stay too long to be recorded.
    if (distance > m_scan.longest) break;
    measure(it);
  }
}

// Deletes every occurrence of one recorded span, left to right without overlap, as deleting
// every occurrence of a string does.
void Replay::apply(int id) {
  std::vector<Sites::iterator> occurrences;
  qsizetype reached = kNone;
  for (const Sites::iterator site : m_sitesOf[id]) {
    if (site->first < reached) continue;
    occurrences.push_back(site);
    reached = site->second.end;
  }
  // Deleting the spans one by one from the left merges each run only with the one before.
  std::vector<qsizetype> runs;
  for (const Sites::iterator site : occurrences) {
    const qsizetype run = remove(site);
    if (runs.empty() || runs.back() != run) runs.push_back(run);
  }
  for (const qsizetype run : runs) repair(run);
}

}  // namespace

std::vector<Interval> ReplayDeletions(const Scan& scan) { return Replay(scan).run(); }

}  // namespace text::spans
