// The five Cyrillic single-byte code pages: conversion between them by their full byte tables,
// detection of the code page a text came from, and the names the menus and the status bar show.
//
// The editor's text is Unicode. A file read as single-byte shows each of its bytes as the
// Windows-1251 character of that byte, so a file in another code page shows as garbage until it
// is converted from that code page to 1; saving in code page k converts from 1 to k and writes
// each character of the result as its Windows-1251 byte.
#pragma once

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

// Converts `text` from code page `from` to code page `to`. Code page 1 on either side is the
// editor's own Unicode text; any other is a file's bytes, each shown as its Windows-1251
// character.
// - from == to: the text unchanged, every character kept (surrogates too).
// - Otherwise each character is read first. With from == 1 it means itself. Otherwise its
//   Windows-1251 code is a byte of code page `from`, and it means the character that byte stands
//   for there (each of the five code pages defines all 256 bytes; 80..9F of ISO 8859-5 are
//   U+0080..U+009F). A character Windows-1251 has no code for was never a byte of the file and
//   means itself.
// - Then that meaning is written. With to == 1 it is the result as it is, so nothing is lost.
//   Otherwise the result is the byte code page `to` stores it at, shown as its Windows-1251
//   character, or "?" when `to` lacks it (a surrogate pair is one character, so one "?"; a lone
//   surrogate half is one "?" too).
// A number outside 1..5 stands for a code page that holds ASCII alone. So every byte of a code
// page survives the way to 1 and back, and from -> to equals from -> 1 -> to.
// Example: ConvertCodePage("Привет, ещё «ёж»", 1, 3) is "рТЙЧЕФ, ЕЭЈ ?ЈЦ?" (the KOI8-R bytes
// shown as Windows-1251; KOI8-R has no « »), and ConvertCodePage("рТЙЧЕФ, ЕЭЈ", 3, 1) is
// "Привет, ещё".
QString ConvertCodePage(QStringView text, int from, int to);

// The same conversion in the text's own buffer: no new whole-text allocation, whose first touch
// costs more than the conversion itself on a large document. Use it for the whole document.
void ConvertCodePageInPlace(QString& text, int from, int to);

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

// How sure a detection is. Each code page's reading of the sample gets a score, the log2 of how
// likely that reading is as Russian text; the margin is how many bits the best reading beats the
// next best by, so the best is 2^margin times as likely as any other. Code pages that happen to
// read the sample alike (lower-case letters sit at the same bytes in Windows-1251 and Macintosh
// Cyrillic) leave a margin of a bit or none: the sample cannot tell them apart, though a change of
// letter case would write them differently. A guess is sure from this margin on; below it a
// short or unusual text could well be another code page's. On Russian prose the detector's model
// never saw, no sample of 8 to 64 characters called sure at this margin was in another code page,
// while nearly every text of a few hundred characters is sure (tools/detect_accuracy --margins).
inline constexpr int kSureMargin = 24;
constexpr bool IsSureCodePageMargin(int margin) { return margin >= kSureMargin; }

struct CodePageGuess {
  int codePage = kWindows1251;  // as DetectCodePage answers
  int margin = 0;               // bits; kSureMargin for text with nothing to tell apart
  // The margin is sure and some code page fits; a text with no character of code 128 and above
  // is sure to be code page 1.
  bool sure = false;
};

// DetectCodePage with how sure it is. Example: GuessCodePage(u"рТЙЧЕФ, НЙТ") is {3, m, true}
// with m well above kSureMargin; GuessCodePage(u"дом") is {1, 1, false}.
CodePageGuess GuessCodePage(QStringView text);

// Names of a code page (empty for a number outside 1..5).
QString CodePageMenuCaption(int code);  // the code-page menu: "Win-1251", ..., "Macintosh"
QString CodePageListName(int code);     // the conversion dialog and the save list: "Win - 1251"
QString CodePageStatusName(int code);   // the status bar: "Win - 1251", ..., "Mac", "Iso - 5599"

// The code-page menu lists ISO 8859-5 before Macintosh: index 3 is code 5, index 4 is code 4.
// Both return 0 / -1 for a value outside the menu.
int CodePageOfMenuIndex(int index);
int MenuIndexOfCodePage(int code);

}  // namespace text
