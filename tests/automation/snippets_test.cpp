// The snippets panel: groups are the folders of "Snippets", the chosen group is remembered, and a
// snippet wraps the editor's selection through "$txt$".
#include "automation/snippets.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "automation/snippets_panel.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace automation {
namespace {

using testing_support::MainWindowTest;

class SnippetsTest : public MainWindowTest {
 protected:
  QComboBox& groups() { return *m_window->findChild<QComboBox*>("cmbPathList"); }
  QListWidget& snippets() { return *m_window->findChild<QListWidget*>("lstTags"); }
  QWidget& panel() { return *m_window->findChild<QWidget*>("frmHTMLTags"); }
  QStringList listed() {
    QStringList names;
    for (int i = 0; i < snippets().count(); ++i) names << snippets().item(i)->text();
    return names;
  }
  QStringList groupNames() {
    QStringList names;
    for (int i = 0; i < groups().count(); ++i) names << groups().itemText(i);
    return names;
  }
  // A double-click on the snippet of that name, as the user gives it.
  void doubleClick(const QString& name) {
    const auto found = snippets().findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    snippets().scrollToItem(found.first());
    const QPoint at = snippets().visualItemRect(found.first()).center();
    QTest::mouseClick(snippets().viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(snippets().viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }
  shell::FrmMain& startShown(const char* group) {
    m_settings->setFlag(platform::Setting::HTMLTags, true);
    m_settings->set(platform::Setting::LastSPath, QString::fromUtf8(group));
    shell::FrmMain& w = start();
    w.show();
    return w;
  }
};

TEST_F(SnippetsTest, WrapsTheSelectionOrInsertsAtTheCaret) {
  struct {
    const char* name;
    QByteArray file;
    const char* text;
    platform::SelRange selection;
    const char* expect;
  } cases[] = {
      {"bold", "<b>$txt$</b>", "a word b", {0, 2, 0, 6}, "a <b>word</b> b"},
      {"bold", "<b>$txt$</b>", "ab", {0, 1, 0, 1}, "a<b></b>b"},
      // Only the exact spelling is the marker.
      {"upper", "<i>$TXT$ $txt$</i>", "x", {0, 0, 0, 1}, "<i>$TXT$ x</i>"},
      {"twice", "$txt$=$txt$", "ab", {0, 0, 0, 2}, "ab=ab"},
      // Selected text holding the marker is not expanded again.
      {"bold", "<b>$txt$</b>", "$txt$", {0, 0, 0, 5}, "<b>$txt$</b>"},
      {"lines", "<p>\r\n$txt$\r\n</p>\r\n", "1\r\n2", {0, 0, 1, 1}, "<p>\r\n1\r\n2\r\n</p>\r\n"},
      // A Windows-1251 file: "<h1>Заголовок $txt$</h1>".
      {"cyr",
       "<h1>\xc7\xe0\xe3\xee\xeb\xee\xe2\xee\xea $txt$</h1>",
       "\xd1\x82",
       {0, 0, 0, 1},
       "<h1>Заголовок т</h1>"},
  };
  for (const auto& c : cases) writeFile(QStringLiteral("Snippets/HTML/%1.lst").arg(c.name), c.file);
  shell::FrmMain& w = startShown("HTML");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SCOPED_TRACE(c.text);
    w.txtMain().setText(QString::fromUtf8(c.text));
    w.txtMain().setSelection(c.selection);
    doubleClick(QString::fromUtf8(c.name));
    EXPECT_EQ(w.txtMain().text(), QString::fromUtf8(c.expect));
  }
  EXPECT_TRUE(w.document().Dirty());
}

TEST_F(SnippetsTest, OnlyFoldersAreGroupsAndOnlyLstFilesAreSnippets) {
  writeFile("Snippets/zeta/one.lst", "1");
  writeFile("Snippets/Alpha/Two.LST", "2");
  writeFile("Snippets/Alpha/one.lst", "1");
  writeFile("Snippets/Alpha/notes.txt", "not a snippet");
  writeFile("Snippets/beta/.keep", "");
  writeFile("Snippets/readme.lst", "a plain file is no group");
  writeFile("Snippets/.hidden/x.lst", "");
  shell::FrmMain& w = startShown("Alpha");
  EXPECT_EQ(groupNames(), QStringList({"Alpha", "beta", "zeta"}));
  EXPECT_EQ(listed(), QStringList({"one", "Two"}));
  // The extension in another letter case is still found when inserting.
  w.txtMain().setText("");
  doubleClick("Two");
  EXPECT_EQ(w.txtMain().text(), "2");
}

TEST_F(SnippetsTest, ChoosingAGroupListsItAndIsRemembered) {
  writeFile("Snippets/Alpha/a.lst", "a");
  writeFile("Snippets/Beta/b.lst", "b");
  writeFile("Snippets/Beta/c.lst", "c");
  startShown("Alpha");
  ASSERT_EQ(groups().currentText(), "Alpha");
  groups().setFocus();
  QTest::keyClick(&groups(), Qt::Key_Down);
  EXPECT_EQ(groups().currentText(), "Beta");
  EXPECT_EQ(listed(), QStringList({"b", "c"}));
  EXPECT_EQ(setting("LastSPath"), "Beta");
}

TEST_F(SnippetsTest, StartUpFollowsTheSettings) {
  writeFile("Snippets/Alpha/a.lst", "a");
  writeFile("Snippets/Beta/b.lst", "b");
  struct {
    const char* shown;
    const char* group;
    bool visible;
    const char* comboText;
    QStringList list;
  } cases[] = {
      {"1", "Beta", true, "Beta", {"b"}},
      // Hidden: the panel is made when first shown, on the last group.
      {"0", "Beta", false, "Beta", {"b"}},
      {"1", "", true, "", {}},
      {"1", "Gone", true, "", {}},
      // A remembered group is only ever a folder inside "Snippets".
      {"1", "../Snippets/Alpha", true, "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.shown) + " " + c.group);
    m_settings->set(platform::Setting::HTMLTags, c.shown);
    m_settings->set(platform::Setting::LastSPath, c.group);
    shell::FrmMain& w = start();
    w.show();
    const auto* made = w.findChild<QWidget*>("frmHTMLTags");
    EXPECT_EQ(made != nullptr, c.visible);
    EXPECT_EQ(made && made->isVisible(), c.visible);
    EXPECT_EQ(w.HTMLTags(), c.visible);
    EXPECT_EQ(w.commands().action("mnuHTMLTags")->isChecked(), c.visible);
    if (!c.visible) click("mnuHTMLTags");
    EXPECT_EQ(groups().currentText(), c.comboText);
    EXPECT_EQ(listed(), c.list);
    w.setShutdown(nullptr);
    m_window.reset();
  }
}

TEST_F(SnippetsTest, TheMenuItemTogglesThePanelAndTheSetting) {
  writeFile("Snippets/Alpha/a.lst", "a");
  writeFile("Snippets/Beta/b.lst", "b");
  m_settings->set(platform::Setting::LastSPath, "Beta");
  shell::FrmMain& w = start();
  w.show();
  click("mnuHTMLTags");
  EXPECT_EQ(setting("HTMLTags"), "1");
  EXPECT_TRUE(panel().isVisible());
  EXPECT_TRUE(w.commands().action("mnuHTMLTags")->isChecked());
  EXPECT_EQ(groupNames(), QStringList({"Alpha", "Beta"}));
  EXPECT_EQ(groups().currentText(), "Beta");
  EXPECT_EQ(setting("LastSPath"), "Beta") << "filling the list chooses nothing";
  // The panel stands right of the editor, and the editor keeps the rest of the width.
  EXPECT_GE(panel().geometry().left(), w.txtMain().geometry().right());
  EXPECT_GT(w.txtMain().width(), panel().width());
  // A group added meanwhile shows up the next time the panel is shown.
  writeFile("Snippets/Gamma/g.lst", "g");
  click("mnuHTMLTags");
  EXPECT_EQ(setting("HTMLTags"), "0");
  EXPECT_FALSE(panel().isVisible());
  EXPECT_FALSE(w.HTMLTags());
  click("mnuHTMLTags");
  EXPECT_EQ(groupNames(), QStringList({"Alpha", "Beta", "Gamma"}));
}

TEST_F(SnippetsTest, ASnippetThatCannotBeReadInsertsNothing) {
  const QString path = writeFile("Snippets/HTML/gone.lst", "<b>$txt$</b>");
  shell::FrmMain& w = startShown("HTML");
  QFile::remove(path);
  w.txtMain().setText("keep");
  w.txtMain().setSelection({0, 0, 0, 4});
  doubleClick("gone");
  EXPECT_EQ(w.txtMain().text(), "keep");
  EXPECT_EQ(w.txtMain().selectedText(), "keep");
}

}  // namespace
}  // namespace automation
