#include "languages/languages.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "editor/key_dispatch.h"
#include "languages/language_list.h"
#include "platform/caption_marks.h"
#include "platform/qt_translations.h"
#include "shell/frm_main.h"

namespace languages {
namespace {

// The program's windows and side panels are named "frm…".
bool isProgramForm(const QObject& object) {
  return object.isWidgetType() &&
         object.objectName().startsWith(QLatin1String("frm"), Qt::CaseInsensitive);
}

}  // namespace

Languages::Languages(shell::FrmMain& window) : QObject(&window), m_window(window) {
  setObjectName(QStringLiteral("languages"));
  // Every window takes the language as it opens, wherever in the program it was made.
  qApp->installEventFilter(this);
}

Languages* LanguagesOf(shell::FrmMain& window) {
  return window.findChild<Languages*>(QStringLiteral("languages"), Qt::FindDirectChildrenOnly);
}

void Languages::LoadLanguageMenu() {
  m_names = LanguageNames(m_window.context().paths);
  shell::MenuArray* items = m_window.commands().array(QStringLiteral("mnuLang"));
  items->clear();
  // The built-in entry is the language's own name, the same in every language.
  if (QAction* russian = items->item(0)) platform::MarkDataCaption(*russian);
  for (qsizetype i = 1; i < m_names.size(); ++i) items->add(m_names[i]);
}

void Languages::applyStored() {
  use(ChosenLanguage(m_names, m_window.context().settings));
  checkItem(m_index);
}

void Languages::choose(int index) {
  if (index < 0 || index >= m_names.size()) return;
  use(index);
  checkItem(index);
  auto& settings = m_window.context().settings;
  settings.set(platform::Setting::Language, QString::number(index));
  settings.set(platform::Setting::LanguageName, m_names[index]);
}

void Languages::use(int index) {
  m_index = index;
  const QString path = LanguageFilePath(m_window.context().paths, m_names.value(index));
  m_current = Translation::load(path, index == 0);
  platform::UseQtTranslations(m_current.qtLanguage());
  // At start-up in Russian nothing has been translated yet, so there is nothing to walk.
  if (index == 0 && !m_applied && m_current.isEmpty()) return;
  m_applied = true;
  applyToAllWindows();
}

void Languages::applyToMainWindow() {
  ApplyLanguage(m_current, m_window);
  editor::ShowFixedKeys(m_window.commands());
}

void Languages::applyToAllWindows() {
  // The main window's tree holds every window made for it; only windows without a parent are
  // left to reach on their own.
  applyToMainWindow();
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top != &m_window && !top->parentWidget() && isProgramForm(*top))
      ApplyLanguage(m_current, *top);
}

void Languages::checkItem(int index) {
  const shell::MenuArray* items = m_window.commands().array(QStringLiteral("mnuLang"));
  for (int i = 0; i < items->count(); ++i) items->item(i)->setChecked(i == index);
}

bool Languages::eventFilter(QObject* watched, QEvent* event) {
  // A side panel too: it is made when first shown, after the language was applied.
  if (event->type() == QEvent::Show && watched != &m_window && isProgramForm(*watched) &&
      (m_applied || !m_current.isEmpty()))
    ApplyLanguage(m_current, *static_cast<QWidget*>(watched));
  return false;
}

void InstallLanguages(shell::FrmMain& window) {
  auto* languages = new Languages(window);
  window.hooks().add(shell::Hook::LanguageMenu, [languages] {
    languages->LoadLanguageMenu();
    languages->applyStored();
  });
  window.commands().bindArray(QStringLiteral("mnuLang"),
                              [languages](int index) { languages->choose(index); });
}

}  // namespace languages
