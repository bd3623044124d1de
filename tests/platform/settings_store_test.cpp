#include "platform/settings_store.h"

#include "platform/test_files.h"

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

// Every form the program stores is read; anything else, or a number out of the setting's range,
// is not a number at all.
TEST(CheckedNumber, FormsAndRanges) {
  const NumberRange any{-1.0e9, 1.0e9};
  struct {
    const char* text;
    NumberRange range;
    std::optional<double> expect;
  } cases[] = {
      {"3", any, 3},          {" 3", any, 3},           {"3 ", any, 3},
      {"-1200", kTwipsRange, -1200},                     {"4485.5", kTwipsRange, 4485.5},
      {"1,5", any, 1.5},      {"", any, std::nullopt},  {"abc", any, std::nullopt},
      {"12abc", any, std::nullopt},                      {"inf", any, std::nullopt},
      {"nan", any, std::nullopt},                        {"1e400", any, std::nullopt},
      {"2147483647", Setting::OpenedLimit.range, std::nullopt},
      {"0", Setting::OpenedLimit.range, std::nullopt},   {"100", Setting::OpenedLimit.range, 100},
      {"-1", kMinutesRange, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CheckedNumber(QString::fromUtf8(c.text), c.range), c.expect);
  }
}

// A hand-edited number out of range used to crash every start (OpenedLimit=2147483647) or make
// it take minutes; it now falls back to the table's default.
TEST_F(SettingsStoreTest, NumbersOutOfRangeFallBackToTheirDefaults) {
  SettingsStore store(ini());
  struct {
    const SettingDef& def;
    const char* stored;
    int expect;
  } cases[] = {
      {Setting::OpenedLimit, "2147483647", 10}, {Setting::OpenedLimit, "100000000", 10},
      {Setting::OpenedLimit, "-1", 10},         {Setting::OpenedLimit, " 25", 25},
      {Setting::TabSize, "0", 4},               {Setting::TabSize, "8", 8},
      {Setting::DefaultFontSize, "99999", 10},  {Setting::DefaultFontCharSet, "15", 1},
      {Setting::LineNumberingStyle, "1", 10},   {Setting::LineNumberingStyle, "16", 16},
      {Setting::SaveInCodir, "9", 1},           {Setting::FilterIndex, "7", 0},
      {Setting::HighLight, " 3", 3},            {Setting::SaveCodir, "99999999999", 0},
      {Setting::SaveCodir, "2", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.def.name) + "=" + c.stored);
    store.set(c.def, QString::fromUtf8(c.stored));
    EXPECT_EQ(store.number(c.def), c.expect);
  }
  store.set(Setting::AutoSaveTime, "1e9");
  EXPECT_EQ(store.decimal(Setting::AutoSaveTime), std::nullopt) << "no default: never";
  store.set(Setting::AutoSaveTime, "0,5");
  EXPECT_EQ(store.decimal(Setting::AutoSaveTime), 0.5);
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

namespace platform {
namespace {

// Setting what is already there leaves the file alone (start-up rewrote it every time), but a
// value another copy of the program changed meanwhile is put back.
TEST_F(SettingsStoreTest, TheSameValueAgainWritesNothingAndAnotherCopysChangeIsSeen) {
  SettingsStore first(ini());
  first.set(Setting::TabSize, "8");
  // A write puts a new file in place of the old one.
  const ino_t written = test_files::statOf(ini()).st_ino;
  first.set(Setting::TabSize, "8");
  EXPECT_EQ(test_files::statOf(ini()).st_ino, written) << "the same value was written again";
  first.set(Setting::TabSize, "6");
  EXPECT_NE(test_files::statOf(ini()).st_ino, written);

  SettingsStore second(ini());
  second.set(Setting::TabSize, "2");
  first.set(Setting::TabSize, "6");
  EXPECT_EQ(SettingsStore(ini()).get(Setting::TabSize), "6");
}

}  // namespace
}  // namespace platform
