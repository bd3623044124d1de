// The document's whole text while a script works on the whole text alone, so that a long run of
// "replace $alltext" statements neither copies the document in and out of the editor each time
// nor reads all of it for every statement. The text is kept in pieces; once a script has replaced
// a few times, each piece keeps a filter of the runs of one to four characters that start in it,
// and a search skips every piece whose filter rules the searched text out. A replacement that
// finds nothing then costs a few lookups per piece, and a rare one a pass over a few pieces.
#pragma once

#include <QString>
#include <QStringView>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace automation {

// The result of QString::replace(what, with) (case-sensitive; an empty `what` changes nothing),
// made in one pass: QString's own replacement moves the rest of the text again for every thousand
// occurrences, hours for a text of a hundred million of them.
QString ReplacedText(QStringView text, QStringView what, QStringView with);

// How many occurrences of `what` a left-to-right replacement meets in `text`; 0 for an empty one.
qsizetype CountOccurrences(QStringView text, QStringView what);

class ScriptText {
 public:
  static constexpr qsizetype kPieceSize = 16 * 1024;
  // Replacing this many times shows a script that replaces a lot; only then is building the
  // filters (a pass over the text) worth it.
  static constexpr int kReplacesBeforeFilters = 4;
  // The filters take as much memory as the text; past this many characters a text goes without.
  static constexpr qsizetype kMostFilteredChars = qsizetype(1) << 26;

  explicit ScriptText(QStringView text, qsizetype pieceSize = kPieceSize,
                      int replacesBeforeFilters = kReplacesBeforeFilters);
  ~ScriptText();
  ScriptText(ScriptText&&) noexcept;
  ScriptText& operator=(ScriptText&&) noexcept;

  // Kept until the text changes: statements that read the whole text again and again (a search
  // of it, "$alltext") share one copy.
  QString toString() const;
  qsizetype size() const;

  // Past this many occurrences a replacement is made on the whole text at once, so that what a
  // replacement keeps per occurrence never outgrows the text itself.
  static constexpr size_t kMostHitsKept = size_t(1) << 20;
  // What replaceAll returns when the result would be longer than the limit it was given.
  static constexpr qsizetype kPastLimit = -1;

  // Replaces every occurrence of `what` by `with`, case-sensitively, left to right, never looking
  // into inserted text: the result of QString::replace(what, with). An empty `what` changes
  // nothing. Returns how many occurrences were replaced, or kPastLimit, changing nothing, when
  // the text would grow to more than `sizeLimit` characters (a text that shrinks may).
  qsizetype replaceAll(QStringView what, QStringView with,
                       qsizetype sizeLimit = std::numeric_limits<qsizetype>::max());

 private:
  struct Piece;
  struct Hit;
  struct Site;

  // Stops once it has found more than `most`.
  std::vector<Hit> findAll(QStringView what, size_t most) const;
  qsizetype replaceWhole(QStringView what, QStringView with, qsizetype sizeLimit);
  void cut(const QString& text);
  // Cuts `text` with every `what` replaced by `with` into pieces as it goes: the result is never
  // held whole beside its pieces.
  void cutReplaced(QStringView text, QStringView what, QStringView with);
  void addPiece(QString text);
  std::vector<Site> rebuild(const std::vector<Hit>& hits, qsizetype whatSize, QStringView with);
  void reshape(std::vector<Site>& sites);
  void addSites(const std::vector<Site>& sites, QStringView with);
  void buildFilter(size_t piece);
  QString following(size_t piece, qsizetype count) const;

  std::vector<Piece> m_pieces;
  qsizetype m_pieceSize;
  int m_filterBitsLog2;
  int m_replacesLeft;  // before the filters are built
  bool m_filtered = false;
  mutable std::optional<QString> m_whole;
};

}  // namespace automation
