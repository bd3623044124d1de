// The macro host of the running program: the editing control, the system clipboard, the desktop's
// "open" verb, and from the main window the shared selection range and the document's path. The
// main window hands those two over as functions, so this file knows nothing of it.
#pragma once

#include <functional>

#include "automation/macro_host.h"

namespace platform {
class Clipboard;
class EditControl;
class Shell;
}  // namespace platform

namespace automation {

class EditorMacroHost final : public MacroHost {
 public:
  struct Window {
    std::function<platform::SelRange()> sharedRange;
    std::function<void(const platform::SelRange&)> storeSharedRange;
    std::function<QString()> openedFile;
  };

  EditorMacroHost(platform::EditControl& edit, platform::Clipboard& clipboard,
                  platform::Shell& shell, Window window);

  void beginRun() override;
  void endRun() override;
  QString text() const override;
  qsizetype textLength() const override;
  void setText(QString text) override;
  QString selectedText() const override;
  void setSelectedText(const QString& text) override;
  bool hasSelection() const override;
  platform::SelRange selection() const override;
  int lineCount() const override;
  int lineLength(int line) const override;
  bool acceptsEdits() const override;
  platform::SelRange sharedRange() const override;
  // Stores the range, selects it and scrolls it into view.
  void applySharedRange(const platform::SelRange& range) override;
  QString clipboardText() const override;
  void setClipboardText(const QString& text) override;
  void clearClipboard() override;
  void shellOpen(const QString& target) override;
  QString openedFile() const override;

 private:
  platform::EditControl& m_edit;
  platform::Clipboard& m_clipboard;
  platform::Shell& m_shell;
  Window m_window;
};

}  // namespace automation
