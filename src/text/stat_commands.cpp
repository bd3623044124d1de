#include "text/stat_commands.h"

#include <QPointer>

#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/window_placement.h"
#include "text/frm_stat.h"
#include "text/frm_symbols.h"
#include "text/statistics.h"

namespace text {
namespace {

void showStatistics(shell::FrmMain& window) {
  platform::EditControl& editor = window.txtMain();
  const Statistics stats = CountStatistics(editor.text(), editor.lineCount());
  FrmStat dialog(StatisticsLines(stats), window.document().fileName(), &window);
  auto& settings = window.context().settings;
  shell::RestorePosition(dialog, settings, "Stat");
  window.context().ui.runModal(dialog);
  shell::StorePosition(dialog, settings, "Stat");
}

void showSymbols(shell::FrmMain& window, QPointer<FrmSymbols>& symbols) {
  if (!symbols) {
    auto insert = [&window](const QString& text) {
      window.txtMain().setSelectedText(text);
      window.focusEditor();
    };
    auto fontChosen = [&window](const QString& family) {
      window.context().settings.set(platform::Setting::STableFont, family);
    };
    symbols = new FrmSymbols(insert, fontChosen, &window);
    symbols->setAttribute(Qt::WA_DeleteOnClose);
  }
  symbols->show();
  symbols->raise();
}

}  // namespace

void InstallStatCommands(shell::FrmMain& window) {
  window.commands().bind("mnuStat", [&window] { showStatistics(window); });
  auto symbols = std::make_shared<QPointer<FrmSymbols>>();
  window.commands().bind("mnuSymbols", [&window, symbols] { showSymbols(window, *symbols); });
}

}  // namespace text
