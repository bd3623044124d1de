// Files dropped on the main window, from a file manager: the first of them is opened as
// "&Открыть" opens a file, with the same question about a modified document.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace document {

// How the window opens a dropped file: the open procedure, the question about a modified
// document included.
using OpenDropped = std::function<void(const QString& path)>;

// Files dropped on the text and on the rest of `window` are opened by `open`, the first of them
// once the drop is over; dropped text keeps going in where it is dropped.
void InstallFileDrop(QWidget& window, OpenDropped open);

}  // namespace document
