// Plain text found in UTF-8 in any letter case, for every alphabet: Scintilla's own search folds
// ASCII letters only, and spelling the other case out in a regular expression runs at a few
// megabytes a second. Letters are compared by their case-folded form, so "Ё" finds "ё" and a
// search text may hold line breaks.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

namespace platform {

// The case-folded form of a character, as the finder compares characters ("Ё" is "ё").
char32_t CaseFold(char32_t c);

class CaseBlindFinder {
 public:
  struct Found {
    qsizetype start, end;  // bytes
    bool operator==(const Found&) const = default;
  };

  explicit CaseBlindFinder(const QString& what);

  // The first occurrence that starts at or after `from` and ends by `to` (offsets into `text`,
  // which `from` and `to` must cut between characters).
  std::optional<Found> first(QByteArrayView text, qsizetype from, qsizetype to) const;
  // The occurrence nearest before `to` that starts at or after `from`.
  std::optional<Found> last(QByteArrayView text, qsizetype from, qsizetype to) const;

 private:
  // Length in bytes of the occurrence at `at`, or 0.
  qsizetype matchAt(QByteArrayView text, qsizetype at, qsizetype to) const;

  std::vector<char32_t> m_folded;  // the search text, character by character, case-folded
};

}  // namespace platform
