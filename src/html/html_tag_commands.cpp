#include "html/html_tag_commands.h"

#include <QLocale>

#include "document/file_dialogs.h"
#include "highlight/highlighter.h"
#include "html/frm_html_grad.h"
#include "html/html_colour.h"
#include "html/html_scan.h"
#include "html/html_tags.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "text/text_command.h"

namespace html {
namespace {

constexpr int kHtmlScheme = 1;

// Replaces the selection (or inserts at the caret) and gives the editor the focus back.
void putSelection(shell::FrmMain& window, const QString& text) {
  window.txtMain().setSelectedText(text);
  window.focusEditor();
}

void newPage(shell::FrmMain& window) {
  window.txtMain().setText(PageSkeleton());
  if (highlight::HighLighter* highlighter = highlight::HighLighterOf(window))
    highlighter->SetHighLight(kHtmlScheme);
  window.focusEditor();
}

void insertLink(shell::FrmMain& window) {
  const QString title = QStringLiteral("Добавление гиперссылки");
  const auto url = text::Ask(window, QStringLiteral("Введите URL"), title);
  if (!url) return window.focusEditor();
  const auto name = text::Ask(window, QStringLiteral("Введите название"), title);
  if (!name) return window.focusEditor();
  putSelection(window, LinkTag(*url, *name));
}

void insertFile(shell::FrmMain& window, const QString& title, const QString& filter,
                QString (*tag)(const QString&)) {
  shell::AppContext& ctx = window.context();
  const QString path =
      ctx.ui.openFile(platform::FileRequest{filter, title, document::LastDir(ctx)}).path;
  if (path.isEmpty()) return window.focusEditor();
  putSelection(window, tag(path));
}

void insertFont(shell::FrmMain& window) {
  platform::EditControl& editor = window.txtMain();
  const auto font = window.context().ui.font(editor.editorFont());
  if (!font) return window.focusEditor();
  FontChoice choice;
  choice.family = font->family();
  choice.size = QLocale().toString(font->pointSizeF());
  // The font chooser has no colour of its own: the editor's text colour is what it starts with
  // and what it gives back.
  choice.colour = WindowsColour(editor.viewColours().text);
  choice.bold = font->bold();
  choice.italic = font->italic();
  choice.underline = font->underline();
  choice.strikeOut = font->strikeOut();
  putSelection(window, FontTag(editor.selectedText(), choice));
}

void insertColour(shell::FrmMain& window) {
  // A cancel is the dialog's own answer, so black is inserted like any other colour.
  const auto colour = window.context().ui.colour(Qt::black);
  if (!colour) return window.focusEditor();
  putSelection(window, u'#' + ColorToHtml(WindowsColour(*colour)));
}

void gradient(shell::FrmMain& window) {
  shell::AppContext& ctx = window.context();
  FrmHTMLGrad dialog(ctx.settings, ctx.ui, &window);
  const bool ok = ctx.ui.runModal(dialog) == QDialog::Accepted;
  platform::EditControl& editor = window.txtMain();
  const QString selected = editor.selectedText();
  if (ok && !selected.isEmpty())
    editor.setSelectedText(TextGradient(selected, dialog.startColour(), dialog.endColour()));
  window.focusEditor();
}

void extractUrl(shell::FrmMain& window) {
  platform::EditControl& editor = window.txtMain();
  // Too short to hold a URL: the selection stays rather than being cut to nothing.
  if (const auto url = UrlFromLink(editor.selectedText())) editor.setSelectedText(*url);
  window.focusEditor();
}

}  // namespace

void InstallHtmlTagCommands(shell::FrmMain& window) {
  shell::Commands& c = window.commands();
  c.bind("mnuNewHtml", [&window] { newPage(window); });
  c.bind("mnuHyperLink", [&window] { insertLink(window); });
  c.bind("mnuImages", [&window] {
    insertFile(window, QStringLiteral("Вставка картинки"),
               QStringLiteral("Файлы картинок|*.jpg;*.gif;*.jpeg;*.bmp;*.png|Все файлы(*.*)|*.*"),
               &ImageTag);
  });
  c.bind("mnuHTMLMusicFile", [&window] {
    insertFile(window, QStringLiteral("Вставка музыкального файла"),
               QStringLiteral("Файлы музыки|*.mid;*.wav;|Все файлы(*.*)|*.*"), &SoundTag);
  });
  c.bind("mnuHTMLFont", [&window] { insertFont(window); });
  c.bind("mnuHTMLEnter", [&window] {
    putSelection(window, window.txtMain().selectedText() + QStringLiteral("<BR>"));
  });
  c.bind("mnuHTMLColour", [&window] { insertColour(window); });
  c.bind("mnuHTMLGradient", [&window] { gradient(window); });
  c.bind("mnuExtractURL", [&window] { extractUrl(window); });
}

}  // namespace html
