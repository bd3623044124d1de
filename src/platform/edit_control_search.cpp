// The control's search: finding, replacing and replacing everything with Scintilla's own search
// in the document, so that even a big text is searched without copying it out.
#include "platform/case_blind_find.h"
#include "platform/edit_control_impl.h"
#include "platform/find_dialog.h"
#include "platform/join_search.h"
#include "platform/replace_dialog.h"
#include "platform/search_pattern.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

struct Match {
  long start = -1;
  long end = -1;
  bool operator==(const Match&) const = default;
};

// One search set up on a view: the pattern and flags Scintilla runs (see search_pattern.h).
// Searching from a higher position to a lower one searches backwards.
class Searcher {
 public:
  Searcher(QsciScintilla* view, const QString& what, const FindOptions& options,
           const DisplayBreaks& breaks)
      : m_view(view), m_search(ToScintillaSearch(what, options)), m_regExp(options.regExp) {
    sci(view, Sci::SCI_SETSEARCHFLAGS, m_search.flags);
    sci(view, Sci::SCI_SETSTATUS, Sci::SC_STATUS_OK);
    if (m_search.foldCaseHere) m_finder.emplace(what);
    if (!breaks.empty()) m_joins.emplace(view, breaks, what, options, m_search.pattern);
  }

  // The first occurrence between `from` and `to`; the target is left on it.
  std::optional<Match> in(long from, long to) const {
    const bool forward = from <= to;
    for (;;) {
      const std::optional<Match> match = anyWithJoins(from, to);
      if (!match || m_lastJoin || !m_search.checkWholeWord ||
          sci(m_view, Sci::SCI_ISRANGEWORD, match->start, match->end))
        return match;
      // Part of a longer word: look on from just inside it.
      from = forward ? sci(m_view, Sci::SCI_POSITIONAFTER, match->start)
                     : sci(m_view, Sci::SCI_POSITIONBEFORE, match->end);
      if (forward ? from >= to : from <= to) return std::nullopt;
    }
  }

  // Like in(), but passes over an empty occurrence that is the selection itself, which would
  // otherwise be found again on every search.
  std::optional<Match> next(long from, long to, const Match& selection) const {
    std::optional<Match> match = in(from, to);
    if (!match || match->start != match->end || *match != selection) return match;
    if (from == to) return std::nullopt;
    const unsigned step = from < to ? Sci::SCI_POSITIONAFTER : Sci::SCI_POSITIONBEFORE;
    return in(sci(m_view, step, from), to);
  }

  // Puts `with` in place of the occurrence found last; returns the length put in, in bytes.
  long replaceFound(const QByteArray& with) const {
    if (m_lastJoin && m_regExp) {
      // The component knows nothing of this occurrence's groups.
      const QByteArray text = JoinSearch::expand(TextFile::textOfUtf8(with), *m_lastJoin).toUtf8();
      return m_view->SendScintilla(Sci::SCI_REPLACETARGET,
                                   static_cast<unsigned long>(text.size()), text.constData());
    }
    const unsigned message = m_regExp ? Sci::SCI_REPLACETARGETRE : Sci::SCI_REPLACETARGET;
    return m_view->SendScintilla(message, static_cast<unsigned long>(with.size()),
                                 with.constData());
  }

  bool badPattern() const { return sci(m_view, Sci::SCI_GETSTATUS) == Sci::SC_STATUS_WARNREGEX; }

 private:
  // The component's occurrence, or one across a display break that comes before it.
  std::optional<Match> anyWithJoins(long from, long to) const {
    m_lastJoin.reset();
    std::optional<Match> match = any(from, to);
    if (!m_joins) return match;
    const std::optional<JoinSearch::Found> joined =
        m_joins->find(from, to, match ? std::optional<long>(match->start) : std::nullopt);
    if (!joined) {
      // The component's search may have left the target elsewhere.
      if (match) sci(m_view, Sci::SCI_SETTARGETRANGE, match->start, match->end);
      return match;
    }
    m_lastJoin = joined;
    sci(m_view, Sci::SCI_SETTARGETRANGE, joined->start, joined->end);
    return Match{joined->start, joined->end};
  }

  // Any occurrence, whole word or not.
  std::optional<Match> any(long from, long to) const {
    if (m_finder) return folded(from, to);
    sci(m_view, Sci::SCI_SETTARGETRANGE, from, to);
    const long at = m_view->SendScintilla(Sci::SCI_SEARCHINTARGET,
                                          static_cast<unsigned long>(m_search.pattern.size()),
                                          m_search.pattern.constData());
    if (at < 0) return std::nullopt;
    return Match{at, sci(m_view, Sci::SCI_GETTARGETEND)};
  }

  // The same through our own case folding, read straight from the document: the range asked
  // for only moves Scintilla's gap when the gap lies inside it, which a replace-all's never does.
  std::optional<Match> folded(long from, long to) const {
    const long low = std::min(from, to);
    const long high = std::max(from, to);
    const auto* bytes =
        reinterpret_cast<const char*>(sci(m_view, Sci::SCI_GETRANGEPOINTER, low, high - low));
    const QByteArrayView range(bytes, high - low);
    const auto found = from <= to ? m_finder->first(range, 0, range.size())
                                  : m_finder->last(range, 0, range.size());
    if (!found) return std::nullopt;
    const Match match{low + long(found->start), low + long(found->end)};
    sci(m_view, Sci::SCI_SETTARGETRANGE, match.start, match.end);
    return match;
  }

  QsciScintilla* m_view;
  ScintillaSearch m_search;
  std::optional<CaseBlindFinder> m_finder;
  std::optional<JoinSearch> m_joins;
  mutable std::optional<JoinSearch::Found> m_lastJoin;
  bool m_regExp;  // the user's: only then does a replacement refer to groups
};

Match selectionOf(const QsciScintilla* view) {
  return {sci(view, Sci::SCI_GETSELECTIONSTART), sci(view, Sci::SCI_GETSELECTIONEND)};
}

// A replace-all in progress: one undo step for all of it, and no change or selection events
// until it is done. Scintilla reports no more of each change than the counted length and the
// display breaks are kept by: QScintilla answers every other report with work that walks the
// document from its start, which made thousands of replacements take time that grew with the
// square of the document.
class Batch {
 public:
  using Views = std::span<QsciScintilla* const>;
  Batch(Views views, QsciScintilla* active, bool& quiet)
      : m_views(views), m_active(active), m_quiet(quiet) {
    m_quiet = true;
    for (std::size_t i = 0; i < m_views.size(); ++i) {
      m_masks[i] = sci(m_views[i], Sci::SCI_GETMODEVENTMASK);
      // Both views show one document: the first one hears of every change for both.
      sci(m_views[i], Sci::SCI_SETMODEVENTMASK, i == 0 ? kTrackedChanges : 0);
    }
    sci(m_active, Sci::SCI_BEGINUNDOACTION);
  }
  ~Batch() {
    sci(m_active, Sci::SCI_ENDUNDOACTION);
    for (std::size_t i = 0; i < m_views.size(); ++i)
      sci(m_views[i], Sci::SCI_SETMODEVENTMASK, m_masks[i]);
    m_quiet = false;
  }
  Batch(const Batch&) = delete;
  Batch& operator=(const Batch&) = delete;

 private:
  Views m_views;
  QsciScintilla* m_active;
  bool& m_quiet;
  std::array<long, 2> m_masks{};
};

// A selection on one line is what the user wants to look for; anything else is not.
bool oneLine(const QString& text) {
  return !text.isEmpty() && !text.contains(u'\r') && !text.contains(u'\n');
}

}  // namespace

FindResult EditControl::Impl::search(const QString& what, const FindOptions& options) {
  if (what.isEmpty()) return FindResult::NotFound;
  QsciScintilla* view = active;
  const Searcher searcher(view, what, options, breaks);
  const Match selection = selectionOf(view);
  const long length = sci(view, Sci::SCI_GETLENGTH);
  std::optional<Match> match = options.up ? searcher.next(selection.start, 0, selection)
                                          : searcher.next(selection.end, length, selection);
  bool wrapped = false;
  if (!match && options.wrap && !searcher.badPattern()) {
    match = options.up ? searcher.in(length, 0) : searcher.in(0, length);
    wrapped = true;
  }
  if (searcher.badPattern()) return FindResult::BadPattern;
  if (!match) return FindResult::NotFound;
  sci(view, Sci::SCI_SETSEL, match->start, match->end);
  sci(view, Sci::SCI_SCROLLRANGE, match->start, match->end);
  noteSelection(view);
  return wrapped ? FindResult::Wrapped : FindResult::Found;
}

void EditControl::Impl::openFindDialog(bool replacing) {
  const QString selected = q->selectedText();
  const QString what = oneLine(selected) ? selected : findText;
  // One search window at a time: the other one steps aside.
  if (replacing) {
    if (!replaceDialog) replaceDialog = new ReplaceDialog(*q, q);
    if (findDialog) findDialog->hide();
    replaceDialog->present(what);
  } else {
    if (!findDialog) findDialog = new FindDialog(*q, q);
    if (replaceDialog) replaceDialog->hide();
    findDialog->present(what);
  }
}

FindResult EditControl::find(const QString& what, const FindOptions& options) {
  d->findText = what;
  d->findOptions = options;
  return d->search(what, options);
}

FindResult EditControl::replace(const QString& what, const QString& with,
                                const FindOptions& options) {
  d->findText = what;
  d->findOptions = options;
  if (what.isEmpty()) return FindResult::NotFound;
  const Impl::ChangeScope scope{d};
  QsciScintilla* view = d->active;
  const Searcher searcher(view, what, options, d->breaks);
  const Match selection = selectionOf(view);
  if (searcher.in(selection.start, selection.end) == selection) {
    const Impl::ProgramText program{d};
    const long length = searcher.replaceFound(with.toUtf8());
    // Going on from the replacement, never into it: "a" by "aa" must not be found again.
    sci(view, Sci::SCI_SETEMPTYSELECTION, options.up ? selection.start : selection.start + length);
  }
  return d->search(what, options);
}

std::optional<int> EditControl::replaceAll(const QString& what, const QString& with,
                                           const FindOptions& options) {
  d->findText = what;
  d->findOptions = options;
  if (what.isEmpty()) return 0;
  QsciScintilla* view = d->active;
  const Searcher searcher(view, what, options, d->breaks);
  const QByteArray replacement = with.toUtf8();
  int count = 0;
  {
    const Impl::ProgramText program{d};
    const Batch batch(d->made(), view, d->loading);
    long from = 0;
    while (const std::optional<Match> match = searcher.in(from, sci(view, Sci::SCI_GETLENGTH))) {
      from = match->start + searcher.replaceFound(replacement);
      ++count;
      if (match->start != match->end) continue;
      // An empty occurrence would be found again at once: go on one character further.
      if (from >= sci(view, Sci::SCI_GETLENGTH)) break;
      from = sci(view, Sci::SCI_POSITIONAFTER, from);
    }
  }
  if (searcher.badPattern()) return std::nullopt;
  if (count > 0) {
    // What the silenced reports would have brought about.
    d->noteWholeTextChanged();
    d->reportChange();
  }
  d->noteSelection(view);
  return count;
}

FindOptions EditControl::findOptions() const { return d->findOptions; }

}  // namespace platform
