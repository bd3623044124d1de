// The plain text of an RTF document: what a word processor shows, without its formatting.
#pragma once

#include <QString>
#include <QStringView>

namespace text {

// Control words and symbols are removed, and so are groups that hold no text of the document
// (font and colour tables, style sheets, pictures, document information, every "\*" group).
// \par and \line become CR LF, \tab a tab; \'hh is a byte of the document's code page
// (\ansicpg, or Windows-1251 when a font says it is Cyrillic, else Windows-1252), \uN the
// character N followed by \ucN fallback characters that are skipped; \{ \} \\ stand for
// themselves. Line breaks of the RTF source are not text. A text that does not begin with
// "{\rtf" is returned as it is.
// Example: RtfToText(R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0 Hello, \b world\b0 !\par})") is
// "Hello, world!\r\n".
QString RtfToText(QStringView rtf);

}  // namespace text
