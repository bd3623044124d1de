// Applying a replacement list to a 10 MB document must take a fraction of a second for a hundred
// pairs, so no pair may cost more than a scan of the text and, when it finds something, one
// copy: the occurrences are found first, then the new text is put together in one go.
//
// Ignoring letter case, each scan looks for the case-folded search text in a case-folded shadow
// of the text, kept with the same byte offsets as the text, so an occurrence found in the shadow
// is one in the text. Nearly every character folds to one of the same UTF-8 length (all of
// Latin, Cyrillic, Greek...). The few that do not (the Kelvin sign folds to "k", the long s to
// "s") stay unfolded in the shadow, and a search text holding what they fold to is searched
// character by character with platform::CaseBlindFinder instead: slower, the same result. The
// shadow is made once per run and then put together alongside the text. Bytes that are no UTF-8
// (never in the editor's text) make the whole run search character by character.
#include "navigation/multi_replace.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/case_blind_find.h"

namespace navigation {
namespace {

using u8 = unsigned char;

// Case folding is platform::CaseBlindFinder's, so both find the same matches.
char32_t fold(char32_t c) { return platform::CaseFold(c); }

int utf8Length(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

void encode(char32_t c, char* out) {
  if (c < 0x80) {
    out[0] = char(c);
  } else if (c < 0x800) {
    out[0] = char(0xC0 | (c >> 6));
    out[1] = char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out[0] = char(0xE0 | (c >> 12));
    out[1] = char(0x80 | ((c >> 6) & 0x3F));
    out[2] = char(0x80 | (c & 0x3F));
  } else {
    out[0] = char(0xF0 | (c >> 18));
    out[1] = char(0x80 | ((c >> 12) & 0x3F));
    out[2] = char(0x80 | ((c >> 6) & 0x3F));
    out[3] = char(0x80 | (c & 0x3F));
  }
}

// The character at s[0..n) and its length; 0 for bytes that are no UTF-8 (an overlong form, a
// surrogate, a cut-off sequence).
char32_t decode(const u8* s, std::size_t n, int& len) {
  const u8 c = s[0];
  int need;
  char32_t cp;
  char32_t min;
  if (c >= 0xC2 && c <= 0xDF) {
    need = 1, cp = c & 0x1F, min = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    need = 2, cp = c & 0x0F, min = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    need = 3, cp = c & 0x07, min = 0x10000;
  } else {
    len = 0;
    return 0;
  }
  if (n <= std::size_t(need)) {
    len = 0;
    return 0;
  }
  for (int k = 1; k <= need; ++k) {
    if ((s[k] & 0xC0) != 0x80) {
      len = 0;
      return 0;
    }
    cp = cp << 6 | (s[k] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    len = 0;
    return 0;
  }
  len = need + 1;
  return cp;
}

// Appends the case-folded form of `text` to `out`, byte for byte in the same places. A character
// that folds to another length stays as it is, and what it folds to is added to `odd`. False
// (with `out` part-written) when the bytes are no UTF-8.
bool appendShadow(std::string_view text, std::string& out, std::vector<char32_t>& odd) {
  const std::size_t base = out.size();
  out.resize(base + text.size());
  char* f = out.data() + base;
  const auto* s = reinterpret_cast<const u8*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const u8 c = s[i];
    if (c < 0x80) {
      f[i] = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
      ++i;
      continue;
    }
    int len;
    const char32_t cp = decode(s + i, n - i, len);
    if (len == 0) return false;
    const char32_t folded = fold(cp);
    if (folded != cp && utf8Length(folded) == len) {
      encode(folded, f + i);
    } else {
      std::memcpy(f + i, s + i, std::size_t(len));
      if (folded != cp && std::find(odd.begin(), odd.end(), folded) == odd.end())
        odd.push_back(folded);
    }
    i += std::size_t(len);
  }
  return true;
}

// The case-folded search text as UTF-8; false when it holds a character that one of `odd`'s
// characters would have to match.
bool foldedUtf8(const QString& text, const std::vector<char32_t>& odd, std::string& out) {
  out.clear();
  for (const char32_t c : text.toUcs4()) {
    char bytes[4];
    const char32_t folded = fold(c);
    if (std::find(odd.begin(), odd.end(), folded) != odd.end()) return false;
    encode(folded, bytes);
    out.append(bytes, std::size_t(utf8Length(folded)));
  }
  return true;
}

std::string_view view(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

// The first occurrence of `what` (not empty) in text[from..], or npos.
std::size_t findExact(std::string_view text, std::size_t from, std::string_view what) {
  if (from > text.size() || text.size() - from < what.size()) return std::string_view::npos;
  const void* hit = ::memmem(text.data() + from, text.size() - from, what.data(), what.size());
  return hit ? std::size_t(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
}

struct Match {
  std::size_t start, end;
};

// The text being worked on, its shadow while one is kept, and the spare buffers the next
// version is put together in.
class WorkingText {
 public:
  WorkingText(QByteArrayView utf8, bool matchCase)
      : m_text(utf8.data(), std::size_t(utf8.size())), m_matchCase(matchCase) {}

  qsizetype apply(const ReplacementPair& pair) {
    if (pair.what.isEmpty()) return 0;
    if (!m_matchCase && !m_shadowTried) makeShadow();
    findAll(pair.what);
    if (m_matches.empty()) return 0;
    const QByteArray with = pair.with.toUtf8();
    rebuild(m_text, m_next, view(with));
    m_text.swap(m_next);
    if (m_shadowOk) {
      m_foldedWith.clear();
      if (appendShadow(view(with), m_foldedWith, m_odd)) {
        rebuild(m_shadow, m_next, m_foldedWith);
        m_shadow.swap(m_next);
      } else {
        dropShadow();
      }
    }
    return qsizetype(m_matches.size());
  }

  QByteArray result() const { return QByteArray(m_text.data(), qsizetype(m_text.size())); }

 private:
  void makeShadow() {
    m_shadowTried = true;
    m_shadow.clear();
    m_shadowOk = appendShadow(m_text, m_shadow, m_odd);
    if (!m_shadowOk) dropShadow();
  }

  void dropShadow() {
    m_shadowOk = false;
    std::string().swap(m_shadow);
  }

  void findAll(const QString& what) {
    m_matches.clear();
    std::string_view needle, haystack;
    QByteArray exact;
    if (m_matchCase) {
      exact = what.toUtf8();
      needle = view(exact);
      haystack = m_text;
    } else if (m_shadowOk && foldedUtf8(what, m_odd, m_foldedWhat)) {
      needle = m_foldedWhat;
      haystack = m_shadow;
    }
    if (!needle.empty()) {
      for (std::size_t at = findExact(haystack, 0, needle); at != std::string_view::npos;
           at = findExact(haystack, at + needle.size(), needle)) {
        m_matches.push_back({at, at + needle.size()});
      }
      return;
    }
    const platform::CaseBlindFinder finder(what);
    const QByteArrayView text(m_text.data(), qsizetype(m_text.size()));
    for (qsizetype at = 0;;) {
      const auto found = finder.first(text, at, text.size());
      if (!found) break;
      m_matches.push_back({std::size_t(found->start), std::size_t(found->end)});
      at = found->end;
    }
  }

  // `to` becomes `from` with every match replaced by `with`, in one allocation at most.
  void rebuild(const std::string& from, std::string& to, std::string_view with) const {
    std::size_t removed = 0;
    for (const Match& m : m_matches) removed += m.end - m.start;
    to.clear();
    to.reserve(from.size() - removed + m_matches.size() * with.size());
    std::size_t at = 0;
    for (const Match& m : m_matches) {
      to.append(from, at, m.start - at);
      to.append(with);
      at = m.end;
    }
    to.append(from, at, std::string::npos);
  }

  std::string m_text;
  std::string m_shadow;  // case-folded, same byte offsets; only while m_shadowOk
  std::string m_next;
  std::string m_foldedWith;
  std::string m_foldedWhat;
  // What the characters of the text that fold to another length fold to: a search text holding
  // one of them is searched character by character.
  std::vector<char32_t> m_odd;
  std::vector<Match> m_matches;
  bool m_matchCase;
  bool m_shadowTried = false;
  bool m_shadowOk = false;
};

}  // namespace

QStringList ReplacementListLines(const QString& list) {
  QStringList lines = list.split(u'\n');
  for (QString& line : lines)
    if (line.endsWith(u'\r')) line.chop(1);
  return lines;
}

std::optional<ReplacementPair> ParseReplacementLine(const QString& line) {
  const qsizetype equals = line.lastIndexOf(u'=');
  if (equals < 0) return std::nullopt;
  return ReplacementPair{line.left(equals), line.mid(equals + 1)};
}

std::vector<ReplacementPair> ParseReplacementList(const QString& list) {
  std::vector<ReplacementPair> pairs;
  for (const QString& line : ReplacementListLines(list))
    if (auto pair = ParseReplacementLine(line)) pairs.push_back(std::move(*pair));
  return pairs;
}

QByteArray ApplyReplacements(QByteArrayView utf8, const std::vector<ReplacementPair>& pairs,
                             bool matchCase, qsizetype* replacements) {
  qsizetype count = 0;
  bool any = false;
  for (const ReplacementPair& pair : pairs) any = any || !pair.what.isEmpty();
  if (!any) {
    if (replacements) *replacements = 0;
    return utf8.toByteArray();
  }
  WorkingText text(utf8, matchCase);
  for (const ReplacementPair& pair : pairs) count += text.apply(pair);
  if (replacements) *replacements = count;
  return text.result();
}

QString ApplyReplacementList(const QString& text, const QString& list, bool matchCase) {
  return QString::fromUtf8(ApplyReplacements(text.toUtf8(), ParseReplacementList(list), matchCase));
}

}  // namespace navigation
