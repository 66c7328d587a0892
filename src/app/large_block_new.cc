// The command-line program's operator new: large requests get blocks of
// their own from base/large_blocks.h, the rest the ordinary heap. Linked into
// the program only, not into the library its tests use, and left out of
// sanitizer and fuzzing builds, whose own allocator must see every block.

#include <cstdlib>
#include <new>

#include "base/large_blocks.h"

namespace {

void* Allocate(std::size_t bytes) {
  if (bytes >= boltgen::kLargeBlockBytes) {
    if (void* block = boltgen::AllocateLargeBlock(bytes)) return block;
  }
  for (;;) {
    if (void* block = std::malloc(bytes == 0 ? 1 : bytes)) return block;
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

void Release(void* block) noexcept {
  if (!boltgen::ReleaseLargeBlock(block)) std::free(block);
}

}  // namespace

// The array and non-throwing forms of the standard library call these.
void* operator new(std::size_t bytes) { return Allocate(bytes); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
