// The extensions the user wants opened by the program, each with its check mark, and the file
// "Associated.lst" in the program directory that keeps them between runs.
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace integration {

inline constexpr char kAssociationsFile[] = "Associated.lst";

struct AssociationItem {
  QString extension;  // as the user typed it: "txt" and ".txt" are both allowed
  bool checked = false;
  bool operator==(const AssociationItem&) const = default;
};
using AssociationList = QList<AssociationItem>;

// The extension as the system knows it: spaces trimmed and a "." put in front ("htm" → ".htm").
// nullopt when nothing is left, or when it holds what no file-name extension can (a path
// separator, a control character, a glob character), so it can never become part of a pattern
// or a path.
std::optional<QString> normalizeExtension(const QString& extension);

// The lines of the file: a checked extension is prefixed "En", an unchecked one is not. An
// unchecked extension that itself begins with "En" is given its dot, so it cannot come back
// checked and shortened ("Eng" → ".Eng"): the system sees the same extension either way.
QStringList associationLines(const AssociationList& list);

// Reads items back: empty items are skipped; an item beginning with "En" is checked and loses
// those two characters; items that are no extension (see normalizeExtension) are dropped.
AssociationList parseAssociationLines(const QStringList& lines);

// A missing or unreadable file gives an empty list.
AssociationList LoadAssociations(const QString& path);
// Rewrites the file whole, beginning with an empty line and ending with a line break.
bool SaveAssociations(const QString& path, const AssociationList& list, QString* error = nullptr);

}  // namespace integration
