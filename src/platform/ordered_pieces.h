// Long conversions split into pieces that helper threads work on ahead of the caller, who takes
// the results strictly in order (to write them to a file, say). Each piece converts into a
// buffer of its own; buffers are reused, so memory stays at `ahead` buffers however long the
// input is.
#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <future>
#include <system_error>
#include <vector>

namespace platform {

// Runs convert(k, buffer) for k = 0 .. count-1, at most `ahead` at a time, and calls
// consume(result, buffer) for each in order of k. When consume returns false no further piece
// starts; the running ones are waited for and the call returns false. A single piece is
// converted in the calling thread.
template <typename Result, typename Convert, typename Consume>
bool ConvertAheadInOrder(std::size_t count, std::size_t bufferSize, std::size_t ahead,
                         Convert convert, Consume consume) {
  std::vector<std::vector<char>> buffers(
      std::clamp<std::size_t>(ahead, 1, std::max<std::size_t>(count, 1)),
      std::vector<char>(bufferSize));
  auto bufferOf = [&buffers](std::size_t k) { return buffers[k % buffers.size()].data(); };
  if (count <= 1 || buffers.size() == 1) {
    for (std::size_t k = 0; k < count; ++k)
      if (!consume(convert(k, bufferOf(k)), bufferOf(k))) return false;
    return true;
  }
  std::deque<std::future<Result>> running;
  std::size_t started = 0;
  for (std::size_t k = 0; k < count; ++k) {
    // The buffer a new piece takes was last used by a piece already consumed.
    for (; started < count && running.size() < buffers.size(); ++started) {
      try {
        running.push_back(std::async(std::launch::async, convert, started, bufferOf(started)));
      } catch (const std::system_error&) {
        // No thread to be had: the piece is converted when its turn comes, in this thread.
        running.push_back(std::async(std::launch::deferred, convert, started, bufferOf(started)));
      }
    }
    const Result result = running.front().get();
    running.pop_front();
    if (!consume(result, bufferOf(k))) {
      for (auto& piece : running) piece.wait();
      return false;
    }
  }
  return true;
}

}  // namespace platform
