// Colour codes for hand-written HTML and the colour gradient over a text, one font tag per
// character.
#pragma once

#include <QColor>
#include <QString>

namespace html {

// A Windows colour value 0x00BBGGRR from a colour as the platform's dialogs give it.
int WindowsColour(const QColor& colour);

// Six upper-case hexadecimal digits RRGGBB of a Windows colour value 0x00BBGGRR: the value in
// hexadecimal, padded to six digits, its byte pairs reversed. Only the low 24 bits count.
// Example: 255 (pure red) gives "FF0000", 0x123456 gives "563412".
QString ColorToHtml(int colour);

// Every character of `text` in its own "<FONT COLOR=RRGGBB>c</FONT>", the colours running in
// even steps from `startColour` (one step before the first character) to `endColour` (the
// last character). Red and green steps are doubles, the blue step is single precision, as the
// gradients always were; each component is rounded to the nearest whole number, ties to even.
// A line end (CR LF, a lone CR or a lone LF) is one character, written as it was inside its own
// tag; a character outside the basic plane stays one character.
// Example: "ab" from black to white gives
// "<FONT COLOR=808080>a</FONT><FONT COLOR=FFFFFF>b</FONT>"; "a\r\nb" takes three steps, the
// middle tag holding "\r\n".
QString TextGradient(const QString& text, int startColour, int endColour);

}  // namespace html
