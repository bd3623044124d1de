// Turning a search into the pattern and flags Scintilla runs, with letter case spelled out
// where QScintilla's own folding (ASCII only) would miss it.
#include "platform/search_pattern.h"

#include <Qsci/qsciscintillabase.h>

namespace platform {
namespace {

using Sci = QsciScintillaBase;

// The other case of a letter, or the letter itself when it has none.
QChar otherCase(QChar c) {
  const QChar lower = c.toLower();
  return lower != c ? lower : c.toUpper();
}

bool hasOtherCase(QChar c) { return otherCase(c) != c; }

bool needsSpelledCase(const QString& what) {
  for (QChar c : what)
    if (c.unicode() >= 0x80 && hasOtherCase(c)) return true;
  return false;
}

// Copies the escape at `i` (a backslash and what belongs to it) and moves past it.
void copyEscape(const QString& pattern, qsizetype& i, QString& out) {
  qsizetype length = 2;
  if (i + 1 < pattern.size()) {
    const QChar kind = pattern[i + 1];
    if (kind == u'x')
      length = 4;
    else if (kind == u'u')
      length = 6;
    else if (kind == u'c')
      length = 3;
  }
  out += pattern.mid(i, length);
  i += length;
}

// Copies one item of a character class at `i` with the other case of its letters added.
void copyClassItem(const QString& pattern, qsizetype& i, QString& out) {
  const QChar c = pattern[i];
  if (c == u'\\') return copyEscape(pattern, i, out);
  if (c == u'[' && i + 1 < pattern.size() && QStringView(u":.=").contains(pattern[i + 1])) {
    // A named class such as [:alpha:] ends at the same mark followed by "]".
    const QString close = QString(pattern[i + 1]) + u']';
    const qsizetype end = pattern.indexOf(close, i + 2);
    const qsizetype stop = end < 0 ? pattern.size() : end + 2;
    out += pattern.mid(i, stop - i);
    i = stop;
    return;
  }
  const bool range = i + 2 < pattern.size() && pattern[i + 1] == u'-' && pattern[i + 2] != u']' &&
                     pattern[i + 2] != u'\\';
  if (!range) {
    out += c;
    if (hasOtherCase(c)) out += otherCase(c);
    ++i;
    return;
  }
  const QChar last = pattern[i + 2];
  out += pattern.mid(i, 3);
  if (hasOtherCase(c) && hasOtherCase(last) && otherCase(c) <= otherCase(last))
    out += QString(otherCase(c)) + u'-' + otherCase(last);
  i += 3;
}

}  // namespace

QString CaseBlindPattern(const QString& pattern) {
  QString out;
  bool inClass = false;
  for (qsizetype i = 0; i < pattern.size();) {
    const QChar c = pattern[i];
    if (inClass) {
      if (c == u']') {
        inClass = false;
        out += c;
        ++i;
      } else {
        copyClassItem(pattern, i, out);
      }
    } else if (c == u'\\') {
      copyEscape(pattern, i, out);
    } else if (c == u'[') {
      inClass = true;
      out += c;
      ++i;
      if (i < pattern.size() && pattern[i] == u'^') out += pattern[i++];
    } else {
      // An alternation, not a class: std::regex tries it several times faster.
      out += hasOtherCase(c) ? QStringLiteral("(?:%1|%2)").arg(c).arg(otherCase(c)) : QString(c);
      ++i;
    }
  }
  return out;
}

ScintillaSearch ToScintillaSearch(const QString& what, const FindOptions& options) {
  constexpr int kExpression = Sci::SCFIND_REGEXP | Sci::SCFIND_CXX11REGEX;
  if (options.regExp) {
    const QString pattern = options.matchCase ? what : CaseBlindPattern(what);
    return {pattern.toUtf8(), kExpression | Sci::SCFIND_MATCHCASE, false};
  }
  if (!options.matchCase && needsSpelledCase(what))
    return {what.toUtf8(), 0, options.wholeWord, true};
  const int wholeWord = options.wholeWord ? Sci::SCFIND_WHOLEWORD : 0;
  const int matchCase = options.matchCase ? Sci::SCFIND_MATCHCASE : 0;
  return {what.toUtf8(), matchCase | wholeWord, false};
}

}  // namespace platform
