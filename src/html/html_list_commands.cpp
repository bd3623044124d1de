#include "html/html_list_commands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>

#include "document/file_dialogs.h"
#include "document/open_file.h"
#include "html/frm_console.h"
#include "html/html_scan.h"
#include "html/html_size.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/window_placement.h"

namespace html {
namespace {

// Lives as a child of the main window and keeps its one result window.
class ConsoleOwner : public QObject {
 public:
  explicit ConsoleOwner(shell::FrmMain& window) : QObject(&window), m_window(window) {
    setObjectName("consoleOwner");
  }

  FrmConsole& console() {
    if (!m_console) {
      m_console = new FrmConsole(host(), &m_window);
      m_console->setAttribute(Qt::WA_DeleteOnClose);
      shell::RestorePosition(*m_console, m_window.context().settings, "Stat");
    }
    return *m_console;
  }

 private:
  ConsoleHost host() {
    shell::FrmMain& window = m_window;
    shell::AppContext& ctx = window.context();
    ConsoleHost h;
    h.openFile = [&window](const QString& path) { document::LFile(window, path); };
    h.execFile = [&ctx](const QString& target) { ctx.shell.open(target); };
    h.exportText = [&window](const QString& text) {
      window.txtMain().setSelectedText(text);
      window.focusEditor();
    };
    h.copy = [&ctx](const QString& text) { ctx.clipboard.setText(text); };
    h.askSavePath = [&ctx] {
      const platform::FileRequest request{QStringLiteral("Все файлы(*.*)|*.*"),
                                          QStringLiteral("Сохранить в файл"),
                                          document::LastDir(ctx)};
      return ctx.ui.saveFile(request).path;
    };
    h.closed = [this] {
      // A closed window is gone with its lines; the next list starts a new one.
      shell::StorePosition(*m_console, m_window.context().settings, "Stat");
      m_console = nullptr;
      m_window.focusEditor();
    };
    return h;
  }

  shell::FrmMain& m_window;
  QPointer<FrmConsole> m_console;
};

void showLines(shell::FrmMain& window, const QStringList& lines) {
  FrmConsole& console = ConsoleOf(window);
  console.addLines(lines);
  console.show();
  console.raise();
}

void listLinks(shell::FrmMain& window) {
  const LinkList links = HyperLinks(window.txtMain().text());
  showLines(window, links.entries + QStringList{QStringLiteral("Всего гиперссылок ") +
                                                QString::number(links.count)});
}

// Reads a copy of the text: the document, its modified flag and its undo history stay as they
// were. The window is repainted now and then during a long scan; input waits until it ends, so
// nothing can change or close what the scan reports into.
void listEMails(shell::FrmMain& window) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  struct RestoreCursor {
    ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
  } restore;
  ConsoleOf(window).clearLines();
  QElapsedTimer sinceEvents;
  sinceEvents.start();
  const auto between = [&sinceEvents] {
    if (sinceEvents.elapsed() < 100) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceEvents.restart();
  };
  QStringList addresses = EMailAddresses(window.txtMain().text(), between);
  addresses << QStringLiteral("Всего адресов: ") + QString::number(addresses.size());
  showLines(window, addresses);
}

}  // namespace

FrmConsole& ConsoleOf(shell::FrmMain& window) {
  auto* owner = window.findChild<ConsoleOwner*>("consoleOwner", Qt::FindDirectChildrenOnly);
  if (!owner) owner = new ConsoleOwner(window);
  return owner->console();
}

void InstallHtmlListCommands(shell::FrmMain& window) {
  new ConsoleOwner(window);
  shell::Commands& c = window.commands();
  c.bind("mnuHyperLinks", [&window] { listLinks(window); });
  c.bind("mnuExtractEMails", [&window] { listEMails(window); });
  c.bind("mnuHTMLSize", [&window] {
    showLines(window, SizeReport(window.txtMain().text(), window.document().path()));
  });
}

}  // namespace html
