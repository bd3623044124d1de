// The open and save dialogs of the file commands, with the common file-type filter, the
// remembered file type and the default extensions.
#pragma once

#include <QString>
#include <array>

#include "shell/app_context.h"

namespace document {

extern const char* const kCommonFilter;
// Default extensions by file type 1..6; "Все файлы" adds none.
inline constexpr std::array<const char*, 6> kDefaultExtensions{".txt", ".htm", ".mac",
                                                               ".diz", ".ini", ""};

// The chosen path, or "" when cancelled. The file type shown last is stored as FilterIndex.
QString AskOpenFileName(shell::AppContext& ctx, const QString& title, const QString& initialDir);
// The chosen path, or "". A name without an extension gets the chosen type's default one.
QString AskSaveFileName(shell::AppContext& ctx, const QString& title, const QString& initialDir);

// `Last Dir`, or the program directory when it was never stored.
QString LastDir(shell::AppContext& ctx);

}  // namespace document
