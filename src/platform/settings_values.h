// Every value of the settings key with its default, in one place. A reader that needs a
// default the table cannot hold (the program directory, the current placement) passes it.
#pragma once

#include <array>

namespace platform {

inline constexpr const char* kSettingsKey = "software\\drumvale\\ostrel\\settings\\";
// One value has always lived under this other key; readers and writers of it use this path.
inline constexpr const char* kAutoCompleteKey = "software\\software\\Ostrel\\Settings\\";

struct SettingDef {
  const char* name;
  const char* defaultValue;
  const char* keyPath = kSettingsKey;
};

namespace Setting {
#define OSTREL_SETTING(id, name, def) inline constexpr SettingDef id{name, def};
OSTREL_SETTING(TopMost, "TopMost", "0")
OSTREL_SETTING(ExitOnEscape, "ExitOnEscape", "0")
OSTREL_SETTING(Language, "Language", "0")
OSTREL_SETTING(ToolBar, "ToolBar", "1")
OSTREL_SETTING(StatusBar, "StatusBar", "1")
OSTREL_SETTING(EnablePlugins, "EnablePlugins", "1")
OSTREL_SETTING(HTMLTags, "HTMLTags", "0")
OSTREL_SETTING(CodeLibrary, "CodeLibrary", "0")
OSTREL_SETTING(LocalBookMarks, "LocalBookMarks", "0")
OSTREL_SETTING(SpecialTemplate, "SpecialTemplate", "0")
OSTREL_SETTING(LastSPath, "LastSPath", "")
OSTREL_SETTING(MacroSeperator, "MacroSeperator", ";")
OSTREL_SETTING(AutoMacroExecute, "AutoMacroExecute", "0")
OSTREL_SETTING(MacroOnlyForOPS, "MacroOnlyForOPS", "1")
OSTREL_SETTING(AutoSave, "AutoSave", "0")
OSTREL_SETTING(AutoSaveTime, "AutoSaveTime", "")
OSTREL_SETTING(AutoBackUp, "AutoBackUp", "0")
OSTREL_SETTING(AutoBackUpTime, "AutoBackUpTime", "")
OSTREL_SETTING(LoadLastOpened, "LoadLastOpened", "0")
OSTREL_SETTING(LastOpenedFile, "LastOpenedFile", "")
OSTREL_SETTING(LastDir, "Last Dir", "")  // default: the program directory
OSTREL_SETTING(FilterIndex, "FilterIndex", "0")
OSTREL_SETTING(OpenedLimit, "OpenedLimit", "10")
OSTREL_SETTING(SaveCodir, "SaveCodir", "0")
OSTREL_SETTING(SaveInCodir, "SaveInCodir", "1")
OSTREL_SETTING(SynAutoDetect, "SynAutoDetect", "0")
OSTREL_SETTING(WarnIfChanged, "WarnIfChanged", "0")
OSTREL_SETTING(HighLight, "HighLight", "0")
OSTREL_SETTING(HighLightCurrentLine, "HighLightCurrentLine", "1")
OSTREL_SETTING(SyntaxAutoCase, "SyntaxAutoCase", "0")
OSTREL_SETTING(TextMode, "TextMode", "0")
OSTREL_SETTING(TabSize, "TabSize", "4")
OSTREL_SETTING(ShowGutter, "ShowGutter", "1")
OSTREL_SETTING(NumberStrings, "NumberStrings", "0")
OSTREL_SETTING(LineNumberingStyle, "LineNumberingStyle", "10")
OSTREL_SETTING(DisplayWhiteSpaces, "DisplayWhiteSpaces", "0")
OSTREL_SETTING(Split, "Split", "0")
OSTREL_SETTING(ColumnSelection, "ColumnSelection", "0")
OSTREL_SETTING(DefaultFontName, "DefaultFontName", "Courier New")
OSTREL_SETTING(DefaultFontSize, "DefaultFontSize", "10")
OSTREL_SETTING(DefaultFontCharSet, "DefaultFontCharSet", "1")
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
OSTREL_SETTING(BlockToLog, "BlockToLog", "1")
OSTREL_SETTING(OpenWith, "OpenWith", "0")
OSTREL_SETTING(PODefault, "PODefault", "0")
OSTREL_SETTING(FirstLB, "FirstLB", "0")
OSTREL_SETTING(PWidth, "PWidth", "3")
OSTREL_SETTING(RecSpace, "RecSpace", "3")
OSTREL_SETTING(HTMLCont, "HTMLCont", "0")
OSTREL_SETTING(HTMLReplaceBR, "HTMLReplaceBR", "0")
OSTREL_SETTING(HTMLReplacePara, "HTMLReplacePara", "0")
OSTREL_SETTING(HTMLReplaceSpaces, "HTMLReplaceSpaces", "0")
OSTREL_SETTING(HTMLSpecSymbols, "HTMLSpecSymbols", "0")
OSTREL_SETTING(MultiMatchCase, "MultiMatchCase", "0")
OSTREL_SETTING(BookMarksView, "BookMarksView", "0")
OSTREL_SETTING(LastSI, "LastSI", "0")
OSTREL_SETTING(MainLeft, "Main_Left", "")  // default: the current placement
OSTREL_SETTING(MainTop, "Main_Top", "")
OSTREL_SETTING(MainHeight, "Main_Height", "")
OSTREL_SETTING(MainWidth, "Main_Width", "")
OSTREL_SETTING(WordWrap, "WordWrap", "0")  // written only
OSTREL_SETTING(ToolBarTheme, "ToolBarTheme", "")  // written only
OSTREL_SETTING(STableFont, "STableFont", "")      // written only
#undef OSTREL_SETTING
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
