#pragma once

// Reading the system's font configuration is a quarter of the editor's
// start-up, and Qt does it only when the first widget measures a text. Where
// Qt finds its fonts through fontconfig, the configuration is read on another
// core while the application object and the menus are made instead.

#include <thread>

namespace zelvik {

class FontConfigWarmUp {
public:
    // Starts reading, where there is something to read.
    FontConfigWarmUp();
    // Waits until the configuration is read; call it before the first text is
    // measured.
    void finish();
    ~FontConfigWarmUp() { finish(); }

    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    std::thread reader_;
};

} // namespace zelvik
