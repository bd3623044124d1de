// The macro page: bindings written to "Macro.ini" key by key and used by the next event, without
// a restart; and the options of the macro language.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>

#include "platform/edit_control.h"
#include "platform/ini_file.h"
#include "settings/opened_page_fixture.h"

namespace settings {
namespace {

constexpr int kOnSave = 3;
constexpr int kOnCopy = 4;
constexpr int kOnPaste = 5;

class MacroPageTest : public OpenedPageTest {
 protected:
  QString bound(const char* key) {
    return platform::IniFile(homePath("Macro.ini")).read("Main", key, "<missing>");
  }
  QByteArray contents(const QString& relative) {
    QFile file(homePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  // Saves the document with this text, as the user does after changing it.
  void saveAs(const QString& text) {
    m_window->txtMain().setText(text);
    m_window->document().setDirty(true);
    click("mnuSave");
  }
  QLineEdit& field() { return control<QLineEdit>("txtMacro"); }
  QCheckBox& enabled() { return control<QCheckBox>("chkEnableMacro"); }
};

TEST_F(MacroPageTest, BindingMadeOnThePageRunsAtTheNextSave) {
  writeFile("Macro.ini", "; bindings\r\n[Main]\r\nOnStartEnable=0\r\n[Other]\r\nkeep=1\r\n");
  const QString script = writeFile("scripts/save.mac", "replace $alltext,a,ab;");
  const QString doc = writeFile("doc.txt", "aa");
  start(doc);
  openOn(kMacroPage);
  EXPECT_EQ(entries("lstMacroOther"),
            QStringList({"При старте", "При выходе", "При открытии", "При сохранении",
                         "При копировании ", "При вставке", "При вырезании", "При удалении"}));

  select("lstMacroOther", kOnSave);
  m_ui.answerOpenFile(script);
  press("cmdMacroBrowse");
  ASSERT_EQ(m_ui.fileRequests.size(), 1);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Выбор Macro-скрипта");
  EXPECT_EQ(m_ui.fileRequests[0].filter, "Macro-скрипты Ostrel XP(*.mac)|*.mac");
  // Opening the document stored its folder as Last Dir, where the dialog starts.
  EXPECT_EQ(QDir::cleanPath(m_ui.fileRequests[0].initialDir), QDir::cleanPath(homePath()));
  EXPECT_EQ(field().text(), script);
  EXPECT_EQ(bound("OnSaveFile"), script);
  EXPECT_EQ(setting("Last Dir"), homePath("scripts"));

  // Not yet enabled: saving runs nothing.
  saveAs("aa");
  EXPECT_EQ(contents("doc.txt"), "aa");
  press("chkEnableMacro");
  EXPECT_EQ(bound("OnSaveEnable"), "1");
  saveAs("aa");
  EXPECT_EQ(contents("doc.txt"), "abab");

  // Off again: the next save runs nothing.
  press("chkEnableMacro");
  EXPECT_EQ(bound("OnSaveEnable"), "0");
  saveAs("aa");
  EXPECT_EQ(contents("doc.txt"), "aa");

  // The rest of the file is kept.
  const QByteArray ini = contents("Macro.ini");
  EXPECT_TRUE(ini.startsWith("; bindings\r\n[Main]\r\nOnStartEnable=0\r\n")) << ini.toStdString();
  EXPECT_TRUE(ini.contains("[Other]\r\nkeep=1")) << ini.toStdString();
}

TEST_F(MacroPageTest, SelectingAnEventShowsItsStoredBinding) {
  writeFile("Macro.ini",
            "[Main]\r\nOnCopyEnable=yes\r\nOnCopyFile=copy.mac\r\n"
            "OnPasteEnable=1\r\nOnPasteFile=/tmp/paste.mac\r\n");
  start();
  openOn(kMacroPage);
  struct Row {
    int event;
    bool on;
    QString file;
  } rows[] = {
      {kOnCopy, false, "copy.mac"},  // anything but "1" is off
      {kOnPaste, true, "/tmp/paste.mac"},
      {0, false, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.event);
    select("lstMacroOther", row.event);
    EXPECT_EQ(enabled().isChecked(), row.on);
    EXPECT_EQ(field().text(), row.file);
  }
  // Showing a binding writes nothing.
  EXPECT_EQ(bound("OnCopyEnable"), "yes");

  // Typed into the field, the path is the binding.
  select("lstMacroOther", kOnCopy);
  field().clear();
  QTest::keyClicks(&field(), "other.mac");
  EXPECT_EQ(bound("OnCopyFile"), "other.mac");

  // Without an event there is nothing to bind.
  control<QListWidget>("lstMacroOther").setCurrentRow(-1);
  EXPECT_FALSE(enabled().isEnabled());
  EXPECT_FALSE(field().isEnabled());
  EXPECT_FALSE(control<QWidget>("cmdMacroBrowse").isEnabled());
}

TEST_F(MacroPageTest, APathTheFileCannotGiveBackWholeIsRefused) {
  start();
  openOn(kMacroPage);
  select("lstMacroOther", kOnSave);
  const QString longPath = homePath(QString(260, u'x') + ".mac");
  m_ui.answerOpenFile(longPath);
  m_ui.answerMessage(platform::MsgAnswer::Ok, "длиннее 255");
  press("cmdMacroBrowse");
  EXPECT_TRUE(m_ui.allAnswered());
  // With no Last Dir yet the dialog starts in the scripts' own folder.
  ASSERT_EQ(m_ui.fileRequests.size(), 1);
  EXPECT_EQ(QDir::cleanPath(m_ui.fileRequests[0].initialDir), QDir::cleanPath(homePath("Macro")));
  EXPECT_EQ(bound("OnSaveFile"), "<missing>");
  EXPECT_TRUE(field().text().isEmpty());
}

TEST_F(MacroPageTest, TheMacroMenuFollowsItsOptionAtOnce) {
  shell::FrmMain& w = start();
  openOn(kMacroPage);
  QAction* menu = w.commands().menu("mnuMacroScript")->menuAction();
  EXPECT_FALSE(menu->isVisible()) << "no script file is open";

  press("chkMacroMenuVisibleForAll");
  EXPECT_EQ(setting("MacroOnlyForOPS"), "0");
  EXPECT_TRUE(menu->isVisible());
  press("chkMacroMenuVisibleForAll");
  EXPECT_EQ(setting("MacroOnlyForOPS"), "1");
  EXPECT_FALSE(menu->isVisible());
}

}  // namespace
}  // namespace settings
