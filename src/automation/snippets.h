// Snippets: short pieces of text kept as "*.lst" files in the sub-folders (groups) of the
// "Snippets" folder. A snippet wraps the selection: every "$txt$" in it stands for the selected
// text.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {
class AppPaths;
}

namespace automation {

// The groups: the sub-folders of `snippetsDir`, by name without regard to letter case. Plain
// files and hidden folders beside them are not groups. A missing folder has none.
QStringList SnippetGroups(const QString& snippetsDir);

// The snippets of one group folder: its "*.lst" files (extension in any letter case), each
// named without its last four characters, by name without regard to letter case.
QStringList SnippetNames(const QString& groupDir);

// True for a name that can only mean a folder directly inside "Snippets": one path component,
// not "." or "..". A group name comes back from the settings, so it is checked before use.
bool IsSnippetGroup(const QString& group);

// The folder of a group, found without regard to letter case; nullopt for a bad group name.
std::optional<QString> SnippetGroupDir(const platform::AppPaths& paths, const QString& group);

// The snippet's file, found without regard to letter case; nullopt for a bad group name.
std::optional<QString> SnippetFile(const platform::AppPaths& paths, const QString& group,
                                   const QString& name);

// The snippet with every "$txt$" — spelled exactly so, letter case included — replaced by the
// selection ("" when nothing is selected). Text coming from the selection is not looked at
// again: a selection holding "$txt$" stays as it is.
// Example: WrapSelection("<b>$txt$</b>", "x") is "<b>x</b>".
QString WrapSelection(const QString& snippet, const QString& selection);

}  // namespace automation
