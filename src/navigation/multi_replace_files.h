// The files of multiple replacement: replacement lists ("LastMr.lst" and the user's own list
// files) and the list of saved list paths ("Multies.lst"), all of them list files.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace navigation {

// The items of a list file, each followed by CR LF: the list text the dialog shows. nullopt
// with the reason in `error` when the file cannot be read.
std::optional<QString> ReadReplacementList(const QString& path, QString* error = nullptr);

// Writes a list text, replacing the file: each of its lines (ReplacementListLines) as one item
// ended by CR LF. The text's own final line break ends its last line and opens no empty one, so
// what ReadReplacementList gives is written back byte for byte: "a=b" and "a=b\r\n" both give
// "a=b\r\n", an empty list an empty file. A line holding a comma or a double quote, or
// starting or ending with a space, is written quoted by the list writer, since the list reader
// would split it at the comma or drop the spaces; such a line reads back as it was written.
bool WriteReplacementList(const QString& path, const QString& list, QString* error = nullptr);

// The items of a list file in file order; none when it cannot be read.
QStringList ReadListItems(const QString& path);

// Adds one item at the end of a list file as a line of its own (creating the file when missing),
// quoted as the list writer quotes, in the file's own encoding and line ends. The lines already
// there are left as they are; only when the file is Windows-1251 and the item holds a character
// that code page lacks does the whole file go over to UTF-8, its lines otherwise unchanged.
bool AppendListItem(const QString& path, const QString& item, QString* error = nullptr);

}  // namespace navigation
