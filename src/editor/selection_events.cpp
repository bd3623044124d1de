#include "editor/selection_events.h"

#include <QAction>
#include <QLabel>

#include "document/piece_load.h"
#include "platform/clipboard.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "text/code_page.h"

namespace editor {
namespace {

void enable(shell::FrmMain& window, const char* name, bool on) {
  // Only commands a feature has taken on follow the editor; the rest stay disabled.
  if (!window.commands().isBound(QString::fromUtf8(name))) return;
  if (QAction* item = window.commands().action(QString::fromUtf8(name))) item->setEnabled(on);
}

// The code page the status bar names: the one the text was converted from, or else the encoding
// the document is read and written in.
QString encodingName(shell::FrmMain& window) {
  const int code = window.document().CurCodir();
  if (code != 1) return text::CodePageStatusName(code);
  switch (window.txtMain().fileFormat().encoding) {
    case platform::Encoding::Utf8: return QStringLiteral("UTF-8");
    case platform::Encoding::Utf16Le: return QStringLiteral("UTF-16 LE");
    case platform::Encoding::Utf16Be: return QStringLiteral("UTF-16 BE");
    case platform::Encoding::Windows1251: break;
  }
  return text::CodePageStatusName(code);
}

// What the user must know about how the document was read.
QString documentNote(shell::FrmMain& window) {
  const document::Document& doc = window.document();
  switch (doc.partial()) {
    case document::Partial::Shrunk:
      return QStringLiteral("Только чтение: файл изменился во время чтения");
    case document::Partial::Loading:
      return QStringLiteral("Только чтение: файл загружается");
    case document::Partial::Stopped:
      return QStringLiteral("Только чтение: загружена только часть файла");
    case document::Partial::No:
      break;
  }
  if (doc.isNewFile()) return QStringLiteral("Новый файл");
  QString note = window.txtMain().isReadOnly() ? QStringLiteral("Только чтение") : QString();
  if (!doc.fidelity().exact())
    note += (note.isEmpty() ? QString() : QStringLiteral(" | ")) +
            QStringLiteral("Сохранение изменит: ") + doc.fidelity().describe();
  else if (doc.fidelity().binary)
    note += (note.isEmpty() ? QString() : QStringLiteral(": ")) + doc.fidelity().describe();
  return note;
}

}  // namespace

QString StatusText(const StatusInfo& i) {
  return QString::number(i.line) + " : " + QString::number(i.lineCount) + " | " + i.codePage +
         " | " + QString::number(i.column) + " : " + QString::number(i.lineLength + 1) + " | " +
         QStringLiteral("Всего символов: ") + QString::number(i.textLength);
}

void RefreshPasteCommand(shell::FrmMain& window) {
  // A file coming in holds every command off until it is in, the clipboard's news aside.
  enable(window, "mnuPaste",
         window.txtMain().canPaste() && !document::LoadUnderWay(window));
}

void RefreshAfterSelection(shell::FrmMain& window) {
  platform::EditControl& e = window.txtMain();
  // A file coming in owns the status line, also while it is read before its first piece; the
  // counts would be of a text still growing, or of the one it replaces.
  if (e.isLoading() || document::LoadUnderWay(window)) {
    window.statusNote().setText(documentNote(window));
    return;
  }
  const platform::SelRange sel = e.selection();
  window.setSelectionRange(sel);
  const bool highlight = window.context().settings.flag(platform::Setting::HighLightCurrentLine);
  e.setHighlightedLine(highlight ? sel.endLine : -1);

  enable(window, "mnuCut", e.canCut());
  enable(window, "mnuDelete", e.canCut());
  enable(window, "mnuCopy", e.canCopy());
  enable(window, "mnuRemoveSymbol", e.canCopy());
  RefreshPasteCommand(window);
  enable(window, "mnuUndo", e.canUndo());
  enable(window, "mnuRedo", e.canRedo());

  StatusInfo info;
  info.line = sel.startLine + 1;
  info.lineCount = e.lineCount();
  info.codePage = encodingName(window);
  info.column = sel.startCol + 1;
  info.lineLength = e.lineLength(sel.startLine);
  info.textLength = e.textLength();
  window.statusText().setText(StatusText(info));
  window.statusNote().setText(documentNote(window));
}

void InstallSelectionEvents(shell::FrmMain& window) {
  auto refresh = [&window] { RefreshAfterSelection(window); };
  QObject::connect(&window.txtMain(), &platform::EditControl::selectionChanged, &window, refresh);
  // A command that rewrites the text without moving the caret still changes what undo can do.
  QObject::connect(&window.txtMain(), &platform::EditControl::changed, &window, refresh);
  window.hooks().add(shell::Hook::StartupDone, refresh);
  // The status bar names the document's code page.
  QObject::connect(&window.document(), &document::Document::curCodirChanged, &window, refresh);
  // Opening and saving change the encoding the status bar names (a save may widen to UTF-8).
  QObject::connect(&window.document(), &document::Document::captionChanged, &window, refresh);
  // Text copied in another program can be pasted at once, wherever the caret stands.
  platform::OnClipboardChanged(&window, [&window] { RefreshPasteCommand(window); });
}

}  // namespace editor
