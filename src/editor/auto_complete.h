// The auto-complete list `lstKeyWords`: the words of "Autocomplete.lst" offered under the caret
// while the user types a word's beginning; Down moves into the list and Space takes the word.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace shell {
class FrmMain;
}

namespace editor {

struct CaretWord {
  QString word;    // spaces around it removed
  int column = 1;  // the caret's 1-based column as the lookup leaves it
  int start = 0;   // 0-based column of the line where `word` begins
  bool operator==(const CaretWord&) const = default;
};

// The word the list looks up, from one line and the 0-based caret column in it:
// 1. c = caret + 1. A "(" or " " just before the caret is stepped over together with the
//    character before it (c − 2); then c < 2 becomes 1, or else trailing blanks at c are
//    skipped back over.
// 2. The word starts after the last " " of the first c characters (one at the very start
//    counts as none), or after the last CR LF there when that comes later.
// 3. It runs up to position c + 1 (c + 2 after a skip over blanks) and loses its surrounding
//    spaces. So "printf  " gives printf, "printf(" gives printf( and, inside a line, the
//    word may take in the character at the caret and the one after it.
CaretWord WordBeforeCaret(const QString& line, int caretColumn);

// The words of "Autocomplete.lst" in file order, empty items left out: what the list offers
// when no highlight scheme adds its own words.
QStringList AutoCompleteWords(shell::FrmMain& window);
// Rewrites "Autocomplete.lst" with these words, one a line, and reloads the window's list from
// the file. The reason in the user's words when the file could not be written (the list then
// keeps what the file holds).
std::optional<QString> StoreAutoCompleteWords(shell::FrmMain& window, const QStringList& words);

void InstallAutoComplete(shell::FrmMain& window);

}  // namespace editor
