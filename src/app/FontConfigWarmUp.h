#pragma once

// Reading the system's font configuration is a quarter of the editor's
// start-up, and Qt does it only when the first widget measures a text. Where
// Qt finds its fonts through fontconfig, the configuration is read on another
// core while the application object and the menus are made instead.

#include <atomic>
#include <functional>
#include <thread>

namespace zelvik {

class FontConfigWarmUp {
public:
    // Starts reading, where there is something to read.
    FontConfigWarmUp();
    // Waits until the configuration is read; call it before the first text is
    // measured. While the reading goes on, `meanwhile` runs first: work the
    // waiting thread can do ahead.
    void finish(const std::function<void()>& meanwhile = {});
    ~FontConfigWarmUp() { finish(); }

    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    std::atomic<bool> reading_{false};
    std::thread reader_;
};

} // namespace zelvik
