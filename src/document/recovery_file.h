// The file that keeps an unsaved document while the program runs, so that a crash loses at most
// the last few seconds: a short header (what the document is) and the text as UTF-8. It lives in
// the program directory's "Recovery" folder, readable by its user alone.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

#include "platform/text_file.h"

namespace document {

inline constexpr char kRecoveryFolder[] = "Recovery";
inline constexpr char kRecoverySuffix[] = ".orec";

struct RecoveredDocument {
  QString path;  // "" for an untitled document
  int codePage = 1;
  platform::TextFormat format;
  QDateTime saved;  // when the text was kept
  QByteArray utf8;  // the text, CR LF line ends
};

// The header of a document whose text has `textLength` bytes: a first line naming the format,
// then "name=value" lines, then an empty line. The path is percent-encoded, so no file name can
// break a line.
QByteArray RecoveryHeader(const RecoveredDocument& document, qsizetype textLength);

// Reads a recovery file back. nullopt for a file that is not one, whose header is damaged or
// whose text is shorter than the header says (a write cut off): such a file offers nothing.
std::optional<RecoveredDocument> ReadRecoveryFile(const QString& path);

// Writes header and text to `path` through a temporary file renamed over it, so a reader (the
// next start after a crash) finds the previous complete text or the new one, never half of one.
// `header.utf8` is not used: the text is `utf8`, which may be a view of the editor's own copy.
bool WriteRecoveryFile(const QString& path, const RecoveredDocument& header, QByteArrayView utf8);

}  // namespace document
