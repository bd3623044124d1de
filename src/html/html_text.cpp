#include "html/html_text.h"

#include <QHash>

namespace html {
namespace {

// Entities and the characters they stand for. The Latin-1 names give their own characters: the
// editor holds any character, so "caf&eacute;" is "café".
const QHash<QString, QChar>& entities() {
  static const QHash<QString, QChar> table = [] {
    QHash<QString, QChar> t{{"amp", u'&'}, {"quot", u'"'}, {"lt", u'<'},
                            {"gt", u'>'},  {"nbsp", u' '}, {"brvbar", u'|'}};
    const struct {
      const char* name;
      char16_t code;
    } latin1[] = {
        {"iexcl", 0xA1},  {"cent", 0xA2},   {"pound", 0xA3},  {"curren", 0xA4}, {"yen", 0xA5},
        {"sect", 0xA7},   {"uml", 0xA8},    {"copy", 0xA9},   {"ordf", 0xAA},   {"laquo", 0xAB},
        {"not", 0xAC},    {"reg", 0xAE},    {"macr", 0xAF},   {"deg", 0xB0},    {"plusmn", 0xB1},
        {"sup2", 0xB2},   {"sup3", 0xB3},   {"acute", 0xB4},  {"micro", 0xB5},  {"para", 0xB6},
        {"middot", 0xB7}, {"cedil", 0xB8},  {"sup1", 0xB9},   {"ordm", 0xBA},   {"raquo", 0xBB},
        {"frac14", 0xBC}, {"frac12", 0xBD}, {"frac34", 0xBE}, {"iquest", 0xBF}, {"Agrave", 0xC0},
        {"Aacute", 0xC1}, {"Acirc", 0xC2},  {"Atilde", 0xC3}, {"Auml", 0xC4},   {"Aring", 0xC5},
        {"AElig", 0xC6},  {"Ccedil", 0xC7}, {"Egrave", 0xC8}, {"Eacute", 0xC9}, {"Ecirc", 0xCA},
        {"Euml", 0xCB},   {"Igrave", 0xCC}, {"Iacute", 0xCD}, {"Icirc", 0xCE},  {"Iuml", 0xCF},
        {"ETH", 0xD0},    {"Ntilde", 0xD1}, {"Ograve", 0xD2}, {"Oacute", 0xD3}, {"Ocirc", 0xD4},
        {"Otilde", 0xD5}, {"Ouml", 0xD6},   {"times", 0xD7},  {"Oslash", 0xD8}, {"Ugrave", 0xD9},
        {"Uacute", 0xDA}, {"Ucirc", 0xDB},  {"Uuml", 0xDC},   {"Yacute", 0xDD}, {"THORN", 0xDE},
        {"szlig", 0xDF},  {"agrave", 0xE0}, {"aacute", 0xE1}, {"acirc", 0xE2},  {"atilde", 0xE3},
        {"auml", 0xE4},   {"aring", 0xE5},  {"aelig", 0xE6},  {"ccedil", 0xE7}, {"egrave", 0xE8},
        {"eacute", 0xE9}, {"ecirc", 0xEA},  {"euml", 0xEB},   {"igrave", 0xEC}, {"iacute", 0xED},
        {"icirc", 0xEE},  {"iuml", 0xEF},   {"eth", 0xF0},    {"ntilde", 0xF1}, {"ograve", 0xF2},
        {"oacute", 0xF3}, {"ocirc", 0xF4},  {"otilde", 0xF5}, {"ouml", 0xF6},   {"divide", 0xF7},
        {"oslash", 0xF8}, {"ugrave", 0xF9}, {"uacute", 0xFA}, {"ucirc", 0xFB},  {"uuml", 0xFC},
        {"yacute", 0xFD}, {"thorn", 0xFE},  {"yuml", 0xFF},
    };
    for (const auto& e : latin1) t.insert(QString::fromLatin1(e.name), QChar(e.code));
    return t;
  }();
  return table;
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
      const auto it = entities().constFind(name.toString());
      if (it != entities().constEnd())
        out += *it;
      else
        out.append(u'&').append(name).append(u';');
      i = semi + 1;
    }
  }
  return out;
}

QString TextToHtml(const QString& text, const TextToHtmlOptions& options) {
  // Each step is one pass that builds the result afresh: replacing in place moves the rest of a
  // large text again for every few hundred occurrences.
  QString s;
  if (options.replaceSpaces || options.specialSymbols) {
    s.reserve(text.size() + text.size() / 4);
    for (const QChar c : text) {
      switch (c.unicode()) {
        case u' ': options.replaceSpaces ? s.append(u"&nbsp;") : s.append(c); break;
        case u'<': options.specialSymbols ? s.append(u"&lt;") : s.append(c); break;
        case u'>': options.specialSymbols ? s.append(u"&gt;") : s.append(c); break;
        case u'"': options.specialSymbols ? s.append(u"&quot;") : s.append(c); break;
        case u'»': options.specialSymbols ? s.append(u"&raquo;") : s.append(c); break;
        case u'«': options.specialSymbols ? s.append(u"&laquo;") : s.append(c); break;
        default: s.append(c);
      }
    }
  } else {
    s = text;
  }
  const QStringView crlf = u"\r\n";
  if (options.lineBreaks) s = ReplacedAll(s, crlf, u"<BR>");
  if (options.paragraphs)
    s = QStringLiteral("<P>") + ReplacedAll(s, crlf, u"</P>\r\n<P>") + QStringLiteral("</P>");
  if (options.pageFrame)
    s = QStringLiteral("<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n") + s +
        QStringLiteral("\r\n</BODY>\r\n</HTML>");
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
