#pragma once

// Memory for buffers as large as the data file. On a virtual machine the first touch of a
// fresh 4 KiB page costs far more than copying it: 131 MB of records is 32 000 page faults.
// A block of 2 MiB and more is therefore mapped apart, aligned to 2 MiB and rounded up to
// whole 2 MiB, and the kernel is asked to back it with transparent huge pages, one fault
// per 2 MiB. Where the kernel gives none (switched off, or no 2 MiB free in one piece) the
// block is ordinary memory of 4 KiB pages and works the same.

#include <cstddef>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace orvanek {

inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// True when a block of `bytes` is mapped apart in huge pages; smaller ones come from the heap.
constexpr bool inHugePages(std::size_t bytes) {
    return bytes >= kHugePageBytes;
}

// What a mapped block of `bytes` takes: whole huge pages.
constexpr std::size_t hugePageSpan(std::size_t bytes) {
    return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
}

// A block of at least `bytes` (throws std::bad_alloc when there is no memory) and its
// release; `bytes` must be the same in both calls.
void *allocateBlock(std::size_t bytes);
void releaseBlock(void *block, std::size_t bytes) noexcept;

// The allocator of vectors that hold a whole file. Elements made without a value (resize,
// the vector of a count) are left as the memory holds them rather than zeroed: a vector
// grown to receive a file is then touched first by the file's own bytes, once. Only for
// types whose every byte is written before it is read.
template <class T> struct HugePageAllocator {
    using value_type = T;

    HugePageAllocator() noexcept = default;
    template <class U> HugePageAllocator(const HugePageAllocator<U> &) noexcept {}

    T *allocate(std::size_t n) {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T *>(allocateBlock(n * sizeof(T)));
    }
    void deallocate(T *p, std::size_t n) noexcept { releaseBlock(p, n * sizeof(T)); }

    template <class U> void construct(U *p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void *>(p)) U;
    }
    template <class U, class... Args> void construct(U *p, Args &&...args) {
        std::construct_at(p, std::forward<Args>(args)...);
    }

    template <class U>
    friend bool operator==(const HugePageAllocator &, const HugePageAllocator<U> &) {
        return true;
    }
};

} // namespace orvanek
