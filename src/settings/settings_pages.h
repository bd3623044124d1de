// The pages of the settings dialog. Each page fills its frame with its controls, reads their
// values, and wires them so that a change is stored and takes effect at once.
#pragma once

class QGroupBox;

namespace shell {
class FrmMain;
}

namespace settings {

enum Page {
  kMainPage = 0,      // "Главные": back-up, history, auto-save, sound
  kIntegrationPage,   // "Интеграция": file associations, "Open with", the HTML editor
  kEditorPage,        // "Редактор": text mode, tab size, editor options, date format
  kInterfacePage,     // "Интерфейс": icon set, line numbering, font, language
  kHighLightPage,     // "Подсветка": schemes, colours, highlight options
  kPluginsPage,       // "Плагины"
  kProgramsPage,      // "Программы": browser paths and the program list
  kTemplatesPage,     // "Шаблоны": templates and the user's macro variables
  kAutomationPage,    // "Автомат": auto-complete words and replace-as-you-type pairs
  kMacroPage,         // "Macro": the event macros
  kCodePagesPage,     // "Кодировки": the code page of saving
  kKeysPage,          // "Клавиши": the user's hot keys
  kPageCount
};

void BuildMainPage(QGroupBox& frame, shell::FrmMain& window);
void BuildIntegrationPage(QGroupBox& frame, shell::FrmMain& window);
void BuildEditorPage(QGroupBox& frame, shell::FrmMain& window);
void BuildInterfacePage(QGroupBox& frame, shell::FrmMain& window);
void BuildHighLightPage(QGroupBox& frame, shell::FrmMain& window);
void BuildPluginsPage(QGroupBox& frame, shell::FrmMain& window);
void BuildProgramsPage(QGroupBox& frame, shell::FrmMain& window);
void BuildTemplatesPage(QGroupBox& frame, shell::FrmMain& window);
void BuildAutomationPage(QGroupBox& frame, shell::FrmMain& window);
void BuildMacroPage(QGroupBox& frame, shell::FrmMain& window);
void BuildCodePagesPage(QGroupBox& frame, shell::FrmMain& window);
void BuildKeysPage(QGroupBox& frame, shell::FrmMain& window);

}  // namespace settings
