#include "text/code_page_commands.h"

#include <QAction>
#include <QCloseEvent>
#include <QPointer>
#include <memory>

#include "platform/caption_marks.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/window_placement.h"
#include "text/code_page.h"
#include "text/frm_convert.h"
#include "text/text_command.h"

namespace text {
namespace {

void checkMenuItem(shell::FrmMain& window, int codePage) {
  shell::MenuArray* menu = window.commands().array("mnuSetCodir");
  const int checked = MenuIndexOfCodePage(codePage);
  for (int i = 0; i < menu->count(); ++i) menu->item(i)->setChecked(i == checked);
}

void convertWhole(shell::FrmMain& window, int from, int to) {
  Apply(window, Target::Whole,
        [from, to](const QString& text) { return ConvertCodePage(text, from, to); });
}

// Keeps the window's place in the settings whichever way it is closed.
class PlacementKeeper : public QObject {
 public:
  PlacementKeeper(QWidget* window, platform::SettingsStore& settings)
      : QObject(window), m_settings(settings) {
    window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close)
      shell::StorePosition(*static_cast<QWidget*>(watched), m_settings, "Convert");
    return false;
  }

 private:
  platform::SettingsStore& m_settings;
};

void openConverter(shell::FrmMain& window, QPointer<FrmConvert>& converter) {
  if (!converter) {
    auto convert = [&window](int from, int to) { convertWhole(window, from, to); };
    converter = new FrmConvert(window.document().CurCodir(), convert, &window);
    converter->setAttribute(Qt::WA_DeleteOnClose);
    shell::RestorePosition(*converter, window.context().settings, "Convert");
    new PlacementKeeper(converter, window.context().settings);
  }
  converter->show();
  converter->raise();
}

}  // namespace

void SetCodePage(shell::FrmMain& window, int codePage) {
  const int current = window.document().CurCodir();
  convertWhole(window, codePage, current);
  window.document().setCurCodir(codePage);
}

void RecognizeCodePage(shell::FrmMain& window) {
  const QString whole = window.txtMain().text();
  if (whole.isEmpty()) return;
  const int code = DetectCodePage(whole);
  // No fitting code page, or text already in Windows-1251: the text stays as it is.
  if (code == 0) return;
  if (code != 1) convertWhole(window, code, 1);
  window.document().setCurCodir(code);
}

void InstallCodePageCommands(shell::FrmMain& window) {
  shell::Commands& c = window.commands();
  c.bindArray("mnuSetCodir", [&window](int index) {
    if (const int code = CodePageOfMenuIndex(index)) SetCodePage(window, code);
  });
  c.bind("mnuRecognizeCodir", [&window] { RecognizeCodePage(window); });
  // Code pages are called by their names in every language.
  platform::MarkDataCaption(*c.array("mnuSetCodir")->item(0));
  // The check mark names the document's code page, whoever changed it (opening a file, a new
  // document, a reload).
  QObject::connect(&window.document(), &document::Document::curCodirChanged, &window,
                   [&window](int code) { checkMenuItem(window, code); });
  auto converter = std::make_shared<QPointer<FrmConvert>>();
  c.bind("mnuConvert", [&window, converter] { openConverter(window, *converter); });
}

}  // namespace text
