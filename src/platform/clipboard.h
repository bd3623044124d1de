// The system clipboard, as text, and what follows its changes.
#pragma once

#include <QString>
#include <functional>

class QObject;

namespace platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual QString text() const;
  virtual void setText(const QString& text);
  virtual void clear();
};

// Whether the system clipboard holds text. Known until the clipboard changes: the paste
// command's state is asked at every caret move, and asking is a round trip to the display
// server (and to the program that owns the clipboard, once after it changes hands).
bool ClipboardHasText();

// Runs `work` after every change of the system clipboard, by this program or another one, until
// `context` goes. ClipboardHasText() already answers for the new content when `work` runs.
void OnClipboardChanged(QObject* context, std::function<void()> work);

}  // namespace platform
