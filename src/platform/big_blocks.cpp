#include "platform/big_blocks.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define OSTREL_OWN_NEW 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OSTREL_OWN_NEW 0
#endif
#endif
#ifndef OSTREL_OWN_NEW
#define OSTREL_OWN_NEW 1
#endif

namespace platform {
namespace {

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

enum BlockState : int { kFree, kPreparing, kReady, kTaken };

// A handful of blocks at most: a load asks for two (text and styles).
struct Slot {
  std::atomic<int> state{kFree};
  void* address = nullptr;
  std::size_t bytes = 0;
};
constinit Slot g_slots[4];
// Counts that let every other allocation and release skip the slots with one load.
constinit std::atomic<int> g_ready{0};
constinit std::atomic<int> g_taken{0};

std::size_t pageRounded(std::size_t bytes) {
  const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

void* mapFaulted(std::size_t bytes) {
  void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
  if (madvise(block, bytes, MADV_POPULATE_WRITE) != 0) {
    // An older kernel: a write to each page does the same.
    const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
    auto* bytesOf = static_cast<volatile char*>(block);
    for (std::size_t at = 0; at < bytes; at += page) bytesOf[at] = 0;
  }
  return block;
}

}  // namespace

namespace detail {

// A prepared block of exactly `bytes`, now taken; nullptr when there is none.
void* TakeBigBlock(std::size_t bytes) {
  if (bytes < kBigBlockBytes || g_ready.load(std::memory_order_acquire) == 0) return nullptr;
  for (Slot& slot : g_slots) {
    int ready = kReady;
    if (slot.state.load(std::memory_order_acquire) != kReady || slot.bytes != bytes) continue;
    if (!slot.state.compare_exchange_strong(ready, kTaken, std::memory_order_acq_rel)) continue;
    g_ready.fetch_sub(1, std::memory_order_acq_rel);
    g_taken.fetch_add(1, std::memory_order_acq_rel);
    return slot.address;
  }
  return nullptr;
}

// True when `address` was a taken block, which is now unmapped.
bool GiveBackBigBlock(void* address) {
  if (g_taken.load(std::memory_order_acquire) == 0) return false;
  for (Slot& slot : g_slots) {
    if (slot.state.load(std::memory_order_acquire) != kTaken || slot.address != address) continue;
    munmap(slot.address, pageRounded(slot.bytes));
    slot.address = nullptr;
    g_taken.fetch_sub(1, std::memory_order_acq_rel);
    slot.state.store(kFree, std::memory_order_release);
    return true;
  }
  return false;
}

}  // namespace detail

void PrepareBigBlocks(std::size_t bytes, int count) {
  if (!OSTREL_OWN_NEW || bytes < kBigBlockBytes) return;
  for (Slot& slot : g_slots) {
    if (count <= 0) break;
    int free = kFree;
    if (!slot.state.compare_exchange_strong(free, kPreparing, std::memory_order_acq_rel)) continue;
    slot.address = mapFaulted(pageRounded(bytes));
    if (!slot.address) {
      slot.state.store(kFree, std::memory_order_release);
      return;
    }
    slot.bytes = bytes;
    slot.state.store(kReady, std::memory_order_release);
    g_ready.fetch_add(1, std::memory_order_acq_rel);
    --count;
  }
}

void ReleaseBigBlocks() {
  for (Slot& slot : g_slots) {
    int ready = kReady;
    if (!slot.state.compare_exchange_strong(ready, kPreparing, std::memory_order_acq_rel)) continue;
    g_ready.fetch_sub(1, std::memory_order_acq_rel);
    munmap(slot.address, pageRounded(slot.bytes));
    slot.address = nullptr;
    slot.state.store(kFree, std::memory_order_release);
  }
}

int WaitingBigBlocks() { return g_ready.load(std::memory_order_acquire); }

}  // namespace platform

#if OSTREL_OWN_NEW
// The program's own operator new and delete: the standard ones, except that an allocation of a
// prepared block's size takes that block (see big_blocks.h). They serve every C++ allocation of
// the process, the editing component's included.
void* operator new(std::size_t bytes) {
  if (void* block = platform::detail::TakeBigBlock(bytes)) return block;
  if (bytes == 0) bytes = 1;
  for (;;) {
    if (void* memory = std::malloc(bytes)) return memory;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void* operator new[](std::size_t bytes) { return operator new(bytes); }

void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  try {
    return operator new(bytes);
  } catch (...) {
    return nullptr;
  }
}

void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
  return operator new(bytes, std::nothrow);
}

void operator delete(void* memory) noexcept {
  if (memory && !platform::detail::GiveBackBigBlock(memory)) std::free(memory);
}

void operator delete[](void* memory) noexcept { operator delete(memory); }
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
void operator delete[](void* memory, std::size_t) noexcept { operator delete(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { operator delete(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { operator delete(memory); }
#endif
