#pragma once

// A generation raster that draws rectangles instead of glyphs, so that tests
// know exactly which pixels each character inks. It records what it was asked
// to draw and how far the generator read.

#include "generator/GlyphRasterizer.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>
#include <vector>

namespace zelvik::test {

// Columns x0..x1 and rows y0..y1 (inclusive) of the character cell.
struct InkRect {
    int x0, y0, x1, y1;
};

class FakeRasterizer final : public GlyphRasterizer {
public:
    std::map<char16_t, std::vector<InkRect>> shapes;
    std::vector<std::pair<char16_t, int>> drawn; // character and y-offset
    mutable int furthestColumnRead = -1;
    mutable int furthestRowRead = -1;
    // The colour of ink; anything with no blue counts as black.
    std::uint32_t ink = 0x000000;
    // Where the baseline of the drawn cell lies.
    int baselineRow = 24;

    void drawCharacter(char16_t character, int yOffset) override {
        drawn.emplace_back(character, yOffset);
        raster_.fill(0xFFFFFF);
        const auto found = shapes.find(character);
        if (found == shapes.end())
            return;
        for (const InkRect& r : found->second) {
            for (int x = std::max(r.x0, 0); x <= std::min(r.x1, kRasterEdge - 1); ++x) {
                for (int y = r.y0 + yOffset; y <= r.y1 + yOffset; ++y) {
                    if (y >= 0 && y < kRasterEdge)
                        raster_[y * kRasterEdge + x] = ink;
                }
            }
        }
    }

    std::uint32_t pixel(int x, int y) const override {
        furthestColumnRead = std::max(furthestColumnRead, x);
        furthestRowRead = std::max(furthestRowRead, y);
        return raster_[y * kRasterEdge + x];
    }

    int ascent() const override { return baselineRow; }

private:
    std::array<std::uint32_t, kRasterEdge * kRasterEdge> raster_{};
};

} // namespace zelvik::test
