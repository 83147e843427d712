#include "app/FontConfigWarmUp.h"

#ifdef ZELVIK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#ifdef __linux__
#include <pthread.h>
#endif

namespace zelvik {

#if defined(ZELVIK_HAVE_FONTCONFIG) && defined(__linux__)
namespace {

// The scheduler tends to queue a new thread behind the one that made it, on
// the same core, for a millisecond or more; by then the main thread would be
// waiting for it. The reader is sent to the other cores from the start.
// Returns the cores it may use again once the main thread waits.
std::optional<cpu_set_t> keepOffThisCore(std::thread& thread) {
    const int here = sched_getcpu();
    cpu_set_t all;
    if (here < 0 || pthread_getaffinity_np(pthread_self(), sizeof all, &all) != 0 ||
        CPU_COUNT(&all) < 2)
        return std::nullopt;
    cpu_set_t others = all;
    CPU_CLR(here, &others);
    if (pthread_setaffinity_np(thread.native_handle(), sizeof others, &others) != 0)
        return std::nullopt;
    return all;
}

} // namespace
#endif

FontConfigWarmUp::FontConfigWarmUp() {
#ifdef ZELVIK_HAVE_FONTCONFIG
    reading_ = true;
    // FcInit is safe to run beside other threads; Qt's own call later finds
    // the configuration made and returns at once.
    reader_ = std::thread([this] {
        FcInit();
        reading_.store(false, std::memory_order_release);
    });
#ifdef __linux__
    allCores_ = keepOffThisCore(reader_);
#endif
#endif
}

void FontConfigWarmUp::finish() {
    if (!reader_.joinable())
        return;
#ifdef __linux__
    // The core this thread leaves idle while it waits may serve the reader.
    if (allCores_)
        pthread_setaffinity_np(reader_.native_handle(), sizeof *allCores_, &*allCores_);
#endif
    reader_.join();
}

} // namespace zelvik
