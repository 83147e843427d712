#pragma once

// Between the first control and the first paint the editor writes to some
// 3.5 MB of memory the process has never touched: the controls, the session
// and the window's backing store (1.8 MB at scale 1). Each new page costs
// the kernel a fault, about 1.5 us here, some 800 of them. While the main
// thread waits for the font configuration anyway, it can take those faults
// ahead and keep the pages for what comes.

#include <cstddef>

namespace zelvik {

// Heap the editor takes up to its first paint at scale 1.
inline constexpr std::size_t kFirstPaintHeap = std::size_t{7} << 19;

// Maps `heapBytes` of heap and keeps them for later allocations. It does
// nothing where the C library cannot be told to keep freed heap (other than
// glibc).
void prepareFirstPaintMemory(std::size_t heapBytes = kFirstPaintHeap);

} // namespace zelvik
