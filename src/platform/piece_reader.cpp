#include "platform/piece_reader.h"

#include <sys/mman.h>
#include <cstdint>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "platform/big_blocks.h"
#include "platform/display_breaks.h"
#include "platform/edit_control.h"
#include "platform/file_reader.h"

namespace platform {
namespace {

// Thrown out of the decoder's sink to leave it when the reading is stopped.
struct StopReading {};

// Decoded text waiting for the main thread, at most: beyond it the worker waits, so a slow
// editor never has the whole file twice in memory.
constexpr qsizetype kMostWaiting = qsizetype(8) << 20;

// Gives the memory of bytes[released, consumed) back to the system once decoded: reading a
// 100 MB file would otherwise hold the whole file beside its text until the end. Only whole
// pages inside the buffer go; nothing reads them again (they would read as zeros).
void GiveBack(QByteArrayView bytes, qsizetype consumed, qsizetype& released) {
  static const qsizetype page = qsizetype(::sysconf(_SC_PAGESIZE));
  const auto base = reinterpret_cast<std::uintptr_t>(bytes.data());
  const std::uintptr_t from = (base + std::uintptr_t(released) + page - 1) / page * page;
  const std::uintptr_t to = (base + std::uintptr_t(consumed)) / page * page;
  if (to <= from || to - from < std::uintptr_t(4) << 20) return;
  ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
  released = qsizetype(to - base);
}

// How much of `text` to take for a piece of about `wanted` bytes without cutting a character or
// a CR LF in two; at least one whole character.
qsizetype WholeCut(QByteArrayView text, qsizetype wanted) {
  const qsizetype size = text.size();
  if (wanted >= size) return size;
  qsizetype cut = wanted;
  const auto cutsOne = [&text](qsizetype at) {
    return continuationByte(text[at]) || (text[at - 1] == '\r' && text[at] == '\n');
  };
  while (cut > 0 && cutsOne(cut)) --cut;
  if (cut > 0) return cut;
  for (cut = 1; cut < size && cutsOne(cut); ++cut) {
  }
  return cut;
}

// Reads an unchanged file again a stretch at a time, decoding each as it comes: the text is what
// decoding the whole would make. Reading stops at the size the file had; a file that is shorter
// or longer now or was written meanwhile is marked shrunk, one that fails to read gets an error,
// and what was read stands as a partial document.
void DecodeAgain(const QString& path, const OpenFile& file, qint64 size, qsizetype stretchBytes,
                 PieceReader::Outcome& outcome, const ByteSink& sink,
                 const InputProgress& progress) {
  QByteArray window(stretchBytes, Qt::Uninitialized);
  qsizetype held = 0;  // bytes at the window's start not decoded yet
  qint64 offset = 0;   // where the window starts in the file
  qint64 readTo = 0;
  bool ended = size == 0;
  bool cutShort = false;  // the file ended or failed before its size: its tail may be anything
  while (!ended || held > 0) {
    if (!ended) {
      // A stretch with no place to cut in all of the window: it takes more.
      if (held == window.size()) window.resize(window.size() * 2);
      const qint64 got =
          file.readAt(readTo, window.data() + held, std::min<qint64>(window.size() - held, size - readTo));
      if (got < 0) outcome.error = CannotRead(path, errno);
      if (got > 0) {
        held += qsizetype(got);
        readTo += got;
      }
      ended = got <= 0 || readTo == size;
      cutShort = ended && readTo < size;
    }
    const QByteArrayView bytes(window.constData(), held);
    const qsizetype cut = ended ? held : TextFile::stretchEnd(bytes);
    if (cut == 0) continue;
    // UTF-8 found valid is taken as it comes, but for a tail cut short, which is checked.
    TextFile::decodeStretchToUtf8(bytes.first(cut), offset, outcome.format, sink, progress,
                                  cutShort ? nullptr : &outcome.fidelity);
    std::memmove(window.data(), window.constData() + cut, std::size_t(held - cut));
    held -= cut;
    offset += cut;
  }
  char extra = 0;
  if (readTo < size || file.readAt(size, &extra, 1) > 0 || file.changed()) outcome.shrunk = true;
}

}  // namespace

PieceReader::PieceReader(QString path, std::function<void()> wake, qsizetype pieceBytes,
                         int editorBuffers)
    : m_wake(std::move(wake)) {
  m_worker = std::thread([this, path = std::move(path), pieceBytes, editorBuffers] {
    run(path, pieceBytes, editorBuffers);
  });
}

PieceReader::~PieceReader() {
  stop();
  if (m_worker.joinable()) m_worker.join();
  ReleaseBigBlocks();
}

PieceReader::Outcome PieceReader::finish() {
  stop();
  if (m_worker.joinable()) m_worker.join();
  ReleaseBigBlocks();
  return m_outcome;
}

void PieceReader::stop() {
  {
    const std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_room.notify_all();
}

std::optional<PieceReader::Piece> PieceReader::take() {
  std::optional<Piece> piece;
  {
    const std::lock_guard lock(m_mutex);
    if (m_pieces.empty()) return std::nullopt;
    piece = std::move(m_pieces.front());
    m_pieces.pop_front();
    m_waitingBytes -= piece->utf8.size();
  }
  m_room.notify_all();
  return piece;
}

bool PieceReader::waiting() const {
  const std::lock_guard lock(m_mutex);
  return !m_pieces.empty();
}

bool PieceReader::put(Piece piece) {
  {
    std::unique_lock lock(m_mutex);
    m_room.wait(lock, [this] { return m_stop || m_waitingBytes < kMostWaiting; });
    if (m_stop) return false;
    m_waitingBytes += piece.utf8.size();
    m_pieces.push_back(std::move(piece));
  }
  m_wake();
  return true;
}

void PieceReader::run(const QString& path, qsizetype pieceBytes, int editorBuffers) {
  Outcome outcome;
  try {
    QString error;
    std::unique_ptr<OpenFile> file;
    std::optional<FileContents> contents = ReadRegularFile(
        path, &error,
        [this](qint64) {
          if (m_stop) throw StopReading{};
        },
        &file);
    if (!contents) {
      outcome.error = error;
    } else {
      outcome.shrunk = contents->partial;
      qsizetype expected = 0;
      outcome.format = TextFile::detect(contents->bytes, &outcome.fidelity, &expected);
      m_bytesTotal = contents->bytes.size();
      m_expected = expected;
      // Once its format is known, a file read whole and unchanged is read again a stretch at a
      // time as it is decoded, and its whole copy goes back first: held beside the editor's
      // buffers, it made a third of the memory a 100 MB file took. UTF-16 is decoded whole.
      const bool again = file && (outcome.format.encoding == Encoding::Utf8 ||
                                   outcome.format.encoding == Encoding::Windows1251);
      if (again) contents.reset();
      // The editor's text buffer for the whole file, and its style buffer unless the text comes
      // without colours, faulted in beside the decoding: the window's thread then only writes
      // over them. The first piece waits for them, as the editor allocates its buffers when it
      // takes that piece.
      std::thread prepare([bytes = EditControl::loadBufferBytes(m_expected), editorBuffers] {
        PrepareBigBlocks(std::size_t(bytes), editorBuffers);
      });
      struct Joined {
        std::thread& thread;
        ~Joined() {
          if (thread.joinable()) thread.join();
        }
      } joined{prepare};
      Piece current;
      current.utf8.reserve(pieceBytes + 16);
      long pieceStart = 0;  // where the current piece begins in the output
      std::size_t breaksTaken = 0;
      BreakInserter inserter([&current](QByteArrayView part) { current.utf8.append(part); });
      const auto flush = [&] {
        const std::vector<long>& all = inserter.breaks();
        for (; breaksTaken < all.size(); ++breaksTaken)
          current.breaks.push_back(all[breaksTaken] - pieceStart);
        pieceStart += long(current.utf8.size());
        if (prepare.joinable()) prepare.join();
        Piece next;
        next.utf8.reserve(pieceBytes + 16);
        std::swap(next, current);
        if (!put(std::move(next))) throw StopReading{};
      };
      const ByteSink sink = [&](QByteArrayView decoded) {
        outcome.utf16Length += TextFile::utf16Length(decoded);
        // Cut into pieces of about pieceBytes, between whole characters and line ends: a load
        // stopped after any piece is a text that can be saved as it stands.
        while (!decoded.isEmpty()) {
          const qsizetype room = std::max<qsizetype>(1, pieceBytes - current.utf8.size());
          const QByteArrayView part = decoded.first(WholeCut(decoded, room));
          inserter.feed(part);
          decoded = decoded.sliced(part.size());
          if (current.utf8.size() >= pieceBytes) flush();
        }
      };
      const auto progress = [this](qsizetype consumed) {
        m_bytesDone = consumed;
        if (m_stop) throw StopReading{};
      };
      if (again) {
        DecodeAgain(path, *file, m_bytesTotal, 4 * pieceBytes, outcome, sink, progress);
      } else {
        const QByteArrayView bytes = contents->bytes;
        qsizetype released = 0;  // the start of the file whose memory is given back
        TextFile::decodeToUtf8(
            bytes, outcome.format, sink,
            [&](qsizetype consumed) {
              GiveBack(bytes, consumed, released);
              progress(consumed);
            },
            &outcome.fidelity);
      }
      if (!current.utf8.isEmpty()) flush();
      m_bytesDone = m_bytesTotal.load();
    }
  } catch (const StopReading&) {
  } catch (const std::bad_alloc&) {
    outcome.error = QStringLiteral("не хватает памяти");
  }
  {
    const std::lock_guard lock(m_mutex);
    m_outcome = std::move(outcome);
  }
  m_done = true;
  m_wake();
}

}  // namespace platform
