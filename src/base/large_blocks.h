#ifndef BOLTGEN_BASE_LARGE_BLOCKS_H_
#define BOLTGEN_BASE_LARGE_BLOCKS_H_

#include <cstddef>

namespace boltgen {

// The few large buffers of a run (a script of megabytes, the parts kept
// while the nuts reuse the grid) are taken from the system in large pages:
// on a virtual machine each first touch of a 4 KiB page costs about as much
// as formatting a hundred numbers, and a batch run pays it once per script.

// Requests of at least this many bytes are worth a block of their own.
inline constexpr std::size_t kLargeBlockBytes = std::size_t{1} << 20;

// A zero-filled block of at least `bytes`, remembered so that
// ReleaseLargeBlock knows it; nullptr when the system has no memory or too
// many blocks are alive (the caller then uses the ordinary heap).
void* AllocateLargeBlock(std::size_t bytes);

// Gives back `block` and returns true when it came from AllocateLargeBlock;
// returns false, touching nothing, for any other pointer.
bool ReleaseLargeBlock(void* block);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_LARGE_BLOCKS_H_
