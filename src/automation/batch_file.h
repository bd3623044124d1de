// One file of a batch run: read in the code page it is in, changed as Unicode text, and written
// back in that code page (or the one the change of code page asks for) only when something changed.
#pragma once

#include <QList>
#include <QString>
#include <atomic>

#include "automation/batch_actions.h"

namespace automation {

// What a file was read as or written in: the code pages 1..5 by their numbers, and these.
inline constexpr int kBatchUtf8 = 6;
inline constexpr int kBatchUtf16 = 7;
inline constexpr int kBatchAscii = 8;  // a single-byte file with no character above ASCII
// The name the final message gives it: "Koi - 8r", "UTF-8", "ASCII"; "" for anything else.
QString BatchEncodingName(int encoding);

enum class BatchOutcome {
  Written,    // the file holds the changed text
  Unchanged,  // the actions changed nothing, so the file was not rewritten
  LeftAlone,  // not written, for `reason`
};

struct BatchFileResult {
  BatchOutcome outcome = BatchOutcome::LeftAlone;
  QString reason;  // for LeftAlone, in the user's words
  // A code page 1..5 or kBatchUtf8/kBatchUtf16/kBatchAscii: what the file was read as and what it is written in
  // (the same unless the code page was changed). 0 when the file was never read as text.
  int readAs = 0;
  int writtenAs = 0;
};

// Processes one file with the chosen actions (run in list order, whatever order `actions` has).
// A single-byte file with characters above ASCII is read in the code page the change of code page
// names as its source when that action is chosen, else in the code page detection is sure of; a
// file detection is unsure about is left alone. It is written back in the same code page, or in
// the change's target. A file whose new text that code page cannot hold whole is left alone,
// the missing characters named, rather than have them become "?". Stops between actions once
// `stop` is set, leaving the file unwritten.
BatchFileResult ProcessBatchFile(const QString& path, const QList<int>& actions,
                                 const BatchSettings& settings, const std::atomic<bool>& stop);

// The characters of `text` (distinct, in order of first appearance, at most `limit` of them)
// that code page `codePage` (1..5) has no byte for.
QString MissingFromCodePage(QStringView text, int codePage, int limit);

}  // namespace automation
