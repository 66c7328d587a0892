#ifndef BOLTGEN_BASE_LARGE_PAGE_ALLOCATOR_H_
#define BOLTGEN_BASE_LARGE_PAGE_ALLOCATOR_H_

#include <cstddef>
#include <limits>
#include <memory>
#include <new>

#include "base/os.h"

namespace boltgen {

// Requests of at least this many bytes are worth pages of their own.
inline constexpr std::size_t kLargePageRequestBytes = std::size_t{1} << 20;

// For the one or two containers of a run that grow to megabytes: such a
// request is served by os::AllocateLargeZeroed (large pages where the system
// has them), smaller ones by the ordinary heap. Named at each use, so the
// rest of the program keeps the standard allocator.
template <typename T>
class LargePageAllocator {
 public:
  using value_type = T;

  LargePageAllocator() = default;
  template <typename U>
  LargePageAllocator(const LargePageAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
    if (!IsLarge(n)) return std::allocator<T>().allocate(n);
    void* block = os::AllocateLargeZeroed(n * sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }

  void deallocate(T* block, std::size_t n) noexcept {
    if (IsLarge(n)) {
      os::FreeLarge(block, n * sizeof(T));
    } else {
      std::allocator<T>().deallocate(block, n);
    }
  }

  template <typename U>
  bool operator==(const LargePageAllocator<U>&) const noexcept {
    return true;
  }

 private:
  static bool IsLarge(std::size_t n) { return n * sizeof(T) >= kLargePageRequestBytes; }
};

}  // namespace boltgen

#endif  // BOLTGEN_BASE_LARGE_PAGE_ALLOCATOR_H_
