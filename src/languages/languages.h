// The interface language of a running program: the menu "&Язык", the stored choice, and the
// translation of every window of the program when it opens and when the language changes.
#pragma once

#include <QObject>
#include <QStringList>

#include "languages/translation.h"

namespace shell {
class FrmMain;
}

namespace languages {

class Languages : public QObject {
  Q_OBJECT
 public:
  explicit Languages(shell::FrmMain& window);

  // Rebuilds the menu array `mnuLang` from the language folder.
  void LoadLanguageMenu();
  // Applies the language the settings choose and checks its menu item (start-up).
  void applyStored();
  // Makes entry `index` the interface language of every open window and stores the choice.
  void choose(int index);

  const QStringList& names() const { return m_names; }
  int currentIndex() const { return m_index; }
  const Translation& current() const { return m_current; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void use(int index);
  void applyToAllWindows();
  void applyToMainWindow();
  void checkItem(int index);

  shell::FrmMain& m_window;
  QStringList m_names;
  int m_index = 0;
  Translation m_current;
  bool m_applied = false;  // a file has changed captions since start-up
};

// The window's language state, once installed; nullptr before.
Languages* LanguagesOf(shell::FrmMain& window);

void InstallLanguages(shell::FrmMain& window);

}  // namespace languages
