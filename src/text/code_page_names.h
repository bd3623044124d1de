// The five code pages by number (1 Windows-1251, 2 DOS 866, 3 KOI8-R, 4 Macintosh Cyrillic,
// 5 ISO 8859-5) and the names each place of the program shows for them.
#pragma once

#include <QString>

namespace text {

inline constexpr int kCodePageCount = 5;

// The status-bar name ("Win - 1251" … "Iso - 5599"); "" outside 1..5.
QString CodePageStatusName(int codePage);
// The entry of the conversion dialog and the save list, in code order ("Win - 1251" …).
QString CodePageListName(int codePage);
// The code-page menu lists ISO before Macintosh: menu index 3 is code 5, index 4 is code 4.
int CodePageOfMenuIndex(int index);
int MenuIndexOfCodePage(int codePage);

}  // namespace text
