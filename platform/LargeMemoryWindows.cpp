// Large blocks as committed virtual memory of their own: pages are backed on first touch, and a
// block given back returns to the system at once.
#include "LargeMemory.h"

#include <windows.h>

#include <new>

namespace dualis {

void* AllocateLarge(size_t bytes) {
    void* block = ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

void FreeLarge(void* block, size_t) noexcept {
    if (block != nullptr) ::VirtualFree(block, 0, MEM_RELEASE);
}

// Windows backs committed pages on first touch and offers no call to back them ahead.
void Prefault(void*, size_t) noexcept {}

}  // namespace dualis
