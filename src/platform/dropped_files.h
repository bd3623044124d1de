// Files dragged onto the program from a file manager: which local files a drag carries, and
// taking such a drag without harm to the files.
#pragma once

#include <QStringList>

class QDropEvent;
class QMimeData;

namespace platform {

// The local files a drag carries (its file: addresses), in their order, folders left out. Empty
// for dragged text and for addresses of the network, which stay text.
QStringList DroppedFiles(const QMimeData* data);

// For a drag enter, move or drop event: when it carries files, accepts it as a copy and returns
// true. Never as a move: a file manager that was offered a move deletes its file once the drop
// is taken.
bool AcceptFileDrag(QDropEvent& event);

}  // namespace platform
