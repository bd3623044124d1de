// The hot-key table's entries as the file holds them: what is read, what is checked, what is
// written back, and the texts shown for a binding.
#include "hotkeys/hot_key_entry.h"

#include <gtest/gtest.h>

namespace hotkeys {
namespace {

TEST(HotKeyText, ModifierNamesThenTheKeysName) {
  struct {
    int modifiers;
    int key;
    const char* expect;
  } cases[] = {
      {1, 116, "Shift+F5"},          {2, 'A', "Ctrl+A"},
      {3, '7', "Ctrl+Shift+7"},      {4, 46, "Alt+Del"},
      {5, 101, "Shift+Alt+Num 5"},   {6, 'M', "Ctrl+Alt+M"},
      {7, 38, "Ctrl+Shift+Alt+Вверх"},
      // No modifier, an unknown one or a key nobody binds: no text at all.
      {0, 'A', ""},                  {8, 'A', ""},
      {2, 16, ""},                   {2, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expect);
    EXPECT_EQ(HotKeyText(c.modifiers, c.key), QString::fromUtf8(c.expect));
  }
  EXPECT_EQ(HotKeyText(QStringLiteral("6|77")), "Ctrl+Alt+M");
  EXPECT_EQ(HotKeyText(QStringLiteral("6|")), "");
}

TEST(ParseEntry, EveryNumberIsChecked) {
  struct {
    const char* target;
    const char* binding;
    std::optional<HotKeyBinding> expect;
  } cases[] = {
      {"Macro.2", "6|77", HotKeyBinding{HotKeyKind::Macro, 2, 6, 77}},
      {"Program.1", "1|112", HotKeyBinding{HotKeyKind::Program, 1, 1, 112}},
      {"HighLight.0", "7|96", HotKeyBinding{HotKeyKind::HighLight, 0, 7, 96}},
      {"Plugin.12", "2|222", HotKeyBinding{HotKeyKind::Plugin, 12, 2, 222}},
      // The index is what follows the last dot, the kind what precedes the first.
      {"Bookmark.x.3", "4|65", HotKeyBinding{HotKeyKind::Bookmark, 3, 4, 65}},
      {"Template.3", "4|65", HotKeyBinding{HotKeyKind::Template, 3, 4, 65}},
      {"macro.2", "6|77", std::nullopt},      // kinds are spelt exactly
      {"Editor.2", "6|77", std::nullopt},
      {"Macro", "6|77", std::nullopt},
      {"Macro.", "6|77", std::nullopt},
      {"Macro.-1", "6|77", std::nullopt},
      {"Macro.+1", "6|77", std::nullopt},
      {"Macro.99999999999", "6|77", std::nullopt},
      {"Macro.2", "0|77", std::nullopt},      // a key without a modifier is no hot key
      {"Macro.2", "8|77", std::nullopt},
      {"Macro.2", "6|17", std::nullopt},      // Ctrl is no key of its own
      {"Macro.2", "6|300", std::nullopt},
      {"Macro.2", "6", std::nullopt},
      {"Macro.2", "6|77|1", std::nullopt},
      {"Macro.2", " 6|77", std::nullopt},
      {"Macro.2", "", std::nullopt},
      {"", "6|77", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.target) + "=" + c.binding);
    EXPECT_EQ(ParseEntry({QString::fromUtf8(c.target), QString::fromUtf8(c.binding)}), c.expect);
  }
}

TEST(MakeEntry, ReadsBackAsMade) {
  for (HotKeyKind kind : kHotKeyKinds) {
    const HotKeyBinding binding{kind, 5, 3, 123};
    SCOPED_TRACE(KindName(kind).toStdString());
    EXPECT_EQ(ParseEntry(MakeEntry(binding)), binding);
    EXPECT_EQ(KindArray(kind), "mnu" + KindName(kind));
  }
  EXPECT_EQ(MakeEntry({HotKeyKind::Macro, 2, 6, 77}),
            (HotKeyEntry{QStringLiteral("Macro.2"), QStringLiteral("6|77")}));
}

TEST(HotKeyItems, FileItemsBothWays) {
  const QList<HotKeyEntry> entries = ParseHotKeyItems(
      {"Macro.2=6|77", "", "Program.1=x=1|112", "no equals sign", "Template.1=", "=2|65"});
  const QList<HotKeyEntry> expect = {
      {"Macro.2", "6|77"}, {"Program.1", "1|112"}, {"no equals sign", ""},
      {"Template.1", ""},  {"", "2|65"}};
  EXPECT_EQ(entries, expect);
  // Removed entries are not written; the others in table order.
  EXPECT_EQ(HotKeyItems(entries), QStringList({"Macro.2=6|77", "Program.1=1|112"}));
  EXPECT_EQ(HotKeyItems({}), QStringList());
  EXPECT_EQ(ParseHotKeyItems(HotKeyItems(entries)), entries.first(2));
}

}  // namespace
}  // namespace hotkeys
