#include "html/html_preview.h"

#include <QTemporaryDir>

#include "platform/edit_control.h"
#include "platform/start_program.h"
#include "platform/text_file.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace html {
namespace {

// The private folder of the preview file: a fixed name in a shared folder could be planted or
// read by another user; this one is made afresh with only the owner's rights.
class PreviewFolder : public QObject {
 public:
  explicit PreviewFolder(QObject* parent) : QObject(parent) { setObjectName("previewFolder"); }
  const QTemporaryDir& dir() const { return m_dir; }

 private:
  QTemporaryDir m_dir;
};

QString previewFolder(shell::FrmMain& window) {
  auto* folder = window.findChild<PreviewFolder*>("previewFolder", Qt::FindDirectChildrenOnly);
  if (!folder) folder = new PreviewFolder(&window);
  return folder->dir().isValid() ? folder->dir().path() : QString();
}

enum class Browser { Program, Default };

void preview(shell::FrmMain& window, Browser browser, const platform::SettingDef* setting) {
  shell::AppContext& ctx = window.context();
  const QString program = setting ? ctx.settings.get(*setting) : QString();
  if (setting == &platform::Setting::MyBrowserDir && program.isEmpty()) {
    ctx.ui.message(QStringLiteral("Не выбран дополнительный броузер"),
                   QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                   platform::MsgIcon::Error);
    return window.focusEditor();
  }
  const QString path = PreviewFile(window);
  // A browser that does not start is not reported, as it never was.
  if (!path.isEmpty()) {
    if (browser == Browser::Default)
      ctx.shell.open(path);
    else
      platform::StartProgram(program, {path});
  }
  window.focusEditor();
}

}  // namespace

QString PreviewFile(shell::FrmMain& window) {
  if (!window.document().isUntitled()) return window.document().path();
  const QString folder = previewFolder(window);
  if (folder.isEmpty()) return QString();
  platform::EditControl& editor = window.txtMain();
  QString text = editor.selectedText();
  if (text.isEmpty()) text = editor.text();
  const QString path = folder + QStringLiteral("/Ostrel_Preview_Temp.htm");
  if (!platform::TextFile::write(path, text + QStringLiteral("\r\n"), editor.fileFormat()))
    return QString();
  return path;
}

void InstallHtmlPreview(shell::FrmMain& window) {
  shell::Commands& c = window.commands();
  const struct {
    const char* name;
    Browser browser;
    const platform::SettingDef* setting;
  } items[] = {
      {"mnuPreviewInIE", Browser::Program, &platform::Setting::InternetExplorer},
      {"mnuPreviewInOpera", Browser::Program, &platform::Setting::Opera},
      {"mnuPreviewInNetScape", Browser::Program, &platform::Setting::NetScape},
      {"mnuPreviewInDefaultBrowser", Browser::Default, nullptr},
      {"mnuOther", Browser::Program, &platform::Setting::MyBrowserDir},
  };
  for (const auto& item : items)
    c.bind(item.name, [&window, browser = item.browser, setting = item.setting] {
      preview(window, browser, setting);
    });
}

}  // namespace html
