// A file type the program was made the default of can be wanted by more than one choice of the
// settings page: "htm" and "html" are both text/html, and so is the default HTML editor. Giving
// the type back for one of them must not undo what another still asks for.
#pragma once

#include <QString>

#include "integration/association_list.h"

namespace integration {

// What else keeps `mimeType` with the program, in words that end a sentence: a checked
// extension of `list` other than the line `except` ("отмеченное расширение «.html»"), or the
// default HTML editor while `htmlEditor` is on; empty when nothing does. `except` < 0 excepts
// no line.
QString KeeperOf(const QString& mimeType, const AssociationList& list, int except,
                 bool htmlEditor);

}  // namespace integration
