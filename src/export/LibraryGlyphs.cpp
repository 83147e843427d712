#include "export/LibraryGlyphs.h"

#include "font/Cp1250.h"

#include <algorithm>
#include <bit>
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
    // The matrix is stored by columns: each column's bytes give one bit of
    // every row word. Without branches, as ink is often random, and in a loop
    // the compiler vectorizes.
    std::array<std::uint32_t, kMatrixEdge> cell{};
    for (int x = 0; x < glyph.advance; ++x) {
        const std::uint8_t* column = slot.pixels.data() + pixelIndex(x, 0);
        const int shift = kMatrixEdge - 1 - x;
        for (std::size_t y = 0; y < cell.size(); ++y)
            cell[y] |= static_cast<std::uint32_t>(column[y] == 1) << shift;
    }
    std::uint32_t inkColumns = 0;
    int top = -1, bottom = -1;
    for (int y = 0; y < ySize; ++y) {
        const std::uint32_t row = cell[static_cast<std::size_t>(y)];
        if (row == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        inkColumns |= row;
    }
    if (inkColumns == 0)
        return glyph;
    glyph.left = std::countl_zero(inkColumns);
    glyph.width = kMatrixEdge - glyph.left - std::countr_zero(inkColumns);
    glyph.top = top;
    glyph.height = bottom - top + 1;
    for (int y = 0; y < glyph.height; ++y)
        glyph.rows[static_cast<std::size_t>(y)] = cell[static_cast<std::size_t>(top + y)]
                                                  << glyph.left;
    return glyph;
}

void appendGlyphBits(std::vector<std::uint8_t>& out, const LibraryGlyph& glyph) {
    // Fewer than 8 waiting bits and one row of at most 32 fit in 64; the
    // bits above the waiting ones are already written.
    std::uint64_t pending = 0;
    int waiting = 0;
    for (int y = 0; y < glyph.height; ++y) {
        pending = (pending << glyph.width) |
                  (glyph.rows[static_cast<std::size_t>(y)] >> (kMatrixEdge - glyph.width));
        waiting += glyph.width;
        for (; waiting >= 8; waiting -= 8)
            out.push_back(static_cast<std::uint8_t>(pending >> (waiting - 8)));
    }
    if (waiting > 0)
        out.push_back(static_cast<std::uint8_t>(pending << (8 - waiting)));
}

std::vector<LibraryGlyph> unicodeGlyphs(const FontModel& font) {
    std::vector<LibraryGlyph> glyphs;
    glyphs.reserve(kCodeCount);
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
