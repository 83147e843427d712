#include "app/FirstPaintMemory.h"

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zelvik {

void prepareFirstPaintMemory([[maybe_unused]] std::size_t heapBytes) {
#if defined(__GLIBC__)
    // Blocks this large would come from mappings of their own and go back to
    // the kernel when freed, the backing store among them. From the heap,
    // and kept there when freed, the pages touched here serve the next
    // allocations.
    const auto limit = static_cast<int>(heapBytes + (std::size_t{1} << 20));
    mallopt(M_MMAP_THRESHOLD, limit);
    mallopt(M_TRIM_THRESHOLD, 2 * limit);
    // Volatile, so that the compiler keeps the writes and the block.
    auto* block = static_cast<volatile char*>(std::malloc(heapBytes));
    if (!block)
        return;
    constexpr std::size_t kPage = 4096;
    for (std::size_t at = 0; at < heapBytes; at += kPage)
        block[at] = 0;
    std::free(const_cast<char*>(block));
#endif
}

} // namespace zelvik
