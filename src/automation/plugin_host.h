// What a plug-in sees of the running program: the document's text, its selection and path, and
// the status bar. Nothing else of the main window reaches a plug-in.
#pragma once

#include <QString>
#include <optional>

#include "ostrel/plugin_interface.h"

namespace shell {
class FrmMain;
}

namespace automation {

class EditorPluginHost final : public ostrel::PluginHost {
 public:
  explicit EditorPluginHost(shell::FrmMain& window) : m_window(window) {}

  QString text() const override;
  QString selectedText() const override;
  QString documentPath() const override;
  void setStatusText(const QString& text) override;

  // Between these two, status texts wait: the result put in place afterwards refreshes the
  // status bar and would wipe out what the plug-in wrote. finishRun shows the last one when the
  // plug-in `succeeded`; after a failure what it wrote ("работает ...") would be untrue, and the
  // status bar shows what it showed before the run.
  void beginRun();
  void finishRun(bool succeeded);

 private:
  shell::FrmMain& m_window;
  bool m_holding = false;
  std::optional<QString> m_held;
  QString m_before;
};

}  // namespace automation
