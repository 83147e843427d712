#include "app/FontConfigWarmUp.h"

#ifdef ZELVIK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

namespace zelvik {

#if defined(ZELVIK_HAVE_FONTCONFIG) && defined(__linux__)
namespace {

// The scheduler tends to queue a new thread behind the one that made it, on
// the same core, for a millisecond or more; by then the main thread would be
// waiting for it. The reader is sent to the other cores from the start.
void keepOffThisCore(std::thread& thread) {
    const int here = sched_getcpu();
    cpu_set_t others;
    if (here < 0 || pthread_getaffinity_np(pthread_self(), sizeof others, &others) != 0 ||
        CPU_COUNT(&others) < 2)
        return;
    CPU_CLR(here, &others);
    pthread_setaffinity_np(thread.native_handle(), sizeof others, &others);
}

// Once this thread waits, the core it leaves idle may serve the reader too.
void shareCoresWith(std::thread& thread) {
    cpu_set_t mine;
    if (pthread_getaffinity_np(pthread_self(), sizeof mine, &mine) == 0)
        pthread_setaffinity_np(thread.native_handle(), sizeof mine, &mine);
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
    keepOffThisCore(reader_);
#endif
#endif
}

void FontConfigWarmUp::finish(const std::function<void()>& meanwhile) {
    if (!reader_.joinable())
        return;
    if (meanwhile && reading_.load(std::memory_order_acquire))
        meanwhile();
#if defined(ZELVIK_HAVE_FONTCONFIG) && defined(__linux__)
    shareCoresWith(reader_);
#endif
    reader_.join();
}

} // namespace zelvik
