#include "export/LibraryGlyphs.h"

#include "font/Cp1250.h"

#include <algorithm>
#include <string>

namespace zelvik {

namespace {

Result<> refused(std::string_view library, const QString& why) {
    return Result<>::fail(Failure::Refused, QStringLiteral("Can't generate ") +
                                                QString::fromLatin1(library) +
                                                QStringLiteral(" font!\n") + why);
}

} // namespace

int libraryBaseline(const FontModel& font) {
    return fontBaseline(font);
}

LibraryGlyph cropGlyph(const FontModel& font, int index) {
    const CharSlot& slot = font.slots[index];
    LibraryGlyph glyph;
    glyph.index = index;
    glyph.unicode = cp1250ToUnicode(keyByte(index));
    glyph.advance = clampSize(slot.xSize);
    const int ySize = clampSize(font.ySize);
    // Each column from both ends to its first ink: most glyphs are found
    // without looking at every pixel.
    int minX = kMatrixEdge, maxX = -1, minY = kMatrixEdge, maxY = -1;
    for (int x = 0; x < glyph.advance; ++x) {
        int top = 0;
        while (top < ySize && !pixelSet(slot.pixels, x, top))
            ++top;
        if (top == ySize)
            continue;
        int bottom = ySize - 1;
        while (!pixelSet(slot.pixels, x, bottom))
            --bottom;
        minX = std::min(minX, x);
        maxX = x;
        minY = std::min(minY, top);
        maxY = std::max(maxY, bottom);
    }
    if (maxX >= 0) {
        glyph.left = minX;
        glyph.top = minY;
        glyph.width = maxX - minX + 1;
        glyph.height = maxY - minY + 1;
    }
    return glyph;
}

void appendGlyphBits(std::vector<std::uint8_t>& out, const FontModel& font,
                     const LibraryGlyph& glyph) {
    const PixelMatrix& pixels = font.slots[glyph.index].pixels;
    unsigned byte = 0;
    int bits = 0;
    for (int y = glyph.top; y < glyph.top + glyph.height; ++y) {
        for (int x = glyph.left; x < glyph.left + glyph.width; ++x) {
            byte = (byte << 1) | (pixelSet(pixels, x, y) ? 1u : 0u);
            if (++bits == 8) {
                out.push_back(static_cast<std::uint8_t>(byte));
                byte = 0;
                bits = 0;
            }
        }
    }
    if (bits > 0)
        out.push_back(static_cast<std::uint8_t>(byte << (8 - bits)));
}

std::vector<LibraryGlyph> unicodeGlyphs(const FontModel& font) {
    std::vector<LibraryGlyph> glyphs;
    for (int code = 0; code < kCodeCount; ++code) {
        if (font.slots[code].defined())
            glyphs.push_back(cropGlyph(font, code));
    }
    std::sort(glyphs.begin(), glyphs.end(),
              [](const LibraryGlyph& a, const LibraryGlyph& b) { return a.unicode < b.unicode; });
    return glyphs;
}

Result<> checkLibraryFont(const FontModel& font, std::string_view library) {
    const bool anyDefined = std::any_of(font.slots.begin(), font.slots.begin() + kCodeCount,
                                        [](const CharSlot& s) { return s.defined(); });
    if (!anyDefined)
        return refused(library, QStringLiteral("The font has no defined character."));
    return Result<>::success();
}

std::string flashSizeText(long long bytes) {
    std::string digits = std::to_string(bytes);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return digits + " bytes in flash";
}

} // namespace zelvik
