#include "text/rtf_text.h"

#include <QStringDecoder>
#include <vector>

#include "platform/cp1251.h"

namespace text {
namespace {

// Groups whose content is never text of the document.
const QStringView kSkippedDestinations[] = {
    u"fonttbl", u"colortbl",  u"stylesheet", u"info",     u"pict",      u"object",
    u"header",  u"footer",    u"headerl",    u"headerr",  u"headerf",   u"footerl",
    u"footerr", u"footerf",   u"listtable",  u"listoverridetable",      u"rsidtbl",
    u"filetbl", u"revtbl",    u"themedata",  u"colorschememapping",     u"latentstyles",
    u"datastore", u"xmlnstbl", u"generator", u"fldinst",  u"footnote",  u"annotation",
};

struct Symbol {
  QStringView word;
  char16_t character;
};
const Symbol kSymbols[] = {
    {u"tab", u'\t'},       {u"emdash", u'\u2014'},    {u"endash", u'\u2013'},
    {u"bullet", u'\u2022'}, {u"lquote", u'\u2018'},   {u"rquote", u'\u2019'},
    {u"ldblquote", u'\u201C'}, {u"rdblquote", u'\u201D'}, {u"emspace", u'\u2003'},
    {u"enspace", u'\u2002'}, {u"qmspace", u'\u2005'},
};

bool isSkippedDestination(QStringView word) {
  for (QStringView d : kSkippedDestinations)
    if (word == d) return true;
  return false;
}

bool isLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

int hexValue(QChar c) {
  if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
  if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
  return -1;
}

class RtfReader {
 public:
  explicit RtfReader(QStringView rtf) : m_rtf(rtf) {
    if (rtf.contains(u"\\fcharset204")) m_codePage = 1251;
  }

  QString read() {
    m_out.reserve(m_rtf.size() / 2);
    qsizetype i = 0;
    while (i < m_rtf.size()) {
      const QChar c = m_rtf[i];
      if (c == u'{') {
        m_stack.push_back(m_group);
        m_groupStart = true;
        ++i;
      } else if (c == u'}') {
        if (m_stack.empty()) break;  // the document's own group has ended
        m_group = m_stack.back();
        m_stack.pop_back();
        m_groupStart = false;
        ++i;
      } else if (c == u'\\') {
        i = control(i + 1);
        m_groupStart = false;
      } else {
        if (c != u'\r' && c != u'\n') character(c);
        m_groupStart = false;
        ++i;
      }
    }
    return m_out;
  }

 private:
  struct Group {
    bool skip = false;
    int fallback = 1;  // \ucN: characters after \uN that stand in for it
  };

  void put(QChar c) {
    if (!m_group.skip) m_out.append(c);
  }
  void put(QStringView s) {
    if (!m_group.skip) m_out.append(s);
  }
  // A character of the document, or one of the fallback characters of the last \uN.
  void character(QChar c) {
    if (m_skipFallback > 0) {
      --m_skipFallback;
      return;
    }
    put(c);
  }
  void byte(int value) {
    character(m_codePage == 1251 ? cp1251::toUnicode(static_cast<unsigned char>(value))
                                 : windows1252()[value]);
  }

  // Bytes of the Western code page most RTF writers use; Latin-1 where Qt lacks the table.
  static const QString& windows1252() {
    static const QString table = [] {
      QByteArray all(256, '\0');
      for (int b = 0; b < 256; ++b) all[b] = char(b);
      QStringDecoder decoder("windows-1252");
      const QString decoded = decoder.isValid() ? decoder.decode(all) : QString();
      return decoded.size() == 256 ? decoded : QString::fromLatin1(all);
    }();
    return table;
  }

  // Reads the control word or symbol after a backslash at `i`; returns where reading goes on.
  qsizetype control(qsizetype i) {
    if (i >= m_rtf.size()) return i;
    const QChar c = m_rtf[i];
    if (!isLetter(c)) return controlSymbol(i);
    qsizetype end = i;
    while (end < m_rtf.size() && isLetter(m_rtf[end])) ++end;
    const QStringView word = m_rtf.sliced(i, end - i);
    qsizetype numberEnd = end;
    if (numberEnd < m_rtf.size() && m_rtf[numberEnd] == u'-') ++numberEnd;
    while (numberEnd < m_rtf.size() && m_rtf[numberEnd].isDigit()) ++numberEnd;
    // A parameter too long for a number is read past but used for nothing.
    bool hasNumber = false;
    const int number = m_rtf.sliced(end, numberEnd - end).toInt(&hasNumber);
    if (numberEnd < m_rtf.size() && m_rtf[numberEnd] == u' ') ++numberEnd;  // the delimiter
    wordControl(word, hasNumber ? number : 0, hasNumber);
    if (word == u"bin" && hasNumber && number > 0)
      return std::min<qsizetype>(m_rtf.size(), numberEnd + number);
    return numberEnd;
  }

  void wordControl(QStringView word, int number, bool hasNumber) {
    if (m_groupStart && isSkippedDestination(word)) m_group.skip = true;
    if (word == u"par" || word == u"line" || word == u"sect" || word == u"page") {
      put(u"\r\n");
    } else if (word == u"u" && hasNumber) {
      const char16_t unit = char16_t(number < 0 ? number + 65536 : number);
      if (m_skipFallback == 0) put(QChar(unit));
      m_skipFallback = m_group.fallback;
    } else if (word == u"uc" && hasNumber && number >= 0) {
      m_group.fallback = std::min(number, 16);
    } else if (word == u"ansicpg" && hasNumber) {
      m_codePage = number;
    } else {
      for (const Symbol& s : kSymbols)
        if (word == s.word) character(QChar(s.character));
    }
  }

  qsizetype controlSymbol(qsizetype i) {
    const QChar c = m_rtf[i];
    if (c == u'*') {
      m_group.skip = true;
    } else if (c == u'\'') {
      const int high = i + 1 < m_rtf.size() ? hexValue(m_rtf[i + 1]) : -1;
      const int low = i + 2 < m_rtf.size() ? hexValue(m_rtf[i + 2]) : -1;
      if (high >= 0 && low >= 0) {
        byte(high * 16 + low);
        return i + 3;
      }
      return high >= 0 ? i + 2 : i + 1;  // a cut-off escape stands for nothing
    } else if (c == u'\\' || c == u'{' || c == u'}') {
      character(c);
    } else if (c == u'~') {
      character(QChar(0x00A0));
    } else if (c == u'_') {
      character(QChar(0x2011));
    } else if (c == u'\r' || c == u'\n') {
      put(u"\r\n");  // a backslash before a source line break is a paragraph mark
      if (c == u'\r' && i + 1 < m_rtf.size() && m_rtf[i + 1] == u'\n') return i + 2;
    }
    return i + 1;
  }

  QStringView m_rtf;
  QString m_out;
  std::vector<Group> m_stack;
  Group m_group;
  bool m_groupStart = false;
  int m_skipFallback = 0;
  int m_codePage = 1252;
};

}  // namespace

QString RtfToText(QStringView rtf) {
  if (!rtf.startsWith(u"{\\rtf")) return rtf.toString();
  // The outer group is the document: reading starts inside it.
  return RtfReader(rtf.sliced(1)).read();
}

}  // namespace text
