// Registering with the desktop in a temporary home: the files the desktop reads, what stays of
// other programs' settings, and that every change is undone by the same functions.
#include "integration/shell_integration.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "integration/desktop_entry.h"
#include "integration/key_file_lines.h"
#include "integration/settings_flags.h"
#include "integration/xdg_places.h"
#include "platform/settings_store.h"
#include "platform/test_files.h"

namespace {

using integration::KeyFileLines;

// Points XDG_DATA_HOME and XDG_CONFIG_HOME into a temporary folder while alive.
class ShellIntegrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
      m_saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
    }
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("config")));
    m_shell.setUpdatesDatabase(false);
  }
  void TearDown() override {
    for (const auto& s : m_saved) s.set ? qputenv(s.name, s.value) : qunsetenv(s.name);
  }

  QString mimeapps() const { return m_dir.filePath("config/mimeapps.list"); }
  QString entry() const { return m_dir.filePath("data/applications/ostrel-xp.desktop"); }
  KeyFileLines read(const QString& path) const { return *KeyFileLines::load(path); }
  QStringList entryTypes() const {
    return KeyFileLines::splitList(read(entry()).value("Desktop Entry", "MimeType").value_or(""));
  }

  struct Saved {
    const char* name;
    QByteArray value;
    bool set;
  };
  QTemporaryDir m_dir;
  QList<Saved> m_saved;
  const QString m_program = "/opt/my \"apps\"/100%/ostrel";
  integration::ShellIntegration m_shell{m_program};
};

const QByteArray kOtherPrograms =
    "# the user's own note\n"
    "[Default Applications]\n"
    "text/plain=gedit.desktop;\n"
    "image/png=viewer.desktop;\n"
    "\n"
    "[Added Associations]\n"
    "text/plain=kate.desktop;\n"
    "\n"
    "[Removed Associations]\n"
    "text/html=bad.desktop;\n";

TEST_F(ShellIntegrationTest, KnowsTheTypesOfExtensions) {
  EXPECT_EQ(integration::ShellIntegration::mimeTypeOf("txt"), "text/plain");
  EXPECT_EQ(integration::ShellIntegration::mimeTypeOf(" .htm "), "text/html");
  EXPECT_EQ(integration::ShellIntegration::mimeTypeOf(".no-such-extension-here"), std::nullopt);
  EXPECT_EQ(integration::ShellIntegration::mimeTypeOf("a/b"), std::nullopt);
}

TEST_F(ShellIntegrationTest, AssociateMakesTheProgramTheDefaultAndUndoGivesItBack) {
  ASSERT_TRUE(test_files::put(mimeapps(), kOtherPrograms));
  QString error;
  ASSERT_TRUE(m_shell.Associate("txt", &error)) << error.toStdString();

  EXPECT_EQ(entryTypes(), QStringList{"text/plain"});
  const KeyFileLines after = read(mimeapps());
  EXPECT_EQ(after.value("Default Applications", "text/plain"), "ostrel-xp.desktop;gedit.desktop;");
  EXPECT_TRUE(m_shell.isDefaultFor("text/plain"));
  // Everything else of the file is as it was.
  QByteArray expected = kOtherPrograms;
  expected.replace("text/plain=gedit.desktop;\n", "text/plain=ostrel-xp.desktop;gedit.desktop;\n");
  EXPECT_EQ(test_files::bytesOf(mimeapps()), expected);

  // Associating again keeps the record of the real previous default.
  ASSERT_TRUE(m_shell.Associate(".txt"));
  ASSERT_TRUE(m_shell.unassociate("txt", &error)) << error.toStdString();
  EXPECT_EQ(test_files::bytesOf(mimeapps()), kOtherPrograms);
  EXPECT_FALSE(QFile::exists(entry()));
}

TEST_F(ShellIntegrationTest, UndoWithoutAPreviousDefaultRemovesTheLine) {
  QString error;
  ASSERT_TRUE(m_shell.Associate("htm", &error)) << error.toStdString();
  EXPECT_EQ(read(mimeapps()).value("Default Applications", "text/html"), "ostrel-xp.desktop;");
  ASSERT_TRUE(m_shell.unassociate("htm"));
  EXPECT_EQ(read(mimeapps()).value("Default Applications", "text/html"), std::nullopt);
}

TEST_F(ShellIntegrationTest, UndoLeavesADefaultTheUserChoseSince) {
  ASSERT_TRUE(test_files::put(mimeapps(), kOtherPrograms));
  ASSERT_TRUE(m_shell.Associate("txt"));
  KeyFileLines changed = read(mimeapps());
  changed.setValue("Default Applications", "text/plain", "mine.desktop;");
  ASSERT_TRUE(changed.save(mimeapps()));
  ASSERT_TRUE(m_shell.unassociate("txt"));
  EXPECT_EQ(read(mimeapps()).value("Default Applications", "text/plain"), "mine.desktop;");
  EXPECT_FALSE(QFile::exists(entry()));
}

TEST_F(ShellIntegrationTest, AssociateCheckedTakesOnlyCheckedValidLines) {
  QString error;
  EXPECT_TRUE(m_shell.Associate("   ", &error));
  EXPECT_FALSE(QFile::exists(mimeapps()));  // spaces only change nothing

  EXPECT_FALSE(m_shell.associateChecked(
      {{"txt", true}, {"png", false}, {".no-such-extension-here", true}, {"htm", true}}, &error));
  EXPECT_TRUE(error.contains(".no-such-extension-here")) << error.toStdString();
  EXPECT_TRUE(m_shell.isDefaultFor("text/plain"));
  EXPECT_TRUE(m_shell.isDefaultFor("text/html"));
  EXPECT_FALSE(m_shell.isDefaultFor("image/png"));
  EXPECT_EQ(entryTypes(), (QStringList{"text/plain", "text/html"}));
}

TEST_F(ShellIntegrationTest, OpenWithIsAddedAndRemovedBesideOtherChoices) {
  ASSERT_TRUE(test_files::put(mimeapps(), kOtherPrograms));
  QString error;
  ASSERT_TRUE(m_shell.setOpenWith(true, &error)) << error.toStdString();
  EXPECT_EQ(read(mimeapps()).value("Added Associations", "text/plain"),
            "kate.desktop;ostrel-xp.desktop;");
  EXPECT_EQ(read(mimeapps()).value("Default Applications", "text/plain"), "gedit.desktop;");
  EXPECT_TRUE(m_shell.isInOpenWith());
  EXPECT_EQ(entryTypes(), QStringList{"text/plain"});
  ASSERT_TRUE(m_shell.setOpenWith(true));  // the dialog repeats it on opening
  EXPECT_EQ(read(mimeapps()).value("Added Associations", "text/plain"),
            "kate.desktop;ostrel-xp.desktop;");

  ASSERT_TRUE(m_shell.setOpenWith(false, &error)) << error.toStdString();
  EXPECT_EQ(test_files::bytesOf(mimeapps()), kOtherPrograms);
  EXPECT_FALSE(QFile::exists(entry()));
}

TEST_F(ShellIntegrationTest, EntryKeepsATypeWhileAnotherRegistrationNeedsIt) {
  ASSERT_TRUE(m_shell.setOpenWith(true));
  ASSERT_TRUE(m_shell.Associate("txt"));
  ASSERT_TRUE(m_shell.setOpenWith(false));
  EXPECT_EQ(entryTypes(), QStringList{"text/plain"});  // still the default of text/plain
  ASSERT_TRUE(m_shell.unassociate("txt"));
  EXPECT_FALSE(QFile::exists(entry()));
}

TEST_F(ShellIntegrationTest, DefaultHtmlEditorAndItsSetting) {
  ASSERT_TRUE(test_files::put(mimeapps(), "[Default Applications]\ntext/html=browser.desktop;\n"));
  platform::SettingsStore settings(m_dir.filePath("settings.ini"));
  QString error;
  ASSERT_TRUE(integration::ApplyDefaultHtmlEditor(m_shell, settings, true, &error))
      << error.toStdString();
  EXPECT_TRUE(m_shell.isDefaultFor("text/html"));
  EXPECT_EQ(settings.get(platform::Setting::DefHTMLEditor), "1");
  ASSERT_TRUE(integration::ApplyDefaultHtmlEditor(m_shell, settings, false));
  EXPECT_EQ(read(mimeapps()).value("Default Applications", "text/html"), "browser.desktop;");
  EXPECT_EQ(settings.get(platform::Setting::DefHTMLEditor), "0");
  // Unticking again, as the dialog does on opening, changes nothing.
  ASSERT_TRUE(integration::ApplyDefaultHtmlEditor(m_shell, settings, false));
  EXPECT_EQ(read(mimeapps()).value("Default Applications", "text/html"), "browser.desktop;");
}

TEST_F(ShellIntegrationTest, FailuresChangeNothingAndAreNotStoredAsDone) {
  platform::SettingsStore settings(m_dir.filePath("settings.ini"));
  QString error;
  // A mimeapps.list that is not UTF-8 would be damaged by a rewrite.
  const QByteArray foreign = "[Default Applications]\ntext/plain=caf\xe9.desktop;\n";
  ASSERT_TRUE(test_files::put(mimeapps(), foreign));
  EXPECT_FALSE(integration::ApplyOpenWith(m_shell, settings, true, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(test_files::bytesOf(mimeapps()), foreign);
  EXPECT_EQ(settings.get(platform::Setting::OpenWith), "0");

  // A desktop entry of that name that the program did not write is the user's.
  ASSERT_TRUE(QFile::remove(mimeapps()));
  ASSERT_TRUE(QDir().mkpath(m_dir.filePath("data/applications")));
  ASSERT_TRUE(test_files::put(entry(), "[Desktop Entry]\nName=Mine\n"));
  EXPECT_FALSE(m_shell.Associate("txt", &error));
  EXPECT_EQ(test_files::bytesOf(entry()), QByteArray("[Desktop Entry]\nName=Mine\n"));
  EXPECT_FALSE(m_shell.isDefaultFor("text/plain"));

  // A program path no Exec line can carry.
  ASSERT_TRUE(QFile::remove(entry()));
  integration::ShellIntegration broken("/opt/line\nbreak/ostrel");
  broken.setUpdatesDatabase(false);
  EXPECT_FALSE(broken.Associate("txt", &error));
  EXPECT_FALSE(QFile::exists(entry()));
  EXPECT_FALSE(m_shell.isDefaultFor("text/plain"));
}

TEST_F(ShellIntegrationTest, RelativeXdgFoldersAreIgnored) {
  qputenv("XDG_CONFIG_HOME", "relative/config");
  qputenv("XDG_DATA_HOME", "relative/data");
  const auto places = integration::XdgPlaces::current();
  EXPECT_FALSE(places.mimeapps.startsWith("relative"));
  EXPECT_TRUE(QDir::isAbsolutePath(places.applications) || places.applications.isEmpty());
}

}  // namespace
