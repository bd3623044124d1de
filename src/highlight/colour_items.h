// The items of the colour scheme ("Colors.ini"): what a lexer's styles are coloured as. Every
// lexer, built in or read from a definition file, says which item each of its styles belongs to.
#pragma once

namespace highlight {

enum class ColourItem {
  Text,          // ordinary text and identifiers
  CurrentLine,   // background of the caret's line
  Background,    // the window behind the text
  Gutter,        // the symbol margin left of the line numbers
  LineNumber,    // the line-number margin
  Comment,
  String,
  Breakpoint,    // stored, not shown
  Delimiter,     // scope keywords: begin/end, { }
  Group1,        // keywords
  Group2,        // operators
  Group3,        // numbers
  Group4,        // stored, not shown
  HtmlAttribute,
  ElementName,
  TagText,
};

inline constexpr int kColourItemCount = 16;

}  // namespace highlight
