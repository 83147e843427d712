#pragma once

// An independent account of where every pixel lands, used to check output that
// came back from real compilers and assemblers. It places each pixel by a
// closed formula (unit, byte, bit) instead of building bit strings as the
// packer does, so the two only agree when both are right.

#include "export/ExportOptions.h"
#include "font/FontModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelvik::test {

inline std::vector<std::uint8_t> referenceBytes(const CharSlot& slot, int ySize,
                                                const ExportOptions& o) {
    const int w = slot.xSize;
    const int h = ySize;
    const int length = o.vertical ? h : w; // pixels along one unit
    const int units = o.vertical ? w : h;
    const int n = (length + 7) / 8;
    const int padding = 8 * n - length;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(units * n),
                                    o.invertColors ? 0xFF : 0x00);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            if (slot.pixels[static_cast<std::size_t>(x * 32 + y)] != 1)
                continue;
            const int unitIndex = o.vertical ? x : y;
            const int along = o.vertical ? y : x;
            const bool backwardUnits = o.vertical ? o.rightSideFirst : o.bottomSideFirst;
            const bool forwardRead = o.vertical ? o.topSideToMSB : o.rightSideToLSB;
            const int unitPos = backwardUnits ? units - 1 - unitIndex : unitIndex;
            const int streamPos =
                (forwardRead ? along : length - 1 - along) + (o.alignToMSB ? 0 : padding);
            const int group = streamPos / 8;
            const int bit = 7 - streamPos % 8;
            const int byteInUnit = o.bigEndian ? group : n - 1 - group;
            std::uint8_t& target = bytes[static_cast<std::size_t>(unitPos * n + byteInUnit)];
            target = static_cast<std::uint8_t>(target ^ (1u << bit));
        }
    }
    return bytes;
}

// What firmware sees when it walks the table: per code, "code xsize byte byte ...".
inline std::string referenceDump(const FontModel& font, const ExportOptions& o) {
    std::string dump;
    for (int code = 0; code < kCodeCount; ++code) {
        const CharSlot& slot =
            font.slots[code].defined() ? font.slots[code] : font.slots[kBlankSlot];
        dump += std::to_string(code) + " " + std::to_string(slot.xSize);
        for (std::uint8_t b : referenceBytes(slot, font.ySize, o))
            dump += " " + std::to_string(b);
        dump += "\n";
    }
    return dump;
}

} // namespace zelvik::test
