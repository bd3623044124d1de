// Opening a big file with the window shown and alive: the text fills in piece by piece while
// the status bar tells how far it has come, and Escape stops it.
#pragma once

#include <QString>
#include <optional>

#include "platform/edit_control.h"

namespace shell {
class FrmMain;
}

namespace document {

// The status text while a file comes in ("Загрузка файла: 45%  (Esc — остановить)").
QString LoadingStatus(int percent);

// True while LoadInPieces runs for this window: from its start, when the file is still being
// read and sized up and the editor still holds the old text, to its end.
bool LoadUnderWay(const shell::FrmMain& window);

struct PieceLoadResult {
  // Why the reading failed: before any text came (the editor's text is as it was then), or
  // after some did (`replaced`: that part is in the editor, as if stopped).
  std::optional<QString> error;
  platform::EditControl::ReadReport report;
  bool stopped = false;  // the user stopped it: the text is the start of the file only, if any
  bool replaced = false;  // the editor holds the file's text now, all of it or its start
};

// Loads `path` into the window's editor in pieces, showing the window first when it is not yet.
// Returns when the load has ended: all of it read, stopped by the user, or failed. Meanwhile the
// editor is read-only and the window's commands are disabled; closing the window stops the load
// and closes it right after.
PieceLoadResult LoadInPieces(shell::FrmMain& window, const QString& path);

}  // namespace document
