// Occurrences that run across a display break (see display_breaks.h). The component searches its
// own buffer, where a break stands between the two halves of such an occurrence, so it never
// finds them; these are looked for in the text around each break with the break left out.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <regex>
#include <vector>

#include "platform/case_blind_find.h"
#include "platform/display_breaks.h"
#include "platform/edit_control.h"

class QsciScintilla;

namespace platform {

class JoinSearch {
 public:
  struct Found {
    long start = 0;  // positions in the component's buffer
    long end = 0;
    std::vector<QString> groups;  // of a regular expression: the whole match, then \1 .. \9
  };

  // `pattern`: a regular expression as the component runs it (letter case already spelled out).
  JoinSearch(const QsciScintilla* view, const DisplayBreaks& breaks, const QString& what,
             const FindOptions& options, const QByteArray& pattern);

  // The first occurrence (the last, going backwards: from > to) that lies between `from` and
  // `to` and crosses a break, starting before `before` (after it, going backwards) when given:
  // an occurrence the component found there comes first otherwise.
  std::optional<Found> find(long from, long to, std::optional<long> before) const;

  // A regular expression's replacement with \0 .. \9 put in from the occurrence.
  static QString expand(const QString& replacement, const Found& found);

 private:
  struct Window;
  Window windowAround(long breakAt, long low, long high) const;
  std::vector<Found> occurrences(const Window& window) const;

  const QsciScintilla* m_view;
  const DisplayBreaks& m_breaks;
  FindOptions m_options;
  QByteArray m_plain;  // UTF-8, for a case-exact plain search
  std::optional<CaseBlindFinder> m_folded;
  std::optional<std::wregex> m_expression;
  long m_reach = 0;  // bytes on either side of a break an occurrence can reach
};

}  // namespace platform
