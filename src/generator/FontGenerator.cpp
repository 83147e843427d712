#include "generator/FontGenerator.h"

#include "font/AutoSymbolName.h"
#include "font/Cp1250.h"
#include "font/IntegerText.h"

#include <algorithm>

namespace zelvik {

namespace {

constexpr std::uint32_t kBlueMask = 0x0000FFu;

bool isDigit(std::uint8_t code) {
    return code >= '0' && code <= '9';
}

// Only the raster's top-left corner is ever read: ink beyond it is lost.
PixelMatrix sampleCorner(const GlyphRasterizer& rasterizer) {
    PixelMatrix sample{};
    for (int x = 0; x < kMatrixEdge; ++x) {
        for (int y = 0; y < kMatrixEdge; ++y)
            sample[pixelIndex(x, y)] = (rasterizer.pixel(x, y) & kBlueMask) == 0 ? 1 : 0;
    }
    return sample;
}

int firstInkedColumn(const PixelMatrix& pixels) {
    for (int x = 0; x < kMatrixEdge; ++x) {
        for (int y = 0; y < kMatrixEdge; ++y) {
            if (pixelSet(pixels, x, y))
                return x;
        }
    }
    return -1;
}

// Columns are runs of 32 bytes, so a move left is one move of bytes.
void moveLeft(PixelMatrix& pixels, int columns) {
    const auto shift = static_cast<std::ptrdiff_t>(columns) * kMatrixEdge;
    std::copy(pixels.begin() + shift, pixels.end(), pixels.begin());
    std::fill(pixels.end() - shift, pixels.end(), std::uint8_t{0});
}

} // namespace

int yOffsetFromText(const QString& text) {
    return clampYOffset(parseInteger(text).value_or(0));
}

int inkedXSize(const PixelMatrix& pixels) {
    for (int x = kMatrixEdge - 1; x >= 0; --x) {
        for (int y = 0; y < kMatrixEdge; ++y) {
            if (pixelSet(pixels, x, y))
                return x + 1;
        }
    }
    return kMatrixEdge;
}

void generateCharacters(FontModel& font, std::span<const std::uint8_t> codes,
                        const PostProcessing& post, int yOffset, GlyphRasterizer& rasterizer) {
    font.ySize = kGeneratedYSize;
    setFontBaseline(font, rasterizer.ascent() + yOffset);
    for (const std::uint8_t code : codes) {
        rasterizer.drawCharacter(cp1250ToUnicode(code), yOffset);
        CharSlot& slot = font.slots[code];
        slot.pixels = sampleCorner(rasterizer);
        if (post.alignLeft && !(isDigit(code) && post.keepDigitBearing)) {
            const int first = firstInkedColumn(slot.pixels);
            if (first > 0)
                moveLeft(slot.pixels, first);
        }
        slot.xSize = post.minimumXSize ? inkedXSize(slot.pixels) : kMatrixEdge;
        if (code == ' ')
            slot.xSize = kSpaceXSize;
        slot.name = autoSymbolName(code);
    }
    font.characterModified = true;
    font.fontModified = true;
}

} // namespace zelvik
