// Large blocks as anonymous mappings of their own, given back to the system when freed. They
// ask for no large pages: on a virtual machine that hands free memory back to its host, a
// comparison after a few idle seconds took twice as long in large pages, which come from the
// whole free blocks the host has taken back, as in ordinary ones.
#include "LargeMemory.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace dualis {
namespace {

// Fewer pages than this are faulted in as they come.
constexpr size_t kPrefaultFromBytes = 64 << 10;

#ifdef MADV_POPULATE_WRITE
constexpr int kPopulateWrite = MADV_POPULATE_WRITE;
#else
constexpr int kPopulateWrite = 23;  // the value in Linux since 5.14; older systems refuse it
#endif

}  // namespace

void* AllocateLarge(size_t bytes) {
    void* block =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    return block;
}

void FreeLarge(void* block, size_t bytes) noexcept {
    if (block != nullptr) ::munmap(block, bytes);
}

void Prefault(void* memory, size_t bytes) noexcept {
    // The whole pages inside the block; a page it shares with its neighbours is left alone.
    constexpr uintptr_t kPage = 4096;
    const uintptr_t first = (reinterpret_cast<uintptr_t>(memory) + kPage - 1) & ~(kPage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(memory) + bytes) & ~(kPage - 1);
    if (end < first + kPrefaultFromBytes) return;
    ::madvise(reinterpret_cast<void*>(first), end - first, kPopulateWrite);
}

}  // namespace dualis
