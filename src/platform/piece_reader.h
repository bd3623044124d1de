// Reading a big file while the window stays alive: a worker thread reads, decodes and breaks the
// text for display, and hands it over in pieces the main thread puts into the editor one by one.
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/text_file.h"

namespace platform {

// Files at least this big are loaded in pieces with the window shown; smaller ones load at once.
inline constexpr qint64 kPieceLoadThreshold = qint64(4) << 20;

class PieceReader {
 public:
  struct Piece {
    QByteArray utf8;            // the text as the component holds it: CR LF, display breaks
    std::vector<long> breaks;   // where the display breaks of this piece are, from its start
  };
  // The end of the reading, once done() says so.
  struct Outcome {
    std::optional<QString> error;  // the file could not be read at all (a Russian reason)
    TextFormat format;
    ReadFidelity fidelity;
    bool shrunk = false;  // the file changed size while it was read
    long utf16Length = 0;  // of all the decoded text put out, display breaks left out
  };

  // Starts reading `path` at once. `wake` is called on the worker thread whenever a piece is
  // ready or the reading has ended; it must only post work to the main thread. `pieceBytes` is
  // the size a piece is cut at (small ones only for tests). `editorBuffers`: how many buffers of
  // the text's size the editor makes for it (EditControl::buffersForLoad), faulted in beforehand.
  PieceReader(QString path, std::function<void()> wake, qsizetype pieceBytes = qsizetype(1) << 20,
              int editorBuffers = 2);
  // Stops the worker and waits for it.
  ~PieceReader();
  PieceReader(const PieceReader&) = delete;
  PieceReader& operator=(const PieceReader&) = delete;

  // The next piece, when one is ready.
  std::optional<Piece> take();
  // A piece is ready to be taken.
  bool waiting() const;
  // The worker has put out its last piece (or failed, or was stopped).
  bool done() const { return m_done.load(); }
  // Asks the worker to stop at the next piece; what it read so far stays takeable.
  void stop();
  bool stopped() const { return m_stop.load(); }
  // Stops the worker, waits for it and tells how the reading ended; pieces not yet taken are
  // dropped.
  Outcome finish();
  // How far the reading has come: bytes of the file decoded so far, and the file's size.
  qint64 bytesDone() const { return m_bytesDone.load(); }
  qint64 bytesTotal() const { return m_bytesTotal.load(); }
  // The size of the whole decoded text, display breaks left out; known before the first piece.
  qint64 expectedBytes() const { return m_expected.load(); }

 private:
  void run(const QString& path, qsizetype pieceBytes, int editorBuffers);
  // Hands a piece to the main thread; waits while too much is waiting there already. False when
  // the reading is to stop.
  bool put(Piece piece);

  std::function<void()> m_wake;
  mutable std::mutex m_mutex;
  std::condition_variable m_room;
  std::deque<Piece> m_pieces;
  qsizetype m_waitingBytes = 0;
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_done{false};
  std::atomic<qint64> m_bytesDone{0};
  std::atomic<qint64> m_bytesTotal{0};
  std::atomic<qint64> m_expected{0};
  Outcome m_outcome;
  std::thread m_worker;
};

}  // namespace platform
