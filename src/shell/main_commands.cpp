#include "shell/main_commands.h"

#include <QFontInfo>
#include <QPrinter>

#include "platform/edit_control.h"
#include "shell/date_format.h"
#include "shell/frm_main.h"

namespace shell {
namespace {

namespace Setting = platform::Setting;

void chooseFont(FrmMain& window) {
  platform::EditControl& editor = window.txtMain();
  // The dialog starts from the font the editor really shows: a stored family the system lacks
  // ("Courier New") is shown in the one the system put in its place.
  QFont shown = editor.editorFont();
  shown.setFamily(QFontInfo(shown).family());
  const auto font = window.context().ui.font(shown);
  if (!font) return;
  const int size = font->pointSize() > 0 ? font->pointSize() : editor.editorFont().pointSize();
  editor.setEditorFont(font->family(), size, editor.editorCharSet());
  auto& s = window.context().settings;
  s.set(Setting::DefaultFontName, font->family());
  s.set(Setting::DefaultFontSize, QString::number(size));
  // Qt fonts carry no character set: the one chosen before stays.
  const int index = platform::IndexOfCharSet(editor.editorCharSet());
  if (index >= 0) s.set(Setting::DefaultFontCharSet, QString::number(index));
  window.focusEditor();
}

void print(FrmMain& window) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(window.document().isUntitled() ? window.windowTitle()
                                                    : window.document().fileName());
  if (window.context().ui.choosePrinter(printer)) window.txtMain().print(printer);
}

}  // namespace

void InstallMainCommands(FrmMain& window) {
  Commands& c = window.commands();
  c.bind("mnuFont", [&window] { chooseFont(window); });
  c.bind("mnuPasteDateAndTime", [&window] {
    const QString format = window.context().settings.get(Setting::DateFormat);
    window.txtMain().setSelectedText(FormatDateTime(QDateTime::currentDateTime(), format));
    window.focusEditor();
  });
  c.bind("mnuSetDivider", [&window] {
    window.txtMain().setDivider(window.txtMain().selection().endLine, true);
    window.focusEditor();
  });
  c.bind("mnuPrint", [&window] { print(window); });
  // The file as last saved is what runs; an untitled document has nothing to run.
  c.bind("mnuExecute", [&window] {
    if (!window.document().isUntitled()) window.context().shell.open(window.document().path());
  });
}

}  // namespace shell
