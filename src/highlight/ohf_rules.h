// The colouring rules of one highlight definition, prepared once (hash tables of words, symbols
// by first byte) so that colouring a line costs one pass over its UTF-8 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "highlight/colour_items.h"
#include "highlight/ohf_definition.h"

namespace highlight {

// The lexer's style numbers. Every byte of a character gets the same style.
enum class OhfStyle : unsigned char {
  Default,
  Keyword,   // [group1]
  Operator,  // [group2]
  Scope,     // the scope-opening and scope-closing keywords
  Number,
  Comment,
  String,
};
inline constexpr int kOhfStyleCount = 7;

// The colour-scheme item a style is shown in; Text for a number that is no style.
ColourItem OhfStyleItem(int style);

class OhfRules {
 public:
  // What a line hands on to the next one.
  enum class State : int { Normal = 0, BlockComment = 1 };

  explicit OhfRules(const OhfDefinition& definition);

  // Styles one line (its bytes without the line end) into `styles`, one OhfStyle per byte,
  // starting in `state`; returns the state at the line's end.
  State styleLine(const char* text, std::size_t length, State state, char* styles) const;
  // The style of the line-end bytes after a line that ended in `state`.
  static OhfStyle lineEndStyle(State state);

  // Whether the character at `text` is a word character (a letter, digit, combining mark or
  // '_'); `length` receives its bytes (1 for a byte that is no UTF-8 character).
  static bool isWordAt(const unsigned char* text, std::size_t available, int* length);

 private:
  // Something matched at any position rather than looked up as a word: an entry holding other
  // characters than word characters ("+", ":=", "#include", "end-if"), or a comment opener.
  // One holding word characters still has to stand as a whole word ("#includes" is none).
  struct Token {
    std::string text;  // folded when the definition ignores case
    OhfStyle style = OhfStyle::Default;
    bool wordLeft = false;   // the character before may not be a word character
    bool wordRight = false;  // nor the one after
  };
  struct Comment {
    Token open;
    std::string close;  // empty: runs to the end of the line
  };
  struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };

  void addEntry(const std::string& entry, OhfStyle style);
  Token makeToken(const std::string& text, OhfStyle style) const;
  std::string fold(std::string_view text) const;
  bool matchesAt(const unsigned char* line, std::size_t length, std::size_t at,
                 const Token& token) const;
  std::size_t findClose(const unsigned char* text, std::size_t length, std::size_t from,
                        const std::string& close) const;
  std::size_t scanString(const unsigned char* text, std::size_t length, std::size_t at,
                         char32_t quote, int quoteLength) const;
  std::size_t scanNumber(const unsigned char* text, std::size_t length, std::size_t at) const;
  std::size_t styleToken(const unsigned char* line, std::size_t length, std::size_t at,
                         char* styles, State* state) const;
  OhfStyle wordStyle(const unsigned char* text, std::size_t length) const;
  bool isStringChar(char32_t c) const;

  bool m_caseSensitive = false;
  std::unordered_map<std::string, OhfStyle, StringHash, std::equal_to<>> m_words;
  std::array<bool, 256> m_wordFirstByte{};  // a word of the table can start with this byte
  std::size_t m_longestWord = 0;
  bool m_nonAsciiWords = false;                   // folding such a word needs Unicode case rules
  std::array<std::vector<Token>, 256> m_symbols;  // by first byte, longest first
  std::vector<Comment> m_comments;                // longest opener first
  std::string m_blockClose;
  std::vector<char32_t> m_stringChars;
};

}  // namespace highlight
