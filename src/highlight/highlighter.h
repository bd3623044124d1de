// The highlight schemes at work: the definitions of the Syntax folder, the colour scheme, the
// chosen scheme and its menu, the scheme chosen by a file's extension and the words it gives
// the auto-complete list.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <optional>

#include "highlight/colour_scheme.h"
#include "highlight/highlight_list.h"
#include "highlight/ohf_definition.h"

class QFont;
class QsciLexer;

namespace shell {
class FrmMain;
}

namespace highlight {

class HighLighter : public QObject {
  Q_OBJECT
 public:
  explicit HighLighter(shell::FrmMain& window);

  const HighLightList& list() const { return m_list; }
  int current() const { return m_current; }
  const ColourScheme& colours() const { return m_colours; }

  // Every definition file of the Syntax folder, in the order the folder lists them.
  void LoadHighLights();
  // One definition: registers its language, appends its scheme and menu item; its index.
  int LoadHighLightFile(const QString& path);
  // Copies a definition file into the Syntax folder and loads the copy. Returns the new
  // scheme's index, or the reason in the user's words when nothing was installed.
  std::optional<QString> InstallHighLightFile(const QString& path, int* index = nullptr);
  // Makes a scheme current: menu check, the editor's colouring, the "HighLight" setting and,
  // when wanted, the auto-complete words.
  void SetHighLight(int index);
  int DetectHighLight(const QString& path) const { return m_list.detect(path); }
  // Whether the scheme colours the text at all.
  bool colours(int index) const;
  // Reads "Colors.ini" and repaints the editor with it.
  void LoadColors();
  // The words a scheme gives the auto-complete list, in order.
  QStringList schemeWords(int index) const;
  // The current scheme's keywords by their lower-case form, when the scheme ignores case.
  const QHash<QString, QString>& keywordSpellings() const { return m_spellings; }

 Q_SIGNALS:
  // A scheme was made current, from whichever place chose it.
  void currentChanged(int index);

 private:
  QsciLexer* makeLexer(const QString& language, QObject* parent, const QFont& font) const;
  // Gives the editor the current scheme's lexer; `force` makes it again even when the scheme
  // has not changed (new colours).
  void applyLexer(bool force);
  void feedAutoComplete(int index);
  QHash<QString, QString> keywordSpellingsOf(const QString& language) const;

  shell::FrmMain& m_window;
  HighLightList m_list;
  // Definitions by the description they are registered under; a later one of the same name
  // replaces the earlier.
  std::map<QString, std::shared_ptr<const OhfDefinition>> m_definitions;
  ColourScheme m_colours;
  int m_current = kPlainText;
  QHash<QString, QString> m_spellings;
  std::optional<QString> m_appliedLanguage;  // none before the first scheme
};

// The window's highlighter, once installed; nullptr before.
HighLighter* HighLighterOf(shell::FrmMain& window);

void InstallHighLight(shell::FrmMain& window);

}  // namespace highlight
