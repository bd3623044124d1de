// Memory for the editing component's buffers of a big file, faulted in ahead of time on a worker
// thread. The component allocates its text and style buffers for the whole file at once, on the
// window's thread, and zero-fills them: for 100 MB that was a freeze of 150-250 ms, nearly all
// of it the kernel handing out fresh pages. A block prepared here is taken by the next
// allocation of its size, so the window's thread only writes over pages that are already there.
#pragma once

#include <cstddef>

namespace platform {

// Allocations this large or larger may come from prepared blocks; smaller ones never do.
inline constexpr std::size_t kBigBlockBytes = std::size_t(32) << 20;

// Maps `count` blocks of `bytes` each and faults every page of them in, on the calling thread;
// the next allocations of `bytes` take them. Does nothing below kBigBlockBytes, or where blocks
// cannot be had (the allocations then go on as ever).
void PrepareBigBlocks(std::size_t bytes, int count);
// Gives back the prepared blocks no allocation has taken.
void ReleaseBigBlocks();
// How many prepared blocks wait to be taken (for tests).
int WaitingBigBlocks();

}  // namespace platform
