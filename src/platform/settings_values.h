// Every value of the settings key with its default, in one place. A reader that needs a
// default the table cannot hold (the program directory, the current placement) passes it.
#pragma once

#include <array>

namespace platform {

inline constexpr const char* kSettingsKey = "software\\drumvale\\ostrel\\settings\\";
// One value has always lived under this other key; readers and writers of it use this path.
inline constexpr const char* kAutoCompleteKey = "software\\software\\Ostrel\\Settings\\";

// The values a number setting may take. A stored number outside them (a hand-edited file, a
// value from another program) is not used: the setting falls back to its default.
struct NumberRange {
  double min = 0;
  double max = -1;  // empty: the setting is not a number
  constexpr bool holds(double value) const { return value >= min && value <= max; }
};

// Ranges shared by several settings: window places in twips (a window may stand left of or
// above the screen), window sizes, minutes, list indexes.
inline constexpr NumberRange kTwipsRange{-1.0e6, 1.0e6};
inline constexpr NumberRange kTwipsSizeRange{1, 1.0e6};
inline constexpr NumberRange kMinutesRange{0, 10080};  // a week
inline constexpr NumberRange kIndexRange{0, 9999};
inline constexpr NumberRange kAnyIntRange{-2147483648.0, 2147483647.0};

struct SettingDef {
  const char* name;
  const char* defaultValue;
  const char* keyPath = kSettingsKey;
  NumberRange range = {};
};

namespace Setting {
#define OSTREL_SETTING(id, name, def) inline constexpr SettingDef id{name, def};
#define OSTREL_NUMBER(id, name, def, range) \
  inline constexpr SettingDef id{name, def, kSettingsKey, range};
OSTREL_SETTING(TopMost, "TopMost", "0")
OSTREL_SETTING(ExitOnEscape, "ExitOnEscape", "0")
OSTREL_NUMBER(Language, "Language", "0", kIndexRange)
// The chosen language file's name beside its index, so the choice survives a change of the
// folder's listing.
OSTREL_SETTING(LanguageName, "LanguageName", "")
OSTREL_SETTING(ToolBar, "ToolBar", "1")
OSTREL_SETTING(StatusBar, "StatusBar", "1")
OSTREL_SETTING(EnablePlugins, "EnablePlugins", "1")
OSTREL_SETTING(HTMLTags, "HTMLTags", "0")
OSTREL_SETTING(CodeLibrary, "CodeLibrary", "0")
OSTREL_SETTING(LocalBookMarks, "LocalBookMarks", "0")
OSTREL_NUMBER(SpecialTemplate, "SpecialTemplate", "0", kIndexRange)
OSTREL_SETTING(LastSPath, "LastSPath", "")
OSTREL_SETTING(MacroSeperator, "MacroSeperator", ";")
OSTREL_SETTING(AutoMacroExecute, "AutoMacroExecute", "0")
OSTREL_SETTING(MacroOnlyForOPS, "MacroOnlyForOPS", "1")
OSTREL_SETTING(AutoSave, "AutoSave", "0")
OSTREL_NUMBER(AutoSaveTime, "AutoSaveTime", "", kMinutesRange)
OSTREL_SETTING(AutoBackUp, "AutoBackUp", "0")
OSTREL_NUMBER(AutoBackUpTime, "AutoBackUpTime", "", kMinutesRange)
OSTREL_SETTING(LoadLastOpened, "LoadLastOpened", "0")
OSTREL_SETTING(LastOpenedFile, "LastOpenedFile", "")
OSTREL_SETTING(LastDir, "Last Dir", "")  // default: the program directory
OSTREL_NUMBER(FilterIndex, "FilterIndex", "0", (NumberRange{0, 6}))
OSTREL_NUMBER(OpenedLimit, "OpenedLimit", "10", (NumberRange{1, 100}))
OSTREL_NUMBER(SaveCodir, "SaveCodir", "0", kAnyIntRange)
OSTREL_NUMBER(SaveInCodir, "SaveInCodir", "1", (NumberRange{1, 5}))
OSTREL_SETTING(SynAutoDetect, "SynAutoDetect", "1")
OSTREL_SETTING(WarnIfChanged, "WarnIfChanged", "0")
OSTREL_NUMBER(HighLight, "HighLight", "0", kIndexRange)
OSTREL_SETTING(HighLightCurrentLine, "HighLightCurrentLine", "1")
OSTREL_SETTING(SyntaxAutoCase, "SyntaxAutoCase", "0")
OSTREL_SETTING(TextMode, "TextMode", "0")
OSTREL_NUMBER(TabSize, "TabSize", "4", (NumberRange{1, 64}))
OSTREL_SETTING(ShowGutter, "ShowGutter", "1")
OSTREL_SETTING(NumberStrings, "NumberStrings", "0")
OSTREL_NUMBER(LineNumberingStyle, "LineNumberingStyle", "10", (NumberRange{2, 36}))
OSTREL_SETTING(DisplayWhiteSpaces, "DisplayWhiteSpaces", "0")
OSTREL_SETTING(Split, "Split", "0")
OSTREL_SETTING(ColumnSelection, "ColumnSelection", "0")
OSTREL_SETTING(DefaultFontName, "DefaultFontName", "Courier New")
OSTREL_NUMBER(DefaultFontSize, "DefaultFontSize", "10", (NumberRange{1, 500}))
OSTREL_NUMBER(DefaultFontCharSet, "DefaultFontCharSet", "1", (NumberRange{0, 14}))
OSTREL_SETTING(AutoComplete, "AutoComplete", "0")
OSTREL_SETTING(AutoChange, "AutoChange", "0")
OSTREL_SETTING(PlayWave, "PlayWave", "False")
OSTREL_SETTING(WaveFile, "WaveFile", "")
OSTREL_SETTING(DateFormat, "DateFormat", "hh:mm dd mmm yyyy  ddd")
OSTREL_SETTING(MyBrowserName, "MyBrowserName", "Другой")
OSTREL_SETTING(MyBrowserDir, "MyBrowserDir", "")
OSTREL_SETTING(InternetExplorer, "Internet Explorer",
               "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE")
OSTREL_SETTING(Opera, "Opera", "C:\\Program Files\\Opera\\Opera.exe")
OSTREL_SETTING(NetScape, "NetScape", "")
// The gradient window's two colours, as Windows colour values (0x00BBGGRR).
OSTREL_NUMBER(LastG1, "LastG1", "0", (NumberRange{0, 16777215}))
OSTREL_NUMBER(LastG2, "LastG2", "16777215", (NumberRange{0, 16777215}))
OSTREL_SETTING(BlockToLog, "BlockToLog", "1")
OSTREL_SETTING(OpenWith, "OpenWith", "0")
OSTREL_SETTING(DefHTMLEditor, "DefHTMLEditor", "0")
OSTREL_NUMBER(PODefault, "PODefault", "0", kIndexRange)
OSTREL_SETTING(FirstLB, "FirstLB", "0")
OSTREL_NUMBER(PWidth, "PWidth", "3", (NumberRange{0, 1000}))
OSTREL_NUMBER(RecSpace, "RecSpace", "3", (NumberRange{0, 1000}))
OSTREL_SETTING(HTMLCont, "HTMLCont", "0")
OSTREL_SETTING(HTMLReplaceBR, "HTMLReplaceBR", "0")
OSTREL_SETTING(HTMLReplacePara, "HTMLReplacePara", "0")
OSTREL_SETTING(HTMLReplaceSpaces, "HTMLReplaceSpaces", "0")
OSTREL_SETTING(HTMLSpecSymbols, "HTMLSpecSymbols", "0")
OSTREL_SETTING(MultiMatchCase, "MultiMatchCase", "0")
OSTREL_NUMBER(BookMarksView, "BookMarksView", "0", kIndexRange)
OSTREL_NUMBER(LastSI, "LastSI", "0", kIndexRange)
// How long after the first unsaved change the text is kept for recovery after a crash, in ms.
OSTREL_NUMBER(RecoveryDelay, "RecoveryDelay", "3000", (NumberRange{50, 600000}))
OSTREL_NUMBER(MainLeft, "Main_Left", "", kTwipsRange)  // default: the current placement
OSTREL_NUMBER(MainTop, "Main_Top", "", kTwipsRange)
OSTREL_NUMBER(MainHeight, "Main_Height", "", kTwipsSizeRange)
OSTREL_NUMBER(MainWidth, "Main_Width", "", kTwipsSizeRange)
OSTREL_NUMBER(BookmarksLeft, "Bookmarks_Left", "", kTwipsRange)  // default: where it opens
OSTREL_NUMBER(BookmarksTop, "Bookmarks_Top", "", kTwipsRange)
OSTREL_NUMBER(LocalBookmarksLeft, "LocalBookmarks_Left", "", kTwipsRange)
OSTREL_NUMBER(LocalBookmarksTop, "LocalBookmarks_Top", "", kTwipsRange)
// The multiple-replacement window's place; missing: the window system places it.
OSTREL_NUMBER(MultiTop, "Multi_Top", "", kTwipsRange)
OSTREL_NUMBER(MultiLeft, "Multi_Left", "", kTwipsRange)
OSTREL_SETTING(WordWrap, "WordWrap", "0")  // written only
OSTREL_SETTING(ToolBarTheme, "ToolBarTheme", "")  // written only
OSTREL_SETTING(STableFont, "STableFont", "")      // written only
#undef OSTREL_SETTING
#undef OSTREL_NUMBER
inline constexpr SettingDef AddToAutoComplete{"AddToAutoComplete", "0", kAutoCompleteKey};
}  // namespace Setting

// Font character sets by the index the settings keep in DefaultFontCharSet.
struct CharSet {
  const char* name;
  int value;
};
inline constexpr std::array<CharSet, 15> kCharSets{{
    {"DEFAULT_CHARSET", 1},   {"SYMBOL_CHARSET", 2},      {"RUSSIAN_CHARSET", 204},
    {"ANSI_CHARSET", 0},      {"OEM_CHARSET", 255},       {"MONO_FONT", 8},
    {"JOHAB_CHARSET", 130},   {"HEBREW_CHARSET", 177},    {"ARABIC_CHARSET", 178},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},   {"THAI_CHARSET", 222},
    {"EASTEUROPE_CHARSET", 238}, {"MAC_CHARSET", 77},     {"BALTIC_CHARSET", 186},
}};

// The character set of a list index; any index outside the list gives 0.
constexpr int CharSetOfIndex(int index) {
  return index >= 0 && index < int(kCharSets.size()) ? kCharSets[index].value : 0;
}
// The list index of a character set, or -1 when the list lacks it.
constexpr int IndexOfCharSet(int charSet) {
  for (int i = 0; i < int(kCharSets.size()); ++i)
    if (kCharSets[i].value == charSet) return i;
  return -1;
}

}  // namespace platform
