// The nine local bookmarks: places in the text being edited, kept in memory for the whole run
// whatever file is open, and never written anywhere.
#pragma once

#include <QString>
#include <array>

namespace navigation {

struct LocalMark {
  int line = 0;
  int column = 0;
  bool operator==(const LocalMark&) const = default;
};

class LocalBookmarkTable {
 public:
  static constexpr int kCount = 9;  // bookmarks 1 to 9 are slots 0 to 8

  // A slot never set, or cleared, holds the start of the text. Slots outside 0..8 hold that too
  // and take nothing.
  LocalMark at(int slot) const;
  void set(int slot, LocalMark mark);
  void clear(int slot);

  // What the window shows for the slot: its number, or "0" once the user removed it (until it
  // is set again).
  QString label(int slot) const;

 private:
  static bool valid(int slot) { return slot >= 0 && slot < kCount; }

  std::array<LocalMark, kCount> m_marks{};
  std::array<bool, kCount> m_removed{};
};

// Where a mark puts the caret in a text of `lineCount` lines: a line that no longer exists
// becomes the last one. The column is left to the editor, which stops at the line's end.
LocalMark ClampToText(LocalMark mark, int lineCount);

}  // namespace navigation
