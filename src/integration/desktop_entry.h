// The program's own desktop entry in the user's applications folder: what makes it a choice in
// "Open with" lists and a possible default application. The file manager hands the document
// over through the %f field code, so no file name is ever part of a command line we build.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace integration::DesktopEntry {

// The desktop file ID of the entry this program writes and owns; distinct from the installed
// entry, so a system-wide installation is never shadowed or changed.
inline constexpr char kId[] = "ostrel-xp.desktop";
// A line only our entry carries: a file of that name without it is the user's, and is left alone.
inline constexpr char kOwnerKey[] = "X-Ostrel-Integration";

// One argument of an Exec line, quoted so that it reads back as exactly `argument`: double
// quotes around it, '"', '`', '$' and '\' escaped inside them, '%' doubled.
QString quoteArgument(const QString& argument);
// The general escaping of a string value in a desktop entry: '\' doubled, so the quoting above
// survives the reader's first pass.
QString escapeValue(const QString& value);

// The Exec value starting `programPath` with the document as %f; nullopt when the path is not
// absolute or holds a control character (no quoting can carry a line break into an Exec line).
std::optional<QString> execValue(const QString& programPath);

// The whole entry for the program at `programPath` handling `mimeTypes`; nullopt as execValue.
std::optional<QString> content(const QString& programPath, const QStringList& mimeTypes);

}  // namespace integration::DesktopEntry
