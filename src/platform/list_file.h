// List files: one item per line, items end at a comma or a line end, spaces around them are
// dropped, and an item that begins with a double quote runs to the closing quote.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform::ListFile {

// Items in file order; empty items are kept (readers that skip them say so).
QStringList parse(const QString& content);
std::optional<QStringList> read(const QString& path);

// Items joined by CR LF with one final CR LF. An item that holds a comma, a double quote or
// surrounding spaces is quoted (inner quotes doubled), so every item reads back as written.
QString format(const QStringList& items);
bool write(const QString& path, const QStringList& items, QString* error = nullptr);

}  // namespace platform::ListFile
