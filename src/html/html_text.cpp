#include "html/html_text.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace html {
namespace {

struct Entity {
  QStringView name;
  QChar character;
};

// Entities and the characters they stand for, sorted by name for a search without copies. The
// Latin-1 names give their own characters: the editor holds any character, so "caf&eacute;" is
// "café".
const std::vector<Entity>& entities() {
  static const std::vector<Entity> table = [] {
    std::vector<Entity> t{{u"amp", u'&'}, {u"quot", u'"'}, {u"lt", u'<'},
                          {u"gt", u'>'},  {u"nbsp", u' '}, {u"brvbar", u'|'}};
    const struct {
      QStringView name;
      char16_t code;
    } latin1[] = {
        {u"iexcl", 0xA1},  {u"cent", 0xA2},   {u"pound", 0xA3},  {u"curren", 0xA4}, {u"yen", 0xA5},
        {u"sect", 0xA7},   {u"uml", 0xA8},    {u"copy", 0xA9},   {u"ordf", 0xAA},   {u"laquo", 0xAB},
        {u"not", 0xAC},    {u"reg", 0xAE},    {u"macr", 0xAF},   {u"deg", 0xB0},    {u"plusmn", 0xB1},
        {u"sup2", 0xB2},   {u"sup3", 0xB3},   {u"acute", 0xB4},  {u"micro", 0xB5},  {u"para", 0xB6},
        {u"middot", 0xB7}, {u"cedil", 0xB8},  {u"sup1", 0xB9},   {u"ordm", 0xBA},   {u"raquo", 0xBB},
        {u"frac14", 0xBC}, {u"frac12", 0xBD}, {u"frac34", 0xBE}, {u"iquest", 0xBF}, {u"Agrave", 0xC0},
        {u"Aacute", 0xC1}, {u"Acirc", 0xC2},  {u"Atilde", 0xC3}, {u"Auml", 0xC4},   {u"Aring", 0xC5},
        {u"AElig", 0xC6},  {u"Ccedil", 0xC7}, {u"Egrave", 0xC8}, {u"Eacute", 0xC9}, {u"Ecirc", 0xCA},
        {u"Euml", 0xCB},   {u"Igrave", 0xCC}, {u"Iacute", 0xCD}, {u"Icirc", 0xCE},  {u"Iuml", 0xCF},
        {u"ETH", 0xD0},    {u"Ntilde", 0xD1}, {u"Ograve", 0xD2}, {u"Oacute", 0xD3}, {u"Ocirc", 0xD4},
        {u"Otilde", 0xD5}, {u"Ouml", 0xD6},   {u"times", 0xD7},  {u"Oslash", 0xD8}, {u"Ugrave", 0xD9},
        {u"Uacute", 0xDA}, {u"Ucirc", 0xDB},  {u"Uuml", 0xDC},   {u"Yacute", 0xDD}, {u"THORN", 0xDE},
        {u"szlig", 0xDF},  {u"agrave", 0xE0}, {u"aacute", 0xE1}, {u"acirc", 0xE2},  {u"atilde", 0xE3},
        {u"auml", 0xE4},   {u"aring", 0xE5},  {u"aelig", 0xE6},  {u"ccedil", 0xE7}, {u"egrave", 0xE8},
        {u"eacute", 0xE9}, {u"ecirc", 0xEA},  {u"euml", 0xEB},   {u"igrave", 0xEC}, {u"iacute", 0xED},
        {u"icirc", 0xEE},  {u"iuml", 0xEF},   {u"eth", 0xF0},    {u"ntilde", 0xF1}, {u"ograve", 0xF2},
        {u"oacute", 0xF3}, {u"ocirc", 0xF4},  {u"otilde", 0xF5}, {u"ouml", 0xF6},   {u"divide", 0xF7},
        {u"oslash", 0xF8}, {u"ugrave", 0xF9}, {u"uacute", 0xFA}, {u"ucirc", 0xFB},  {u"uuml", 0xFC},
        {u"yacute", 0xFD}, {u"thorn", 0xFE},  {u"yuml", 0xFF},
    };
    for (const auto& e : latin1) t.push_back({e.name, QChar(e.code)});
    std::sort(t.begin(), t.end(), [](const Entity& a, const Entity& b) { return a.name < b.name; });
    return t;
  }();
  return table;
}

std::optional<QChar> entity(QStringView name) {
  const auto& table = entities();
  const auto it = std::lower_bound(table.begin(), table.end(), name,
                                   [](const Entity& e, QStringView n) { return e.name < n; });
  if (it == table.end() || it->name != name) return std::nullopt;
  return it->character;
}

QStringView tagPiece(QStringView tag) {
  auto is = [tag](QStringView name) { return tag.compare(name, Qt::CaseInsensitive) == 0; };
  if (is(u"p") || is(u"/div")) return u"\r\n\r\n";
  if (is(u"br") || is(u"/tr") || is(u"/pre")) return u"\r\n";
  if (is(u"/td")) return u"|";
  return {};
}

// The body of the page: after the body tag's ">", before "</body>"; the whole text without one.
QStringView bodyOf(QStringView html) {
  const qsizetype body = html.indexOf(u"<body", 0, Qt::CaseInsensitive);
  if (body < 0) return html;
  QStringView s = html.sliced(body);
  const qsizetype close = s.indexOf(u'>');
  s = close < 0 ? QStringView() : s.sliced(close + 1);
  const qsizetype end = s.indexOf(u"</body>", 0, Qt::CaseInsensitive);
  return end < 0 ? s : s.first(end);
}

// The next position of `c` at or after `from`, remembered so that the scan stays linear: the
// search moves on only when the scan has passed the last place found.
class NextOf {
 public:
  NextOf(QStringView text, QChar c) : m_text(text), m_c(c) {}
  qsizetype at(qsizetype from) {
    if (m_found != kNone && (m_found >= from || m_found < 0)) return m_found;
    m_found = m_text.indexOf(m_c, from);
    return m_found;
  }

 private:
  static constexpr qsizetype kNone = -2;
  QStringView m_text;
  QChar m_c;
  qsizetype m_found = kNone;
};

}  // namespace

QString HtmlToText(QStringView html) {
  const QStringView s = bodyOf(html);
  QString out;
  out.reserve(s.size());
  NextOf closeTag(s, u'>');
  NextOf semicolon(s, u';');
  NextOf space(s, u' ');
  const qsizetype n = s.size();
  auto skipSpaces = [&](qsizetype i) {
    while (i < n && s[i] == u' ') ++i;
    return i;
  };
  auto ordinary = [](char16_t c) {
    return c != u' ' && c != u'\r' && c != u'\n' && c != u'<' && c != u'&';
  };
  qsizetype i = 0;
  while (i < n) {
    // A run of characters that stand for themselves goes in at once.
    qsizetype run = i;
    while (run < n && ordinary(s[run].unicode())) ++run;
    if (run > i) {
      out.append(s.sliced(i, run - i));
      i = run;
      continue;
    }
    const QChar c = s[i++];
    if (c == u' ') {
      out += u' ';
      i = skipSpaces(i);
    } else if (c == u'\r' || c == u'\n') {
      out += u' ';
      if (i < n && s[i] == u'\n') ++i;
      i = skipSpaces(i);
    } else if (c == u'<') {
      const qsizetype close = closeTag.at(i);
      if (close < 0) continue;
      out += tagPiece(s.sliced(i, close - i));
      i = close + 1;
    } else if (c == u'&') {
      const qsizetype semi = semicolon.at(i);
      const qsizetype blank = space.at(i);
      if (semi < 0 || (blank >= 0 && blank < semi)) {
        out += u'&';
        continue;
      }
      const QStringView name = s.sliced(i, semi - i);
      if (const auto character = entity(name))
        out += *character;
      else
        out.append(u'&').append(name).append(u';');
      i = semi + 1;
    }
  }
  return out;
}

QString TextToHtml(const QString& text, const TextToHtmlOptions& options) {
  // The steps apply in turn, but none of them makes what a later one looks for (an entity holds
  // no space, no line break and no special character), so one pass into one buffer does them
  // all: a large text is then copied once instead of once per step.
  auto pieceOf = [&options](const QChar* at, const QChar* end, qsizetype* length) -> QStringView {
    *length = 1;
    switch (at->unicode()) {
      case u' ': return options.replaceSpaces ? u"&nbsp;" : QStringView();
      case u'<': return options.specialSymbols ? u"&lt;" : QStringView();
      case u'>': return options.specialSymbols ? u"&gt;" : QStringView();
      case u'"': return options.specialSymbols ? u"&quot;" : QStringView();
      case u'»': return options.specialSymbols ? u"&raquo;" : QStringView();
      case u'«': return options.specialSymbols ? u"&laquo;" : QStringView();
      case u'\r':
        if (at + 1 == end || at[1] != u'\n') return {};
        *length = 2;
        if (options.lineBreaks) return u"<BR>";
        return options.paragraphs ? u"</P>\r\n<P>" : QStringView();
      default: return {};
    }
  };
  QString s;
  s.reserve(text.size() + text.size() / 2 + 128);
  if (options.pageFrame) s.append(u"<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n");
  if (options.paragraphs) s.append(u"<P>");
  const QChar* from = text.constData();
  const QChar* end = from + text.size();
  for (const QChar* at = from; at < end;) {
    qsizetype length = 1;
    const QStringView piece = pieceOf(at, end, &length);
    if (piece.isNull()) {
      at += length;
      continue;
    }
    s.append(from, at - from).append(piece);
    at += length;
    from = at;
  }
  s.append(from, end - from);
  if (options.paragraphs) s.append(u"</P>");
  if (options.pageFrame) s.append(u"\r\n</BODY>\r\n</HTML>");
  return s;
}

QString ReplacedAll(QStringView text, QStringView what, QStringView with) {
  QString out;
  out.reserve(text.size());
  qsizetype from = 0;
  for (qsizetype at = text.indexOf(what); !what.isEmpty() && at >= 0;
       at = text.indexOf(what, from)) {
    out.append(text.sliced(from, at - from)).append(with);
    from = at + what.size();
  }
  out.append(text.sliced(from));
  return out;
}

}  // namespace html
