#include "export/PackCharacter.h"

#include <array>

namespace zelvik {

namespace {

constexpr int ceilBytes(int bits) {
    return (bits + 7) / 8;
}

} // namespace

int bytesPerUnit(int xSize, int ySize, bool vertical) {
    return ceilBytes(vertical ? clampSize(ySize) : clampSize(xSize));
}

int unitCount(int xSize, int ySize, bool vertical) {
    return vertical ? clampSize(xSize) : clampSize(ySize);
}

int dataByteCount(int xSize, int ySize, bool vertical) {
    return unitCount(xSize, ySize, vertical) * bytesPerUnit(xSize, ySize, vertical);
}

void packCharacterInto(std::vector<std::uint8_t>& out, const CharSlot& slot, int ySize,
                       const ExportOptions& o) {
    const int w = clampSize(slot.xSize);
    const int h = clampSize(ySize);
    const int length = o.vertical ? h : w; // pixels per unit
    const int units = o.vertical ? w : h;
    const int n = ceilBytes(length);
    const int padding = 8 * n - length;
    const bool readForward = o.vertical ? o.topSideToMSB : o.rightSideToLSB;
    const bool unitsBackward = o.vertical ? o.rightSideFirst : o.bottomSideFirst;

    for (int u = 0; u < units; ++u) {
        const int unit = unitsBackward ? units - 1 - u : u;
        // The unit as a bit string, first bit = bit 7 of the first group.
        std::array<std::uint8_t, 40> bits{};
        int pos = o.alignToMSB ? 0 : padding;
        for (int i = 0; i < length; ++i) {
            const int along = readForward ? i : length - 1 - i;
            const int x = o.vertical ? unit : along;
            const int y = o.vertical ? along : unit;
            bits[pos++] = pixelSet(slot.pixels, x, y) ? 1 : 0;
        }
        std::array<std::uint8_t, 4> groups{};
        for (int g = 0; g < n; ++g) {
            unsigned value = 0;
            for (int b = 0; b < 8; ++b)
                value = (value << 1) | bits[g * 8 + b];
            if (o.invertColors)
                value = ~value & 0xFFu;
            groups[g] = static_cast<std::uint8_t>(value);
        }
        for (int g = 0; g < n; ++g)
            out.push_back(groups[o.bigEndian ? g : n - 1 - g]);
    }
}

std::vector<std::uint8_t> packCharacter(const CharSlot& slot, int ySize,
                                        const ExportOptions& options) {
    std::vector<std::uint8_t> out;
    out.reserve(dataByteCount(slot.xSize, ySize, options.vertical));
    packCharacterInto(out, slot, ySize, options);
    return out;
}

} // namespace zelvik
