// Start-up against a temporary program directory: list files, placement, editor options and
// the files opened at start.
#include "shell/startup.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStatusBar>

#include "document/open_file.h"
#include "highlight/highlighter.h"
#include "platform/edit_control.h"
#include "shell/window_placement.h"
#include "support/main_window_fixture.h"

namespace shell {
namespace {

using testing_support::MainWindowTest;
namespace Setting = platform::Setting;

class StartupTest : public MainWindowTest {};

TEST_F(StartupTest, FreshStartShowsAnUntitledDocument) {
  FrmMain& w = start();
  EXPECT_EQ(w.windowTitle(), "Безымянный - Ostrel XP 2.3.6 build 22");
  EXPECT_FALSE(w.document().Dirty());
  EXPECT_EQ(w.document().CurCodir(), 1);
  for (const char* name : {"Programs.lst", "Searches.lst", "Main.ocl", "Multies.lst", "Multi.lst",
                           "LastMr.lst", "Hotkeys.ini"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(QFile::exists(homePath(name)));
  }
  EXPECT_TRUE(w.commands().action("mnuViewToolBar")->isChecked());
  EXPECT_TRUE(w.toolBarShown());
  EXPECT_TRUE(w.StatusB());
  EXPECT_EQ(w.txtMain().tabSize(), 4);
  EXPECT_TRUE(w.txtMain().leftMarginVisible());
  EXPECT_FALSE(w.txtMain().lineNumbersVisible());
  EXPECT_TRUE(w.txtMain().windowsLineEnds());
  EXPECT_EQ(w.txtMain().editorFont().family(), QFont("Courier New").family());
  EXPECT_EQ(w.txtMain().editorCharSet(), 2);
}

TEST_F(StartupTest, EditorOptionsComeFromTheSettings) {
  struct {
    const platform::SettingDef& def;
    const char* value;
  } stored[] = {{Setting::TabSize, "8"},          {Setting::ShowGutter, "0"},
                {Setting::NumberStrings, "1"},    {Setting::DisplayWhiteSpaces, "1"},
                {Setting::Split, "1"},            {Setting::ColumnSelection, "True"},
                {Setting::TextMode, "1"},         {Setting::LineNumberingStyle, "16"},
                {Setting::DefaultFontSize, "14"}, {Setting::DefaultFontCharSet, "2"},
                {Setting::ToolBar, "0"},          {Setting::StatusBar, "0"},
                {Setting::MyBrowserName, "Firefox"}, {Setting::EnablePlugins, "0"}};
  for (const auto& s : stored) m_settings->set(s.def, s.value);
  FrmMain& w = start();
  platform::EditControl& e = w.txtMain();
  EXPECT_EQ(e.tabSize(), 8);
  EXPECT_FALSE(e.leftMarginVisible());
  EXPECT_TRUE(e.lineNumbersVisible());
  EXPECT_TRUE(e.whiteSpaceVisible());
  EXPECT_TRUE(e.splitterAllowed());
  EXPECT_TRUE(w.commands().action("mnuSplit")->isChecked());
  EXPECT_TRUE(e.columnSelectionMode());
  EXPECT_TRUE(w.commands().action("mnuColumnSel")->isChecked());
  EXPECT_FALSE(e.windowsLineEnds());
  EXPECT_EQ(e.lineNumberBase(), 16);
  EXPECT_EQ(e.lineNumberText(9), "A");
  EXPECT_EQ(e.editorFont().pointSize(), 14);
  EXPECT_EQ(e.editorCharSet(), 204);
  EXPECT_FALSE(w.toolBarShown());
  EXPECT_FALSE(w.commands().action("mnuViewStatusBar")->isChecked());
  EXPECT_EQ(w.commands().action("mnuOther")->text(), "Firefox");
  EXPECT_FALSE(w.commands().menu("mnuPlugins")->menuAction()->isVisible());
}

// A settings file with absurd numbers starts the program with the defaults instead of crashing
// or growing the recent list to hundreds of megabytes.
TEST_F(StartupTest, AbsurdNumbersStartWithDefaults) {
  const char* absurd[][2] = {{"OpenedLimit", "2147483647"}, {"TabSize", "-5"},
                             {"DefaultFontSize", "999999"}, {"LineNumberingStyle", "1"},
                             {"Main_Left", "1e30"},         {"Main_Width", "-800"},
                             {"FilterIndex", "99"},         {"AutoSaveTime", "nan"}};
  for (const auto& value : absurd)
    m_settings->WriteSetting(platform::kSettingsKey, value[0], value[1]);
  FrmMain& w = start();
  EXPECT_EQ(w.txtMain().tabSize(), 4);
  EXPECT_EQ(w.txtMain().editorFont().pointSize(), 10);
  EXPECT_EQ(w.txtMain().lineNumberBase(), 10);
  EXPECT_EQ(w.width(), 800) << "the window keeps its own width";
  QFile recent(homePath("Opened.lst"));
  ASSERT_TRUE(recent.open(QIODevice::ReadOnly));
  EXPECT_LT(recent.size(), 100) << "ten empty slots, not millions";
}

TEST_F(StartupTest, PlacementComesBackAndCorruptValuesKeepTheCurrentOne) {
  {
    FrmMain& w = start();
    w.move(120, 80);
    w.resize(640, 480);
    ASSERT_TRUE(close());
  }
  EXPECT_EQ(setting("Main_Left"), QString::number(PixelsToTwips(120, *m_window)));
  m_window.reset();
  FrmMain& again = start();
  EXPECT_EQ(again.pos(), QPoint(120, 80));
  EXPECT_EQ(again.size(), QSize(640, 480));
  m_window.reset();

  m_settings->set(Setting::MainWidth, "wide");
  m_settings->set(Setting::MainTop, "");
  FrmMain& third = start();
  EXPECT_EQ(third.x(), 120);
  EXPECT_EQ(third.height(), 480);
  EXPECT_EQ(third.width(), 800) << "an unreadable width keeps the window's own";
}

TEST_F(StartupTest, CommandLineFileIsShownUnchangedPath) {
  const QString path = writeFile("notes.txt", "первая строка\r\nвторая\r\n");
  FrmMain& w = start(path);
  EXPECT_EQ(w.txtMain().text(), "первая строка\r\nвторая\r\n");
  EXPECT_EQ(w.windowTitle(), "notes.txt - Ostrel XP 2.3.6 build 23");
  EXPECT_EQ(w.document().path(), path);
  EXPECT_FALSE(w.document().Dirty());
}

TEST_F(StartupTest, CommandLineWithQuotesIsTakenWhole) {
  const QString quoted = "\"" + homePath("a.txt") + "\"";
  writeFile("a.txt", "x");
  FrmMain& w = start(quoted);
  EXPECT_TRUE(w.document().isUntitled()) << "the quoted path names no file; nothing is opened";
  EXPECT_TRUE(m_ui.messages.isEmpty()) << "the quiet open shows no message";
}

TEST_F(StartupTest, LastFileThenCommandLineWithoutQuestions) {
  const QString last = writeFile("last.txt", "last");
  const QString arg = writeFile("arg.txt", "arg");
  m_settings->set(Setting::LoadLastOpened, "1");
  m_settings->set(Setting::LastOpenedFile, last);
  FrmMain& w = start(arg);
  EXPECT_EQ(w.txtMain().text(), "arg");
  EXPECT_EQ(w.document().path(), arg);
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

// The working folder for the length of a test.
class WorkingFolder {
 public:
  explicit WorkingFolder(const QString& path) : m_before(QDir::currentPath()) {
    QDir().mkpath(path);
    QDir::setCurrent(path);
  }
  ~WorkingFolder() { QDir::setCurrent(m_before); }

 private:
  QString m_before;
};

// A relative path was kept as typed: the recent files and the bookmarks then led elsewhere
// from the next working folder.
TEST_F(StartupTest, RelativeCommandLinePathIsTakenFromTheWorkingFolder) {
  writeFile("work/notes.txt", "рядом");
  writeFile("up.txt", "выше");
  writeFile("elsewhere/x.txt", "через ссылку");
  writeFile("work/x.txt", "не тот");
  QDir().mkpath(homePath("elsewhere/deep"));
  ASSERT_TRUE(QFile::link(homePath("elsewhere/deep"), homePath("work/link")));
  struct {
    const char* commandLine;
    const char* text;
  } cases[] = {
      {"notes.txt", "рядом"},
      {"../up.txt", "выше"},
      // "link/.." is the folder above the link's target, not the working folder: the path is
      // kept as typed after the folder, never tidied as text.
      {"link/../x.txt", "через ссылку"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    WorkingFolder folder(homePath("work"));
    const QString expected = QDir::currentPath() + "/" + QString::fromUtf8(c.commandLine);
    FrmMain& w = start(QString::fromUtf8(c.commandLine));
    EXPECT_EQ(w.document().path(), expected);
    EXPECT_EQ(w.txtMain().text(), QString::fromUtf8(c.text));
    QFile recent(homePath("Opened.lst"));
    ASSERT_TRUE(recent.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(recent.readLine()).trimmed(), expected);
    m_window.reset();
  }
}

// The settings page showed colouring by extension switched on while the program read it as off:
// a first start opened every file uncoloured.
TEST_F(StartupTest, FirstStartColoursAFileByItsExtension) {
  const QString cpp = writeFile("main.cpp", "int main() { return 0; }\r\n");
  const QString pas = writeFile("unit.pas", "begin end.");
  FrmMain& w = start(cpp);
  highlight::HighLighter* lighter = highlight::HighLighterOf(w);
  ASSERT_NE(lighter, nullptr);
  EXPECT_EQ(lighter->list().caption(lighter->current()), "C/C++");
  ASSERT_TRUE(document::LFile(w, pas));
  EXPECT_EQ(lighter->list().caption(lighter->current()), "Pascal");
  m_window.reset();
  FrmMain& again = start(homePath("new.cpp"));
  lighter = highlight::HighLighterOf(again);
  EXPECT_EQ(lighter->list().caption(lighter->current()), "C/C++")
      << "a new file is coloured by its name too";
}

TEST_F(StartupTest, HooksRunInTheirOrder) {
  auto w = std::make_unique<FrmMain>(*m_context);
  QStringList order;
  w->hooks().add(Hook::HotKeys, [&] { order << "hotkeys"; });
  w->hooks().add(Hook::LanguageMenu, [&] { order << "language"; });
  w->hooks().add(Hook::HighLight, [&] { throw std::runtime_error("broken scheme"); });
  w->hooks().add(Hook::StartMacro, [&] { order << "macro"; });
  RunStartup(*w, QString());
  EXPECT_EQ(order, (QStringList{"language", "macro", "hotkeys"}))
      << "a failing highlight step is skipped and start-up goes on";
  w->setShutdown(nullptr);
}

TEST_F(StartupTest, EscapeExitsOnlyWhenAllowed) {
  FrmMain& w = start();
  EXPECT_FALSE(w.findChild<QAction*>("cmdEscape")->isEnabled());
  EXPECT_FALSE(w.txtMain().bindsKey(QKeySequence(Qt::Key_Escape)));
  m_window.reset();
  m_settings->set(Setting::ExitOnEscape, "1");
  FrmMain& again = start();
  QAction* escape = again.findChild<QAction*>("cmdEscape");
  ASSERT_TRUE(escape->isEnabled());
  again.show();
  escape->trigger();
  EXPECT_FALSE(again.isVisible()) << "Escape ran the exit procedure";
}

TEST_F(StartupTest, MenuShortcutsAreLeftToTheProgram) {
  FrmMain& w = start();
  for (const char* key : {"Ctrl+D", "Ctrl+T", "Ctrl+A", "Ctrl+Z", "Ctrl+K", "Ctrl+M"}) {
    SCOPED_TRACE(key);
    EXPECT_FALSE(w.txtMain().bindsKey(QKeySequence(QString::fromUtf8(key))));
  }
}

}  // namespace
}  // namespace shell
