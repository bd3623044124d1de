// The main window: creates the widgets, builds the menus from the command table and forwards
// events to the modules. No command's work lives here.
#pragma once

#include <QMainWindow>
#include <memory>

#include "document/document.h"
#include "platform/edit_control.h"
#include "shell/app_context.h"
#include "shell/commands.h"
#include "shell/hooks.h"

class QLabel;
class QMenu;

namespace document {
class RecentFiles;
}

namespace shell {

enum class Side { Left, Right };

class FrmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit FrmMain(AppContext& context, QWidget* parent = nullptr);
  ~FrmMain() override;

  AppContext& context() { return m_context; }
  platform::EditControl& txtMain() { return *m_txtMain; }
  Commands& commands() { return *m_commands; }
  document::Document& document() { return m_document; }
  Hooks& hooks() { return m_hooks; }
  QLabel& statusText() { return *m_statusText; }
  // A note beside the status text about how the document was read (read-only, partial, bytes a
  // save would change); empty for an ordinary document.
  QLabel& statusNote() { return *m_statusNote; }
  // The selection as last seen by the editor's events; saving and the commands that select
  // read it and hand it back to the editor.
  const platform::SelRange& selectionRange() const { return m_selection; }
  void setSelectionRange(const platform::SelRange& range) { m_selection = range; }
  // The recent-files list, once its feature is installed; nullptr before.
  document::RecentFiles* recentFiles() const { return m_recent.get(); }
  void setRecentFiles(std::shared_ptr<document::RecentFiles> recent) { m_recent = std::move(recent); }

  // Which bars and panels are shown; the layout reads them.
  bool toolBarShown() const { return m_toolBarShown; }
  bool StatusB() const { return m_statusShown; }
  bool HTMLTags() const { return m_panelShown[1]; }
  bool CodeLib() const { return m_panelShown[0]; }
  void setToolBarShown(bool shown);
  void setStatusBarShown(bool shown);
  // The code-library panel stands on the left, the snippets panel on the right.
  void setSidePanel(Side side, QWidget* panel);
  QWidget* sidePanel(Side side) const { return m_panels[side == Side::Left ? 0 : 1]; }
  // The panel of `side`, made on first use: few sessions open the side panels, and making them
  // cost every start the better part of a millisecond.
  template <typename Panel>
  Panel& madeSidePanel(Side side) {
    if (auto* made = qobject_cast<Panel*>(sidePanel(side))) return *made;
    auto* panel = new Panel(*this);
    setSidePanel(side, panel);
    return *panel;
  }
  void setSidePanelShown(Side side, bool shown);

  // Keeps the window above all others, or puts it back among them, without moving it.
  void setTopMost(bool on);
  // Lays the window out again (bars, panels, the editor) and applies the split rule.
  void relayout();
  void focusEditor();

  // Runs the exit procedure when the window closes; a cancelled exit keeps it open.
  void setShutdown(std::function<bool()> procedure) { m_shutdown = std::move(procedure); }

 Q_SIGNALS:
  // The window is going: its children are destroyed after this, when it is a window no more,
  // so a child that would reach back into it (the editor, its state) stops listening here.
  void destroying();

 protected:
  // None of Qt's own: it would hide the tool bar behind the back of "Панель инструментов" and
  // its stored setting, and show its Russian title in every language.
  QMenu* createPopupMenu() override { return nullptr; }
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  AppContext& m_context;
  document::Document m_document;
  Hooks m_hooks;
  platform::EditControl* m_txtMain = nullptr;
  Commands* m_commands = nullptr;
  QLabel* m_statusText = nullptr;
  QLabel* m_statusNote = nullptr;
  QWidget* m_panels[2] = {nullptr, nullptr};
  bool m_panelShown[2] = {false, false};
  bool m_toolBarShown = true;
  bool m_statusShown = true;
  std::function<bool()> m_shutdown;
  platform::SelRange m_selection;
  std::shared_ptr<document::RecentFiles> m_recent;
};

}  // namespace shell
