#pragma once

// Reading the system's font configuration is a quarter of the editor's
// start-up, and Qt does it only when the first widget measures a text. Where
// Qt finds its fonts through fontconfig, the configuration is read on another
// core while the application object and the menus are made instead.

#include <atomic>
#include <optional>
#include <thread>

#ifdef __linux__
#include <sched.h>
#endif

namespace zelvik {

class FontConfigWarmUp {
public:
    // Starts reading, where there is something to read.
    FontConfigWarmUp();
    // True while the configuration is still being read.
    bool reading() const { return reading_.load(std::memory_order_acquire); }
    // Waits until the configuration is read; call it before the first text is
    // measured.
    void finish();
    ~FontConfigWarmUp() { finish(); }

    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    std::atomic<bool> reading_{false};
    std::thread reader_;
#ifdef __linux__
    // The cores the reader was kept from, to give back when the main thread
    // waits.
    std::optional<cpu_set_t> allCores_;
#endif
};

} // namespace zelvik
