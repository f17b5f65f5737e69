// Memory for the engine's large arrays: taken from the system directly and backed in bulk,
// because faulting in a comparison's arrays page by page cost more than filling them.
#pragma once

#include <cstddef>

namespace dualis {

// Blocks smaller than this come from the ordinary heap.
inline constexpr size_t LargeBlockBytes = size_t{4} << 20;

// A block of at least `bytes` bytes, its contents unset; throws std::bad_alloc.
void* AllocateLarge(size_t bytes);
// Gives back a block of AllocateLarge, with the size it was asked for.
void FreeLarge(void* block, size_t bytes) noexcept;

// Asks the system to back the pages of memory about to be filled all at once, since each page
// faulted in on its first touch costs several times as much; only advice, ignored where it is
// not offered and for blocks too small to gain from it.
void Prefault(void* memory, size_t bytes) noexcept;

}  // namespace dualis
