// The page "Интеграция" in a temporary home: the extension list and "Associated.lst", the
// registrations the page makes, and that each of them is undone from the same page.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include "integration/key_file_lines.h"
#include "integration/shell_integration.h"
#include "integration/window_shell.h"
#include "platform/test_files.h"
#include "settings/frm_settings.h"
#include "settings/settings_pages.h"
#include "support/main_window_fixture.h"

namespace settings {
namespace {

using integration::KeyFileLines;
using platform::MsgAnswer;

const QByteArray kOtherDefaults =
    "[Default Applications]\n"
    "text/html=browser.desktop;\n"
    "text/plain=gedit.desktop;\n";

class IntegrationPageTest : public testing_support::MainWindowTest {
 protected:
  // The user's desktop folders are a temporary folder's while the test runs.
  void SetUp() override {
    ASSERT_TRUE(m_xdg.isValid());
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"})
      m_saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
    qputenv("XDG_DATA_HOME", m_xdg.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_xdg.filePath("config").toUtf8());
    ASSERT_TRUE(QDir().mkpath(m_xdg.filePath("config")));
    ASSERT_TRUE(test_files::put(mimeapps(), kOtherDefaults));
  }
  void TearDown() override {
    for (const auto& s : m_saved) s.set ? qputenv(s.name, s.value) : qunsetenv(s.name);
  }

  void openPage() {
    start();
    integration::ShellIntegrationOf(*m_window).setUpdatesDatabase(false);
    OpenSettings(*m_window, kIntegrationPage);
  }
  template <class T>
  T& control(const char* name) {
    FrmSettings* window = FindSettings(*m_window);
    T* found = window ? window->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    if (!found) throw std::runtime_error(std::string("no control ") + name);
    return *found;
  }
  QListWidget& list() { return control<QListWidget>("lstAss"); }
  void clickButton(const char* name) { control<QPushButton>(name).click(); }
  void tick(const QString& extension, bool on) {
    const auto found = list().findItems(extension, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << extension.toStdString();
    found.front()->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  }
  void addExtension(const QString& typed) {
    control<QLineEdit>("txtNewExt").setText(typed);
    clickButton("cmdAddAss");
  }
  // The list as "ext" and "[x] ext" lines.
  QStringList shown() {
    QStringList lines;
    for (int i = 0; i < list().count(); ++i)
      lines << (list().item(i)->checkState() == Qt::Checked ? "[x] " : "") + list().item(i)->text();
    return lines;
  }
  QByteArray listFile() {
    QFile file(homePath("Associated.lst"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }

  QString mimeapps() const { return m_xdg.filePath("config/mimeapps.list"); }
  QString entry() const { return m_xdg.filePath("data/applications/ostrel-xp.desktop"); }
  QString defaultFor(const char* type) const {
    return KeyFileLines::load(mimeapps())->value("Default Applications", type).value_or("");
  }

  struct Saved {
    const char* name;
    QByteArray value;
    bool set;
  };
  QTemporaryDir m_xdg;
  QList<Saved> m_saved;
};

TEST_F(IntegrationPageTest, TheListAndItsFile) {
  writeFile("Associated.lst", "\r\nEn.txt\r\nhtm\r\n");
  openPage();
  EXPECT_EQ(shown(), QStringList({"[x] .txt", "htm"}));

  addExtension("  css ");
  EXPECT_EQ(shown(), QStringList({"[x] .txt", "htm", "css"}));
  EXPECT_EQ(listFile(), "\r\nEn.txt\r\nhtm\r\ncss\r\n");
  EXPECT_EQ(control<QLineEdit>("txtNewExt").text(), "");
  // The same extension with or without its dot is one line.
  addExtension(".htm");
  EXPECT_EQ(list().count(), 3);
  EXPECT_EQ(list().currentItem()->text(), "htm");
  // Nothing typed: nothing to add.
  control<QLineEdit>("txtNewExt").setText("   ");
  EXPECT_FALSE(control<QPushButton>("cmdAddAss").isEnabled());
  m_ui.answerMessage(MsgAnswer::Ok, "«a/b» не может быть расширением файла");
  addExtension("a/b");
  EXPECT_EQ(list().count(), 3);

  tick("htm", true);
  EXPECT_EQ(listFile(), "\r\nEn.txt\r\nEnhtm\r\ncss\r\n");
  list().setCurrentRow(2);
  clickButton("cmdRemoveAss");
  EXPECT_EQ(shown(), QStringList({"[x] .txt", "[x] htm"}));
  EXPECT_EQ(listFile(), "\r\nEn.txt\r\nEnhtm\r\n");
  clickButton("cmdDeSelAll");
  EXPECT_EQ(listFile(), "\r\n.txt\r\nhtm\r\n");
  EXPECT_FALSE(control<QPushButton>("cmdAssociate").isEnabled());
  clickButton("cmdCheckAll");
  EXPECT_EQ(listFile(), "\r\nEn.txt\r\nEnhtm\r\n");
  // Nothing was associated: the desktop's files are as they were.
  EXPECT_EQ(test_files::bytesOf(mimeapps()), kOtherDefaults);
  EXPECT_FALSE(QFile::exists(entry()));
}

TEST_F(IntegrationPageTest, AssociateAndUntickGiveTheTypeAndBack) {
  writeFile("Associated.lst", "\r\nhtm\r\nEntxt\r\n");
  openPage();
  tick("htm", true);
  clickButton("cmdAssociate");
  EXPECT_EQ(defaultFor("text/html"), "ostrel-xp.desktop;browser.desktop;");
  EXPECT_EQ(defaultFor("text/plain"), "ostrel-xp.desktop;gedit.desktop;");
  // The desktop hands the document over as %f; no file name is ever part of a command line.
  const auto exec = KeyFileLines::load(entry())->value("Desktop Entry", "Exec");
  ASSERT_TRUE(exec.has_value());
  EXPECT_TRUE(exec->endsWith(" %f")) << exec->toStdString();
  EXPECT_TRUE(exec->contains(QFileInfo(QCoreApplication::applicationFilePath()).fileName()));

  tick("htm", false);
  EXPECT_EQ(defaultFor("text/html"), "browser.desktop;");
  EXPECT_EQ(defaultFor("text/plain"), "ostrel-xp.desktop;gedit.desktop;");
  // Removing an associated line gives its type back too.
  list().setCurrentRow(1);
  clickButton("cmdRemoveAss");
  EXPECT_EQ(defaultFor("text/plain"), "gedit.desktop;");
  EXPECT_FALSE(QFile::exists(entry()));

  tick("htm", true);
  clickButton("cmdAssociate");
  clickButton("cmdDeSelAll");
  EXPECT_EQ(test_files::bytesOf(mimeapps()), kOtherDefaults);
}

TEST_F(IntegrationPageTest, ATypeStaysWhileAnotherChoiceStillWantsIt) {
  writeFile("Associated.lst", "\r\nEnhtm\r\nEnhtml\r\n");
  openPage();
  clickButton("cmdAssociate");
  // "htm" and "html" are both text/html: unticking one leaves the other's association.
  m_ui.answerMessage(MsgAnswer::Ok, "отмеченное расширение «.html»");
  tick("htm", false);
  EXPECT_EQ(defaultFor("text/html"), "ostrel-xp.desktop;browser.desktop;");

  auto& editor = control<QCheckBox>("chkDefaultHTMLEditor");
  editor.setChecked(true);
  EXPECT_EQ(setting("DefHTMLEditor"), "1");
  m_ui.answerMessage(MsgAnswer::Ok, "флажок «HTML-редактор по-умолчанию»");
  tick("html", false);
  EXPECT_EQ(defaultFor("text/html"), "ostrel-xp.desktop;browser.desktop;");
  // The last choice that wants it gives the type back to the browser's default.
  editor.setChecked(false);
  EXPECT_EQ(setting("DefHTMLEditor"), "0");
  EXPECT_EQ(defaultFor("text/html"), "browser.desktop;");

  // The other way round: the box unticked while a ticked extension still wants the type.
  editor.setChecked(true);
  tick("html", true);
  clickButton("cmdAssociate");
  m_ui.answerMessage(MsgAnswer::Ok, "отмеченное расширение «.html»");
  editor.setChecked(false);
  EXPECT_EQ(setting("DefHTMLEditor"), "0");
  EXPECT_EQ(defaultFor("text/html"), "ostrel-xp.desktop;browser.desktop;");
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(IntegrationPageTest, OpenWithBoxAddsAndRemovesTheChoice) {
  openPage();
  auto& box = control<QCheckBox>("chkOpenWithOP");
  EXPECT_FALSE(box.isChecked());
  auto& shell = integration::ShellIntegrationOf(*m_window);
  box.setChecked(true);
  EXPECT_TRUE(shell.isInOpenWith());
  EXPECT_EQ(setting("OpenWith"), "1");
  box.setChecked(false);
  EXPECT_FALSE(shell.isInOpenWith());
  EXPECT_EQ(setting("OpenWith"), "0");
  EXPECT_FALSE(QFile::exists(entry()));

  // A change that fails is reported, and neither the box nor the setting claims it was made.
  ASSERT_TRUE(QFile::remove(mimeapps()));
  ASSERT_TRUE(QDir().mkpath(mimeapps()));
  m_ui.answerMessage(MsgAnswer::Ok);
  box.setChecked(true);
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_FALSE(box.isChecked());
  EXPECT_EQ(setting("OpenWith"), "0");
}

TEST_F(IntegrationPageTest, BoxesShowTheSettingsAndOpeningChangesNothing) {
  m_settings->setFlag(platform::Setting::OpenWith, true);
  m_settings->setFlag(platform::Setting::DefHTMLEditor, true);
  openPage();
  EXPECT_TRUE(control<QCheckBox>("chkOpenWithOP").isChecked());
  EXPECT_TRUE(control<QCheckBox>("chkDefaultHTMLEditor").isChecked());
  EXPECT_EQ(test_files::bytesOf(mimeapps()), kOtherDefaults);
  EXPECT_FALSE(QFile::exists(entry()));
}

}  // namespace
}  // namespace settings
