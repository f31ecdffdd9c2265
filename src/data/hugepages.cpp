#include "data/hugepages.h"

#include <cstdint>
#include <limits>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#define ORVANEK_MAPPED_BLOCKS 1
#endif

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define ORVANEK_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define ORVANEK_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define ORVANEK_POISON(address, size) ((void)(address), (void)(size))
#define ORVANEK_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace orvanek {

void *allocateBlock(std::size_t bytes) {
#ifdef ORVANEK_MAPPED_BLOCKS
    if (inHugePages(bytes)) {
        if (bytes > std::numeric_limits<std::size_t>::max() - 2 * kHugePageBytes)
            throw std::bad_alloc();
        const std::size_t span = hugePageSpan(bytes);
        // One huge page more than needed, so that an aligned start lies within; what is
        // left before and after it goes back at once.
        const std::size_t mapped = span + kHugePageBytes;
        void *raw =
            ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED)
            throw std::bad_alloc();
        const auto rawStart = reinterpret_cast<std::uintptr_t>(raw);
        const std::uintptr_t start = (rawStart + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
        const std::size_t head = start - rawStart;
        if (head > 0)
            ::munmap(raw, head);
        if (mapped - head > span)
            ::munmap(reinterpret_cast<void *>(start + span), mapped - head - span);
        auto *block = reinterpret_cast<char *>(start);
        // Refused where the kernel has no transparent huge pages: the block is then ordinary
        // memory, as good if slower to touch.
        ::madvise(block, span, MADV_HUGEPAGE);
        // The rounding past the end belongs to nobody: a read or write there is an error the
        // address sanitizer shows.
        ORVANEK_POISON(block + bytes, span - bytes);
        return block;
    }
#endif
    return ::operator new(bytes);
}

void releaseBlock(void *block, std::size_t bytes) noexcept {
    if (!block)
        return;
#ifdef ORVANEK_MAPPED_BLOCKS
    if (inHugePages(bytes)) {
        const std::size_t span = hugePageSpan(bytes);
        ORVANEK_UNPOISON(block, span);
        ::munmap(block, span);
        return;
    }
#endif
    ::operator delete(block); // unsized: clang declares the sized one only on request
}

} // namespace orvanek
