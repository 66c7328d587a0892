#include "base/large_blocks.h"

#include <array>
#include <atomic>
#include <cstdint>

#include "base/os.h"

namespace boltgen {
namespace {

// A run has a handful of large buffers alive at once; a fixed table needs
// no allocation, which matters inside operator new, and constant
// initialisation makes it usable before any constructor has run.
struct Entry {
  void* block = nullptr;
  std::size_t bytes = 0;
};

struct Registry {
  // A spin lock: a std::mutex is not constant-initialised everywhere, and
  // the lock is held for a table scan at most.
  std::atomic_flag busy = ATOMIC_FLAG_INIT;
  std::array<Entry, 64> entries{};
  // The span of the live blocks, read without the lock: every delete asks
  // whether its pointer is one of them, and almost none is.
  std::atomic<std::uintptr_t> lowest{UINTPTR_MAX};
  std::atomic<std::uintptr_t> highest{0};
};

constinit Registry registry;

class Lock {
 public:
  Lock() {
    while (registry.busy.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~Lock() { registry.busy.clear(std::memory_order_release); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

void RecomputeSpan() {
  std::uintptr_t lowest = UINTPTR_MAX, highest = 0;
  for (const Entry& entry : registry.entries) {
    if (entry.block == nullptr) continue;
    const auto start = reinterpret_cast<std::uintptr_t>(entry.block);
    if (start < lowest) lowest = start;
    if (start > highest) highest = start;
  }
  registry.lowest.store(lowest, std::memory_order_release);
  registry.highest.store(highest, std::memory_order_release);
}

}  // namespace

void* AllocateLargeBlock(std::size_t bytes) {
  const Lock lock;
  for (Entry& entry : registry.entries) {
    if (entry.block != nullptr) continue;
    void* block = os::AllocateLargeZeroed(bytes);
    if (block == nullptr) return nullptr;
    entry = {block, bytes};
    RecomputeSpan();
    return block;
  }
  return nullptr;
}

bool ReleaseLargeBlock(void* block) {
  const auto address = reinterpret_cast<std::uintptr_t>(block);
  if (address < registry.lowest.load(std::memory_order_acquire) ||
      address > registry.highest.load(std::memory_order_acquire)) {
    return false;
  }
  const Lock lock;
  for (Entry& entry : registry.entries) {
    if (entry.block != block) continue;
    os::FreeLarge(entry.block, entry.bytes);
    entry = {};
    RecomputeSpan();
    return true;
  }
  return false;
}

}  // namespace boltgen
