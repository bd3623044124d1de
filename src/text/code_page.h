// The five Cyrillic single-byte code pages: conversion between them by their letter tables,
// detection of the code page a text came from, and the names the menus and the status bar show.
//
// The editor shows every text as Windows-1251 characters. A text read from a file in another code
// page shows as garbage; converting it from that code page to 1 takes each character's
// Windows-1251 code as the byte the file held and maps it to the byte of the same letter in
// Windows-1251, so the text reads right.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace text {

// Code-page numbers, as stored in the settings and passed between windows.
inline constexpr int kWindows1251 = 1;
inline constexpr int kDos866 = 2;
inline constexpr int kKoi8R = 3;
inline constexpr int kMacCyrillic = 4;
inline constexpr int kIso8859_5 = 5;
inline constexpr int kCodePageCount = 5;

// Converts `text` from code page `from` to code page `to`.
// - from == to: the text unchanged, every character kept.
// - Otherwise a character of Windows-1251 code below 128 is copied; a character that code page
//   `from` stores as one of the 64 letters А..Я, а..я becomes that letter as code page `to`
//   stores it; every other character becomes "?": Ё and ё, "№", quotes and dashes, pseudographics,
//   characters Windows-1251 lacks (a surrogate pair is one character, so one "?").
// A number outside 1..5 stands for a code page without letters. Example: ConvertCodePage("Привет",
// 1, 3) reads "рТЙЧЕФ" (the KOI8-R bytes shown as Windows-1251), and back from 3 to 1 "Привет".
QString ConvertCodePage(QStringView text, int from, int to);

// The same conversion in the text's own buffer: no new whole-text allocation, whose first touch
// costs more than the conversion itself on a large document. Use it for the whole document.
void ConvertCodePageInPlace(QString& text, int from, int to);

// The same conversion on bytes (Windows-1251 bytes in and out), for saving without building a
// whole-document QString. Byte for byte: the result has the input's length.
QByteArray ConvertCodePageBytes(QByteArrayView bytes, int from, int to);
void ConvertCodePageBytesInPlace(QByteArray& bytes, int from, int to);

// The code page `text` (shown as Windows-1251 characters) came from: 1..5, or 0 when a sample of
// 128 characters or more looks like no Russian text in any of them (binary data, another
// alphabet). Empty text and text without any character of Windows-1251 code 128 and above need
// no conversion: 1.
// Each code page is scored by how likely its reading of the sample is as Russian text: pairs of
// letters (case-folded), word boundaries and punctuation, and letter case in context.
// Windows-1251 gets a small head start and ties go to the lower number, so a text that two code
// pages read the same (lower-case text in Windows-1251 and Macintosh Cyrillic) answers 1.
// A text over 4096 characters is sampled: 16 pieces of about 256 characters spread over it, and
// when those hold few characters of code 128 and above, pieces around the first such characters.
// Example: DetectCodePage(u"рТЙЧЕФ, НЙТ") is 3 (KOI8-R), DetectCodePage(u"Привет, мир") is 1.
int DetectCodePage(QStringView text);

// Names of a code page (empty for a number outside 1..5).
QString CodePageMenuCaption(int code);  // the code-page menu: "Win-1251", ..., "Macintosh"
QString CodePageListName(int code);     // the conversion dialog and the save list: "Win - 1251"
QString CodePageStatusName(int code);   // the status bar: "Win - 1251", ..., "Mac", "Iso - 5599"

// The code-page menu lists ISO 8859-5 before Macintosh: index 3 is code 5, index 4 is code 4.
// Both return 0 / -1 for a value outside the menu.
int CodePageOfMenuIndex(int index);
int MenuIndexOfCodePage(int code);

}  // namespace text
