// The English language file the program ships translates every caption of every window and
// menu, and holds no key that names nothing (a misspelt key translates nothing, silently).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QSet>

#include "automation/frm_program.h"
#include "automation/frm_program_wait.h"
#include "languages/translation.h"
#include "platform/ini_file.h"
#include "shell/frm_main.h"
#include "support/main_window_fixture.h"

namespace {

using testing_support::MainWindowTest;

const QString kEnglish = QStringLiteral(OSTREL_SOURCE_DATA "/Languages/English.lng");

// Windows and side panels the program opens and goes on showing beside the editor.
const char* const kModelessCommands[] = {
    "mnuSearch",     "mnuReplace",      "mnuConvert",        "mnuSymbols",
    "mnuHyperLinks", "mnuSetBookmarks", "mnuLocalBookmarks", "mnuMultiReplace",
    "mnuSettings",   "mnuCodeLib",      "mnuHTMLTags",
};
// Windows shown modally: the scripted user reads them and closes them.
const char* const kModalCommands[] = {
    "mnuStat",        "mnuFormat",      "mnuTextToHTML", "mnuHTMLGradient", "mnuAbout",
    "mnuNewBookmark", "mnuBatch",       "mnuHash",
};

class EnglishFileTest : public MainWindowTest {
 protected:
  void collect(QWidget& window) { m_captions.append(languages::TranslatableCaptions(window)); }

  QList<languages::CaptionKey> m_captions;
};

TEST_F(EnglishFileTest, EveryCaptionOfEveryWindowHasAKeyAndEveryKeyNamesACaption) {
  writeFile("page.html", "<a href=\"x.html\">x</a>\r\n");
  start(homePath("page.html"));
  for (const char* command : kModalCommands) {
    ASSERT_TRUE(m_window->commands().isBound(command)) << command;
    m_ui.answerModal([this](QDialog& dialog) {
      collect(dialog);
      return int(QDialog::Rejected);
    });
    click(command);
  }
  EXPECT_TRUE(m_ui.allAnswered()) << "a command did not open its window";
  for (const char* command : kModelessCommands) {
    ASSERT_TRUE(m_window->commands().isBound(command)) << command;
    click(command);
  }
  // Windows of the external programs, made as a run makes them.
  automation::FrmProgram program(automation::FrmProgram::kNew, {}, {}, {}, m_window.get());
  automation::FrmProgramWait wait(QStringLiteral("sed"), m_window.get());
  collect(*m_window);  // the menus, the panels and every window made for it

  const platform::IniSnapshot english = platform::IniSnapshot::load(kEnglish);
  ASSERT_FALSE(english.isEmpty()) << kEnglish.toStdString();
  QSet<QString> seen;
  QString missing, unnamed;
  for (const languages::CaptionKey& c : m_captions) {
    if (c.key.isEmpty()) {
      unnamed += QStringLiteral("[%1] %2\n").arg(c.section, c.text);
      continue;
    }
    seen.insert(c.section.toLower() + u'/' + c.key.toLower());
    if (!english.value(c.section, c.key))
      missing += QStringLiteral("[%1] %2=%3\n").arg(c.section, c.key, c.text);
  }
  EXPECT_TRUE(unnamed.isEmpty()) << "captions of controls without a name:\n"
                                 << unnamed.toStdString();
  EXPECT_TRUE(missing.isEmpty()) << "captions without an English key:\n" << missing.toStdString();

  QString unused;
  const platform::IniFile file(kEnglish);
  for (const QString& section : file.sections()) {
    if (section.compare(QLatin1String(languages::kSectionMisc), Qt::CaseInsensitive) == 0)
      continue;
    for (const QString& key : file.keys(section))
      if (!seen.contains(section.toLower() + u'/' + key.toLower()))
        unused += QStringLiteral("[%1] %2\n").arg(section, key);
  }
  EXPECT_TRUE(unused.isEmpty()) << "keys that name no caption:\n" << unused.toStdString();
}

}  // namespace
