// Breaks that exist only on screen. The editing component lays out a whole line at once, which
// made a 20 MB line (minified code, a data dump, a log) take seconds per key. A line longer than
// kDisplayLineLength characters therefore reaches the component as several display lines, each
// ended by a lone LF, a display break. Where the breaks are is known from where they were put,
// never guessed from the bytes: the program may put lone LFs of its own into a text (an
// encrypted one has them), and those are the text's. The breaks are left out of everything the
// program reads, searches and saves.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <utility>
#include <vector>

namespace platform {

// Characters (UTF-8 sequences) on one display line before a break is put in. Short enough
// that laying out a display line stays well under a frame, long enough that text with
// ordinary lines never gets one.
inline constexpr int kDisplayLineLength = 2000;

// The byte positions of the display breaks of a buffer, kept sorted and in step with every
// change of it.
class DisplayBreaks {
 public:
  bool empty() const { return m_at.empty(); }
  long count() const { return long(m_at.size()); }
  const std::vector<long>& positions() const { return m_at; }
  // A new text: its breaks and no history.
  void reset(std::vector<long> positions);
  // Text with breaks at `offsets` from `at` went in at the end, behind every break.
  void append(long at, const std::vector<long>& offsets);

  // `length` bytes go in at `at`, with breaks at these offsets of them: the breaks behind move
  // on and the new ones join.
  void inserting(long at, long length, const std::vector<long>& offsets);
  // `length` bytes go from `at`, with the breaks among them.
  void deleting(long at, long length);
  // Undoing a deletion puts the same bytes back at the same place, and redoing an insertion
  // too: these go in with the breaks they had. The bytes are not in yet, so each such break is
  // checked by settle() once they are, and dropped when no LF stands there.
  void reinserting(long at, long length);
  void settle(const std::function<char(long position)>& byteAt);

  // How many breaks lie before `position`.
  long before(long position) const;
  bool isBreak(long position) const;
  // The component's line on which line `line` of the text begins; `lineOf` tells the
  // component's line of a byte position.
  long firstDisplayLine(long line, const std::function<long(long position)>& lineOf) const;
  // The bytes of a range of the buffer that starts at `start`, without its breaks.
  QByteArray strip(QByteArrayView range, long start) const;

 private:
  struct Record {
    long at = 0;
    long length = 0;
    std::vector<long> offsets;
  };
  void record(long at, long length, std::vector<long> offsets);

  std::vector<long> m_at;
  // Changes that had breaks, latest last: what reinserting() goes by.
  std::vector<Record> m_history;
  std::vector<long> m_unsettled;
};

// The byte continues a UTF-8 character begun before it: no character starts here.
inline bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Puts display breaks into UTF-8 text as it streams through: a lone LF after every
// kDisplayLineLength characters of a line, never inside a character or a line end.
// `column` is the count of characters already on the display line the text continues.
class BreakInserter {
 public:
  using Sink = std::function<void(QByteArrayView piece)>;
  BreakInserter(Sink sink, int column = 0) : m_sink(std::move(sink)), m_column(column) {}

  void feed(QByteArrayView piece);
  // Offsets of the breaks put in so far, counted in bytes of the output.
  const std::vector<long>& breaks() const { return m_breaks; }

 private:
  Sink m_sink;
  int m_column;
  long m_written = 0;
  std::vector<long> m_breaks;
};

// The same text with breaks, in one piece, and where they are; `column` as for BreakInserter.
QByteArray WithDisplayBreaks(QByteArrayView text, int column = 0,
                             std::vector<long>* offsets = nullptr);
// True when some line of the text would get a break.
bool NeedsDisplayBreaks(QByteArrayView text, int column = 0);

}  // namespace platform
