#include "text/case_commands.h"

#include <QRandomGenerator>

#include "shell/frm_main.h"
#include "text/keyboard_layout.h"
#include "text/letter_case.h"
#include "text/text_command.h"
#include "text/transliteration.h"

namespace text {
namespace {

struct CaseCommand {
  const char* name;
  Target target;
  QString (*operation)(const QString&);
};

// An empty document stays untouched by every one of them: none changes an empty text.
constexpr CaseCommand kCommands[] = {
    {"mnuUpReg", Target::SelectionOrWhole, ToUpperCase},
    {"mnuDownReg", Target::SelectionOrWhole, ToLowerCase},
    {"mnuESBreg", Target::SelectionOrWhole, CapitalizeLines},
    {"mnuEWBreg", Target::SelectionOrWhole, CapitalizeWords},
    {"mnuInvertreg", Target::Selection, InvertCase},
    {"mnuTranslit", Target::SelectionOrWhole, Transliterate},
    {"mnuRusToEng", Target::SelectionOrWhole, LayoutToLatin},
    {"mnuEngToRus", Target::SelectionOrWhole, LayoutToRussian},
};

}  // namespace

void InstallCaseCommands(shell::FrmMain& window) {
  for (const CaseCommand& command : kCommands) {
    window.commands().bind(QString::fromLatin1(command.name), [&window, command] {
      Apply(window, command.target, command.operation);
    });
  }
  window.commands().bind("mnuHackreg", [&window] {
    const quint64 seed = QRandomGenerator::global()->generate64();
    Apply(window, Target::SelectionOrWhole,
          [seed](const QString& target) { return RandomCase(target, seed); });
  });
}

}  // namespace text
