// The memory prepared while the editor waits for the font configuration
// serves the first paint without new page faults.

#include "app/FirstPaintMemory.h"

#include <QImage>

#include <gtest/gtest.h>

// The sanitizer's allocator ignores the C library's settings.
#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define ZELVIK_HEAP_IS_KEPT 1
#include <sys/resource.h>
#endif

using namespace zelvik;

namespace {

#ifdef ZELVIK_HEAP_IS_KEPT
long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}
#endif

TEST(FirstPaintMemory, TheBackingStoreFindsItsPagesMapped) {
#ifndef ZELVIK_HEAP_IS_KEPT
    GTEST_SKIP() << "the heap is kept only by glibc's own allocator";
#else
    prepareFirstPaintMemory();
    const long before = minorFaults();
    // The main window's backing store at scale 1, filled as the first paint
    // does: some 450 pages where the memory was not prepared.
    QImage store(776, 580, QImage::Format_ARGB32_Premultiplied);
    store.fill(Qt::white);
    EXPECT_LT(minorFaults() - before, 40);
#endif
}

} // namespace
