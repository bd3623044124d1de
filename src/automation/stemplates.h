// Special templates: sets of short pieces in the STemplates folder, one set active at a time.
// Alt+T in the editor pops the active set's pieces up at the caret; the chosen one is inserted.
#pragma once

#include <QString>
#include <QStringList>

namespace shell {
class FrmMain;
}

namespace automation {

// The sets (the sub-folders of the folder), in the order the folder lists them.
QStringList SpecialTemplateSets(const QString& folder);
// A piece's text as it is inserted: the file's text without the one line break (CR LF, LF or CR)
// it ends in; a file that ends in none is inserted whole. Example: "<b></b>\r\n" gives "<b></b>".
QString SpecialTemplateText(const QString& fileText);

void InstallSpecialTemplates(shell::FrmMain& window);

}  // namespace automation
