// Arrays of a comparison that grow with the files: their large blocks come from LargeMemory,
// and growing them leaves new elements of plain types unset, since every one is written
// before it is read.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "LargeMemory.h"

namespace dualis {

template <class T>
class LargeAllocator {
  public:
    using value_type = T;

    LargeAllocator() = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) noexcept {}

    T* allocate(size_t n) {
        const size_t bytes = n * sizeof(T);
        if (bytes >= LargeBlockBytes) return static_cast<T*>(AllocateLarge(bytes));
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, size_t n) noexcept {
        const size_t bytes = n * sizeof(T);
        if (bytes >= LargeBlockBytes) {
            FreeLarge(p, bytes);
        } else {
            std::allocator<T>().deallocate(p, n);
        }
    }
    // Default-initialised: resize() adds plain values unset instead of zeroing them first.
    template <class U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U>
    bool operator==(const LargeAllocator<U>&) const noexcept {
        return true;
    }
};

template <class T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

// Prefaults the room a vector has reserved beyond its elements, for one about to be filled to
// its capacity.
template <class Vector>
void PrefaultRoom(Vector& v) {
    Prefault(v.data() + v.size(), (v.capacity() - v.size()) * sizeof(typename Vector::value_type));
}

}  // namespace dualis
