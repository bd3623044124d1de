#include "text/line_commands.h"

#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "text/frm_format.h"
#include "text/lines.h"
#include "text/text_command.h"

namespace text {
namespace {

const QString kDefaultTemplate = QStringLiteral("$text$");
const QString kTemplatePrompt = QStringLiteral("Введите шаблон");

// Asks for a template and applies `operation` with its prefix and suffix. A template without
// the marker leaves the text as it is.
void withTemplate(shell::FrmMain& window, Target target, const QString& title,
                  std::function<QString(const QString&, const TemplateParts&)> operation) {
  const auto answer = Ask(window, kTemplatePrompt, title, kDefaultTemplate);
  const auto parts = answer ? SplitTemplate(*answer) : std::nullopt;
  if (!parts) {
    window.focusEditor();
    return;
  }
  Apply(window, target, [&](const QString& text) { return operation(text, *parts); });
}

void frame(shell::FrmMain& window) {
  const auto before = Ask(window, "Введите символы для добавления перед строкой", "Ввод символов");
  const auto after = before ? Ask(window, "За строкой?", "Ввод слов") : std::nullopt;
  if (after) {
    platform::EditControl& editor = window.txtMain();
    editor.setSelectedText(*before + editor.selectedText() + *after);
  }
  window.focusEditor();
}

void removeBoiler(shell::FrmMain& window) {
  const auto answer = Ask(window, kTemplatePrompt, "Удаление по шаблону", kDefaultTemplate);
  const auto parts = answer && *answer != kDefaultTemplate ? SplitTemplate(*answer) : std::nullopt;
  if (!parts) {
    window.focusEditor();
    return;
  }
  Apply(window, Target::Whole,
        [&](const QString& text) { return RemoveSpans(text, parts->prefix, parts->suffix); });
}

void removeSelectedEverywhere(shell::FrmMain& window) {
  const QString selected = window.txtMain().selectedText();
  if (selected.isEmpty()) {
    window.focusEditor();
    return;
  }
  Apply(window, Target::Whole, [&](const QString& text) { return RemoveEvery(text, selected); });
}

void deleteCurrentLine(shell::FrmMain& window) {
  platform::EditControl& editor = window.txtMain();
  editor.deleteLine(editor.selection().startLine);
  window.focusEditor();
}

// The commands that need no answer: name, target, operation.
struct PlainCommand {
  const char* name;
  Target target;
  QString (*operation)(const QString&);
};

const PlainCommand kPlainCommands[] = {
    {"mnuNumberStrings", Target::SelectionOrWhole, NumberLines},
    {"mnuRemoveEmptyStrings", Target::Whole, RemoveEmptyLines},
    {"mnuNoStrings", Target::SelectionOrWhole, JoinLines},
    {"mnuNoSpaces", Target::SelectionOrWhole, RemoveAllSpaces},
    {"mnuRemoveNNSpaces", Target::SelectionOrWhole, SqueezeSpaces},
    {"mnuTabsToSpaces", Target::Whole, TabsToSpaces},
    {"mnuSpacesToTabs", Target::Whole, SpacesToTabs},
};

void installTemplateCommands(shell::FrmMain& window) {
  shell::Commands& c = window.commands();
  c.bind("mnuBothSymbols", [&window] {
    withTemplate(window, Target::SelectionOrWhole, "Добавление символов",
                 [](const QString& text, const TemplateParts& t) {
                   return AddTemplate(text, t.prefix, t.suffix);
                 });
  });
  c.bind("mnuRemoveSymbolsBoth", [&window] {
    withTemplate(window, Target::SelectionOrWhole, "Удаление символов",
                 [](const QString& text, const TemplateParts& t) {
                   return CutLineEnds(text, LeadingNumber(t.prefix), LeadingNumber(t.suffix));
                 });
  });
  c.bind("mnuIndent", [&window] {
    withTemplate(window, Target::SelectionOrWhole, "Добавление сдвига",
                 [](const QString& text, const TemplateParts& t) {
                   return PadLines(text, LeadingNumber(t.prefix), LeadingNumber(t.suffix));
                 });
  });
}

}  // namespace

void InstallLineCommands(shell::FrmMain& window) {
  shell::Commands& c = window.commands();
  for (const PlainCommand& command : kPlainCommands) {
    c.bind(QString::fromUtf8(command.name),
           [&window, command] { Apply(window, command.target, command.operation); });
  }
  installTemplateCommands(window);
  c.bind("mnuObraml", [&window] { frame(window); });
  c.bind("mnuRemoveBoiler", [&window] { removeBoiler(window); });
  c.bind("mnuRemoveSymbol", [&window] { removeSelectedEverywhere(window); });
  c.bind("mnuDeleteLine", [&window] { deleteCurrentLine(window); });
  InstallSortCommands(window);
  InstallFormatCommand(window);
}

}  // namespace text
