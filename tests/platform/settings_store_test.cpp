#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace platform {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  QString ini() const { return m_dir.path() + "/settings.ini"; }
  QTemporaryDir m_dir;
};

TEST_F(SettingsStoreTest, MissingGivesDefaultAndEmptyStaysEmpty) {
  SettingsStore store(ini());
  EXPECT_EQ(store.get(Setting::TabSize), "4");
  EXPECT_EQ(store.get(Setting::DateFormat), "hh:mm dd mmm yyyy  ddd");
  EXPECT_EQ(store.get(Setting::LastDir, "/home/x"), "/home/x");
  store.set(Setting::MacroSeperator, "");
  EXPECT_EQ(store.get(Setting::MacroSeperator), "") << "a stored empty string is not missing";
}

TEST_F(SettingsStoreTest, KeyPathSpellingsNameOneKey) {
  SettingsStore store(ini());
  store.WriteSetting("software\\drumvale\\ostrel\\settings\\", "TopMost", "1");
  const char* spellings[] = {"software\\drumvale\\Ostrel\\Settings\\",
                             "SOFTWARE\\DRUMVALE\\OSTREL\\SETTINGS",
                             "software/drumvale/ostrel/settings/", "\\software\\drumvale\\ostrel\\settings"};
  for (const char* path : spellings) {
    SCOPED_TRACE(path);
    EXPECT_EQ(store.ReadSetting(path, "TopMost", "0"), "1");
  }
}

TEST_F(SettingsStoreTest, ValueNamesIgnoreCaseAndKeepOneEntry) {
  SettingsStore store(ini());
  store.set(Setting::LastDir, "/a");
  EXPECT_EQ(store.ReadSetting(kSettingsKey, "last Dir", "?"), "/a");
  store.WriteSetting(kSettingsKey, "LAST DIR", "/b");
  EXPECT_EQ(store.get(Setting::LastDir), "/b");
  QSettings raw(ini(), QSettings::IniFormat);
  raw.beginGroup("software/drumvale/ostrel/settings");
  EXPECT_EQ(raw.childKeys(), QStringList{"Last Dir"}) << "one value, in its first spelling";
}

TEST_F(SettingsStoreTest, WritesReachTheFileAtOnce) {
  {
    SettingsStore store(ini());
    store.set(Setting::MainLeft, "1200");
  }
  SettingsStore again(ini());
  EXPECT_EQ(again.get(Setting::MainLeft), "1200");
}

TEST_F(SettingsStoreTest, NonTextAndEmbeddedNul) {
  {
    QSettings raw(ini(), QSettings::IniFormat);
    raw.setValue("software/drumvale/ostrel/settings/TabSize", QByteArray("\x01\x02", 2));
    raw.setValue("software/drumvale/ostrel/settings/Language", QStringList{"a", "b"});
    raw.setValue("software/drumvale/ostrel/settings/WaveFile",
                 QString("ding.wav") + QChar(0) + "junk");
  }
  SettingsStore store(ini());
  EXPECT_EQ(store.get(Setting::TabSize), "4") << "another type reads as missing";
  EXPECT_EQ(store.get(Setting::Language), "0");
  EXPECT_EQ(store.get(Setting::WaveFile), "ding.wav");
}

TEST_F(SettingsStoreTest, AddToAutoCompleteLivesUnderItsOwnKey) {
  SettingsStore store(ini());
  EXPECT_EQ(store.get(Setting::AddToAutoComplete), "0");
  store.set(Setting::AddToAutoComplete, "1");
  EXPECT_EQ(store.ReadSetting("software\\software\\Ostrel\\Settings\\", "AddToAutoComplete", "?"),
            "1");
  EXPECT_EQ(store.ReadSetting(kSettingsKey, "AddToAutoComplete", "missing"), "missing");
  EXPECT_EQ(store.get(Setting::AddToAutoComplete), "1");
}

TEST(SettingIsTrue, NumbersAndWords) {
  struct {
    const char* text;
    bool expect;
  } cases[] = {{"1", true},  {"0", false},    {"-1", true},  {"2", true},   {"True", true},
               {"true", true}, {"False", false}, {"", false},  {"abc", false}, {" 1 ", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SettingIsTrue(c.text), c.expect);
  }
}

TEST_F(SettingsStoreTest, FlagOnlyForOneTruthForNumbers) {
  SettingsStore store(ini());
  store.set(Setting::ToolBar, "True");
  EXPECT_FALSE(store.flag(Setting::ToolBar)) << "readers comparing with \"1\" see True as off";
  store.set(Setting::ColumnSelection, "True");
  EXPECT_TRUE(store.truth(Setting::ColumnSelection));
  store.setWord(Setting::ColumnSelection, false);
  EXPECT_EQ(store.get(Setting::ColumnSelection), "False");
}

TEST(CharSets, IndexMapsToFontCharSet) {
  EXPECT_EQ(CharSetOfIndex(1), 2) << "the default index selects SYMBOL_CHARSET";
  EXPECT_EQ(CharSetOfIndex(2), 204);
  EXPECT_EQ(CharSetOfIndex(14), 186);
  EXPECT_EQ(CharSetOfIndex(15), 0);
  EXPECT_EQ(CharSetOfIndex(-1), 0);
  for (int i = 0; i < int(kCharSets.size()); ++i) EXPECT_EQ(IndexOfCharSet(CharSetOfIndex(i)), i);
  EXPECT_EQ(IndexOfCharSet(42), -1);
}

}  // namespace
}  // namespace platform
