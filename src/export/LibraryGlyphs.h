#pragma once

// What the display-library targets (Adafruit GFX, u8g2, LVGL) share: every
// character is its x-size by y-size cell cropped to its ink and placed by the
// font's baseline, and the advance is the x-size. The writers differ only in
// how they spell these glyphs.

#include "font/FontModel.h"
#include "font/Result.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zelvik {

// Rows from the top of the cell down to the baseline, 1..y-size. The one
// place the library writers read it.
int libraryBaseline(const FontModel& font);

struct LibraryGlyph {
    int index = 0;             // slot: code 0-255 or kBlankSlot
    char32_t unicode = 0;      // the code's character (Windows-1250 for 0x80-0xFF)
    int advance = 0;           // the x-size
    int left = 0, top = 0;     // the ink box's top-left cell pixel
    int width = 0, height = 0; // 0 by 0 for a glyph without ink
    // The box's rows from its top, bit 31 its left column, the bits right of
    // it clear: the writers walk whole rows instead of single pixels.
    std::array<std::uint32_t, kMatrixEdge> rows{};
};

// The ink box of `slot` inside its cell.
LibraryGlyph cropGlyph(const FontModel& font, int index);

// The box's pixels row by row, most significant bit leftmost, continuing
// across rows, the last byte padded with zero bits.
void appendGlyphBits(std::vector<std::uint8_t>& out, const LibraryGlyph& glyph);

// The bytes appendGlyphBits appends.
inline std::size_t glyphBitsBytes(const LibraryGlyph& glyph) {
    return static_cast<std::size_t>(glyph.width * glyph.height + 7) / 8;
}

// Defined codes 0-255 in order of their characters: the glyphs of the
// Unicode-keyed formats.
std::vector<LibraryGlyph> unicodeGlyphs(const FontModel& font);

// A font without any defined code is refused; `library` names the format in
// the message.
Result<> checkLibraryFont(const FontModel& font, std::string_view library);

// "2,816 bytes in flash"
std::string flashSizeText(long long bytes);

} // namespace zelvik
