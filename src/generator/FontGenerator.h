#pragma once

// A whole font rendered at once: every code of a generation list is drawn,
// sampled into its slot's 32 by 32 matrix, moved to the left edge and cut to
// its ink as the options say, and named with its automatic symbol name.

#include "font/FontModel.h"
#include "generator/GlyphRasterizer.h"

#include <QString>

#include <cstdint>
#include <span>

namespace zelvik {

constexpr int kMinYOffset = -32;
constexpr int kMaxYOffset = 32;
// Generated fonts are always this high, whatever the size drawn.
constexpr int kGeneratedYSize = 32;
// The space gets this width whatever the font drew for it.
constexpr int kSpaceXSize = 4;

struct PostProcessing {
    bool alignLeft = true;        // move the ink to column 0
    bool keepDigitBearing = true; // ... except for 0-9, so that digits keep their columns
    bool minimumXSize = true;     // x-size ends at the rightmost ink, else 32
};

constexpr int clampYOffset(int v) {
    return v < kMinYOffset ? kMinYOffset : (v > kMaxYOffset ? kMaxYOffset : v);
}

// The y-offset field's text as a run reads it: empty, or no whole number,
// counts as 0; the value is clamped to -32..32.
int yOffsetFromText(const QString& text);

// The x-size of a (possibly aligned) matrix: one past its rightmost inked
// column, 32 when it holds no ink.
int inkedXSize(const PixelMatrix& pixels);

// Renders `codes` in order into their slots (pixels, x-size, automatic name)
// and sets the y-size to 32, the baseline to the rasterizer's ascent moved
// by `yOffset` (kept in 1-32), and both modified flags. Other slots are left as
// they are: the caller resets the font first.
void generateCharacters(FontModel& font, std::span<const std::uint8_t> codes,
                        const PostProcessing& post, int yOffset, GlyphRasterizer& rasterizer);

} // namespace zelvik
