// Templates: whole documents kept in the Templates folder, one ".lst" file each. Choosing one
// gives a new untitled document holding its text with the macro variables filled in.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace shell {
class FrmMain;
}

namespace automation {

// The names of the ".lst" files of a folder (templates, or the pieces of a special-template
// set), in the order the folder lists them: each file's name up to its first ".".
QStringList TemplateNames(const QString& folder);

// Rebuilds the menu array `mnuTemplate` from the folder.
void BuildTemplateMenu(shell::FrmMain& window);

// Replaces the document by the template (asking first about a modified one); false when the
// user cancelled or the template could not be read.
bool ChooseTemplate(shell::FrmMain& window, const QString& name);

// What the settings page does with templates. Each returns the reason in the user's words when
// nothing was done; the menu is rebuilt after a change.
std::optional<QString> AddTemplate(shell::FrmMain& window, const QString& name);
std::optional<QString> RemoveTemplate(shell::FrmMain& window, const QString& name);
// Opens the template's file as the user's document.
bool EditTemplate(shell::FrmMain& window, const QString& name);
// Whether the template's file is there (adding one of that name would empty it).
bool TemplateExists(shell::FrmMain& window, const QString& name);

void InstallTemplates(shell::FrmMain& window);

}  // namespace automation
