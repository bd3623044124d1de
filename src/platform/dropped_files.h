// Files dragged onto the program from a file manager: which local files a drag carries, and
// taking such a drag without harm to the files.
#pragma once

#include <QStringList>
#include <functional>

class QDropEvent;
class QMimeData;
class QWidget;

namespace platform {

// The local files a drag carries (its file: addresses), in their order, folders and missing
// files left out. Empty for dragged text and for addresses of the network.
QStringList DroppedFiles(const QMimeData* data);

// For a drag enter, move or drop event: when it carries files, accepts it as a copy and returns
// true. Never as a move: a file manager that was offered a move deletes its file once the drop
// is taken.
bool AcceptFileDrag(QDropEvent& event);

using FileDropHandler = std::function<void(const QStringList& paths)>;

// Makes `open` the one that opens files dropped anywhere in `window`: the editing controls inside
// it hand their file drops there.
void SetFileDropHandler(QWidget& window, FileDropHandler open);

// The handler of the window `widget` is in; nullptr when it has none, and the widget takes a
// drop of files as it takes any other.
const FileDropHandler* FileDropHandlerOf(const QWidget& widget);

}  // namespace platform
