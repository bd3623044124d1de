// Colouring one line by a definition's rules. Works on the UTF-8 bytes Scintilla holds, so no
// text is converted on the way; a character's bytes always get one style.
#include "highlight/ohf_rules.h"

#include <QChar>
#include <QList>
#include <QString>
#include <algorithm>
#include <cstring>

namespace highlight {
namespace {

constexpr bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool isHexDigit(unsigned char c) {
  return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
constexpr bool isAsciiWord(unsigned char c) {
  return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
constexpr unsigned char asciiLower(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

const auto* bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// One UTF-8 character; a byte that starts no valid sequence counts as a character of its own,
// as Scintilla shows it.
int decode(const unsigned char* s, std::size_t available, char32_t* cp) {
  const unsigned char c = s[0];
  int length = 0;
  char32_t value = 0;
  if (c < 0x80) {
    *cp = c;
    return 1;
  }
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2, value = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3, value = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4, value = c & 0x07;
  }
  *cp = 0xFFFD;
  if (length == 0 || std::size_t(length) > available) return 1;
  for (int k = 1; k < length; ++k) {
    if ((s[k] & 0xC0) != 0x80) return 1;
    value = (value << 6) | (s[k] & 0x3F);
  }
  *cp = value;
  return length;
}

// Whether the character ending just before `at` is a word character.
bool wordBefore(const unsigned char* line, std::size_t at) {
  if (at == 0) return false;
  std::size_t start = at - 1;
  while (start > 0 && at - start < 4 && (line[start] & 0xC0) == 0x80) --start;
  int length = 0;
  return OhfRules::isWordAt(line + start, at - start, &length) && start + length == at;
}

// The entries of a list: words separated by spaces or line ends.
std::vector<std::string> entriesOf(const QString& list) {
  std::vector<std::string> out;
  const qsizetype n = list.size();
  for (qsizetype i = 0; i < n;) {
    while (i < n && list[i].isSpace()) ++i;
    qsizetype j = i;
    while (j < n && !list[j].isSpace()) ++j;
    if (j > i) out.push_back(list.sliced(i, j - i).toStdString());
    i = j;
  }
  return out;
}

bool isAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

ColourItem OhfStyleItem(int style) {
  switch (static_cast<OhfStyle>(style)) {
    case OhfStyle::Keyword:
      return ColourItem::Group1;
    case OhfStyle::Operator:
      return ColourItem::Group2;
    case OhfStyle::Scope:
      return ColourItem::Delimiter;
    case OhfStyle::Number:
      return ColourItem::Group3;
    case OhfStyle::Comment:
      return ColourItem::Comment;
    case OhfStyle::String:
      return ColourItem::String;
    case OhfStyle::Default:
      break;
  }
  return ColourItem::Text;
}

OhfRules::OhfRules(const OhfDefinition& def) : m_caseSensitive(def.caseSensitive) {
  // Scope words go in first, so a word that is also a keyword shows as a scope word. A scope
  // word may be two words ("end if"); it is then matched as one piece.
  for (const QString& scope : {def.scopeOpen, def.scopeClose})
    if (!scope.trimmed().isEmpty()) addEntry(scope.trimmed().toStdString(), OhfStyle::Scope);
  for (const std::string& entry : entriesOf(def.keywords)) addEntry(entry, OhfStyle::Keyword);
  for (const std::string& entry : entriesOf(def.operators)) addEntry(entry, OhfStyle::Operator);
  for (auto& list : m_symbols)
    std::stable_sort(list.begin(), list.end(),
                     [](const Token& a, const Token& b) { return a.text.size() > b.text.size(); });

  if (!def.lineComment.isEmpty())
    m_comments.push_back({makeToken(def.lineComment.toStdString(), OhfStyle::Comment), {}});
  if (!def.blockCommentOpen.isEmpty()) {
    m_blockClose = makeToken(def.blockCommentClose.toStdString(), OhfStyle::Comment).text;
    m_comments.push_back(
        {makeToken(def.blockCommentOpen.toStdString(), OhfStyle::Comment), m_blockClose});
  }
  // "--[[" has to be tried before "--".
  std::stable_sort(m_comments.begin(), m_comments.end(), [](const Comment& a, const Comment& b) {
    return a.open.text.size() > b.open.text.size();
  });

  // A quote that is a letter, digit or space would turn ordinary text into strings.
  for (const char32_t c : def.stringChars.toUcs4()) {
    if (c < 0x20 || c == 0x7F || c == '_' || QChar::isSpace(c) || QChar::isLetterOrNumber(c))
      continue;
    if (std::find(m_stringChars.begin(), m_stringChars.end(), c) == m_stringChars.end())
      m_stringChars.push_back(c);
  }
}

bool OhfRules::isWordAt(const unsigned char* text, std::size_t available, int* length) {
  if (text[0] < 0x80) {
    *length = 1;
    return isAsciiWord(text[0]);
  }
  // Cyrillic letters (U+0400..U+047F) are most of a Russian text: no table needed for them.
  if ((text[0] == 0xD0 || text[0] == 0xD1) && available >= 2 && (text[1] & 0xC0) == 0x80) {
    *length = 2;
    return true;
  }
  char32_t cp = 0;
  *length = decode(text, available, &cp);
  return QChar::isLetterOrNumber(cp) || QChar::isMark(cp);
}

std::string OhfRules::fold(std::string_view text) const {
  if (m_caseSensitive) return std::string(text);
  if (!isAscii(text))
    return QString::fromUtf8(text.data(), qsizetype(text.size())).toLower().toStdString();
  std::string out(text);
  for (char& c : out) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
  return out;
}

OhfRules::Token OhfRules::makeToken(const std::string& text, OhfStyle style) const {
  Token token{text, style};
  if (!m_caseSensitive)  // compared byte by byte, so only ASCII letters fold
    for (char& c : token.text) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
  const auto* s = bytes(text);
  for (std::size_t i = 0; i < text.size();) {
    int length = 0;
    const bool word = isWordAt(s + i, text.size() - i, &length);
    token.wordLeft = token.wordLeft || word;
    token.wordRight = word;
    i += length;
  }
  return token;
}

void OhfRules::addEntry(const std::string& entry, OhfStyle style) {
  const auto* s = bytes(entry);
  bool allWord = true;
  for (std::size_t i = 0; i < entry.size() && allWord;) {
    int length = 0;
    allWord = isWordAt(s + i, entry.size() - i, &length);
    i += length;
  }
  if (!allWord) {
    Token token = makeToken(entry, style);
    auto& list = m_symbols[static_cast<unsigned char>(token.text[0])];
    const bool known =
        std::any_of(list.begin(), list.end(), [&](const Token& t) { return t.text == token.text; });
    if (!known) list.push_back(std::move(token));
    return;
  }
  std::string key = fold(entry);
  m_longestWord = std::max(m_longestWord, key.size());
  m_nonAsciiWords = m_nonAsciiWords || !isAscii(key);
  m_wordFirstByte[static_cast<unsigned char>(key[0])] = true;
  m_words.emplace(std::move(key), style);  // the first entry of a word keeps its style
}

bool OhfRules::matchesAt(const unsigned char* line, std::size_t length, std::size_t at,
                         const Token& token) const {
  const std::size_t size = token.text.size();
  if (size == 0 || size > length - at) return false;
  const auto* t = bytes(token.text);
  // Most positions fail on the first byte; no call for them.
  if ((m_caseSensitive ? line[at] : asciiLower(line[at])) != t[0]) return false;
  if (m_caseSensitive) {
    if (std::memcmp(line + at, t, size) != 0) return false;
  } else {
    for (std::size_t k = 0; k < size; ++k)
      if (asciiLower(line[at + k]) != t[k]) return false;
  }
  int next = 0;
  if (token.wordLeft && wordBefore(line, at)) return false;
  if (token.wordRight && at + size < length &&
      isWordAt(line + at + size, length - at - size, &next))
    return false;
  return true;
}

std::size_t OhfRules::findClose(const unsigned char* line, std::size_t length, std::size_t from,
                                const std::string& close) const {
  const Token token{close};
  for (std::size_t at = from; at + close.size() <= length; ++at)
    if (matchesAt(line, length, at, token)) return at + close.size();
  return std::string::npos;
}

std::size_t OhfRules::scanString(const unsigned char* line, std::size_t length, std::size_t at,
                                 char32_t quote, int quoteLength) const {
  char32_t cp = 0;
  for (std::size_t i = at + quoteLength; i < length;) {
    if (line[i] == '\\') {
      ++i;
      if (i < length) i += decode(line + i, length - i, &cp);
      continue;
    }
    i += decode(line + i, length - i, &cp);
    if (cp == quote) return i;
  }
  return length;  // an unclosed string ends with its line
}

// The end of a number starting at `at`: 0x1F, 42, 3.14, 1e-9; `at` when there is none.
std::size_t OhfRules::scanNumber(const unsigned char* line, std::size_t length,
                                 std::size_t at) const {
  std::size_t i = at;
  if (line[i] == '0' && i + 2 < length && (line[i + 1] | 0x20) == 'x' && isHexDigit(line[i + 2])) {
    for (i += 2; i < length && isHexDigit(line[i]);) ++i;
    return i;
  }
  while (i < length && isDigit(line[i])) ++i;
  if (i == at) return at;
  if (i + 1 < length && line[i] == '.' && isDigit(line[i + 1]))
    for (++i; i < length && isDigit(line[i]);) ++i;
  if (i < length && (line[i] | 0x20) == 'e') {
    std::size_t j = i + 1;
    if (j < length && (line[j] == '+' || line[j] == '-')) ++j;
    if (j < length && isDigit(line[j]))
      for (i = j; i < length && isDigit(line[i]);) ++i;
  }
  return i;
}

OhfStyle OhfRules::wordStyle(const unsigned char* text, std::size_t length) const {
  if (m_words.empty()) return OhfStyle::Default;
  const std::string_view word(reinterpret_cast<const char*>(text), length);
  decltype(m_words)::const_iterator found;
  if (isAscii(word)) {
    if (length > m_longestWord || !m_wordFirstByte[m_caseSensitive ? text[0] : asciiLower(text[0])])
      return OhfStyle::Default;
    if (m_caseSensitive) {
      found = m_words.find(word);
    } else {
      char buffer[64];
      std::string heap;
      char* folded = length <= sizeof buffer ? buffer : (heap.resize(length), heap.data());
      for (std::size_t k = 0; k < length; ++k) folded[k] = static_cast<char>(asciiLower(text[k]));
      found = m_words.find(std::string_view(folded, length));
    }
  } else {
    if (!m_nonAsciiWords) return OhfStyle::Default;
    found = m_words.find(fold(word));
  }
  return found == m_words.end() ? OhfStyle::Default : found->second;
}

bool OhfRules::isStringChar(char32_t c) const {
  return std::find(m_stringChars.begin(), m_stringChars.end(), c) != m_stringChars.end();
}

OhfStyle OhfRules::lineEndStyle(State state) {
  return state == State::BlockComment ? OhfStyle::Comment : OhfStyle::Default;
}

// Styles the token at `at` and returns its end. A comment that runs past the line's end puts
// `state` into the block comment.
std::size_t OhfRules::styleToken(const unsigned char* line, std::size_t length, std::size_t at,
                                 char* styles, State* state) const {
  const auto fill = [styles, at](std::size_t to, OhfStyle style) {
    std::memset(styles + at, static_cast<int>(style), to - at);
    return to;
  };
  for (const Comment& comment : m_comments) {
    if (!matchesAt(line, length, at, comment.open)) continue;
    // An opener without a closer comments out the rest of its line only, not the whole text.
    const std::size_t end =
        comment.close.empty()
            ? std::string::npos
            : findClose(line, length, at + comment.open.text.size(), comment.close);
    if (end != std::string::npos) return fill(end, OhfStyle::Comment);
    if (!comment.close.empty()) *state = State::BlockComment;
    return fill(length, OhfStyle::Comment);
  }
  char32_t cp = 0;
  const int charLength = decode(line + at, length - at, &cp);
  const bool quote = isStringChar(cp);
  // A longer symbol wins over a quote: "```" is a token of its own, not an empty string.
  for (const Token& token : m_symbols[m_caseSensitive ? line[at] : asciiLower(line[at])])
    if ((!quote || token.text.size() > std::size_t(charLength)) &&
        matchesAt(line, length, at, token))
      return fill(at + token.text.size(), token.style);
  if (quote) return fill(scanString(line, length, at, cp, charLength), OhfStyle::String);

  int next = 0;
  if (!isWordAt(line + at, length - at, &next)) return fill(at + charLength, OhfStyle::Default);
  std::size_t end = at;
  while (end < length && isWordAt(line + end, length - end, &next)) end += next;
  if (isDigit(line[at]) && !wordBefore(line, at)) {
    const std::size_t number = scanNumber(line, length, at);
    if (number == length || !isWordAt(line + number, length - number, &next))
      return fill(number, OhfStyle::Number);
  }
  return fill(end, wordStyle(line + at, end - at));
}

OhfRules::State OhfRules::styleLine(const char* text, std::size_t length, State state,
                                    char* styles) const {
  const auto* line = reinterpret_cast<const unsigned char*>(text);
  std::size_t i = 0;
  if (state == State::BlockComment && !m_blockClose.empty()) {
    i = findClose(line, length, 0, m_blockClose);
    if (i == std::string::npos) {
      std::memset(styles, static_cast<int>(OhfStyle::Comment), length);
      return State::BlockComment;
    }
    std::memset(styles, static_cast<int>(OhfStyle::Comment), i);
  }
  State out = State::Normal;
  while (i < length) i = styleToken(line, length, i, styles, &out);
  return out;
}

}  // namespace highlight
