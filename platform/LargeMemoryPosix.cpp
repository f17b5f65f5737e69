// Large blocks as anonymous mappings aligned to the large page size, with the kernel asked to
// back them with large pages (transparent huge pages where enabled "on request").
#include "LargeMemory.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace dualis {
namespace {

constexpr size_t kLargePage = size_t{2} << 20;

// Fewer pages than this are faulted in as they come.
constexpr size_t kPrefaultFromBytes = 64 << 10;

#ifdef MADV_POPULATE_WRITE
constexpr int kPopulateWrite = MADV_POPULATE_WRITE;
#else
constexpr int kPopulateWrite = 23;  // the value in Linux since 5.14; older systems refuse it
#endif

size_t Rounded(size_t bytes) {
    return (bytes + kLargePage - 1) & ~(kLargePage - 1);
}

}  // namespace

void* AllocateLarge(size_t bytes) {
    const size_t size = Rounded(bytes);
    // One large page more, so that the block can start on a large page's boundary.
    void* area = ::mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(area);
    const uintptr_t aligned = (start + kLargePage - 1) & ~(kLargePage - 1);
    if (aligned > start) ::munmap(area, aligned - start);
    const uintptr_t tail = aligned + size;
    const uintptr_t areaEnd = start + size + kLargePage;
    if (areaEnd > tail) ::munmap(reinterpret_cast<void*>(tail), areaEnd - tail);
#ifdef MADV_HUGEPAGE
    // Only advice: without large pages the block works the same, page by page.
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

void FreeLarge(void* block, size_t bytes) noexcept {
    if (block != nullptr) ::munmap(block, Rounded(bytes));
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
