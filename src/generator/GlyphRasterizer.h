#pragma once

// Draws one character at a time into the generation raster, a 56 by 56 pixel
// picture that one run reuses for every character. The generator reads back
// only its top-left 32 by 32 pixels. Qt's painter implements it for the
// program; tests draw known shapes instead of glyphs.

#include <cstdint>

namespace zelvik {

constexpr int kRasterEdge = 56;

class GlyphRasterizer {
public:
    virtual ~GlyphRasterizer() = default;

    // Fills the whole raster with white, then draws `character` in black
    // without anti-aliasing: the top-left corner of its character cell (the top
    // of the line including internal leading, the start of its advance) goes
    // to column 0 and row `yOffset`. A positive offset moves it down.
    virtual void drawCharacter(char16_t character, int yOffset) = 0;

    // The colour of raster pixel (x, y) as 0xRRGGBB, for 0 <= x, y < 56.
    virtual std::uint32_t pixel(int x, int y) const = 0;

    // Rows from the top of the character cell down to the font's baseline.
    virtual int ascent() const = 0;
};

} // namespace zelvik
