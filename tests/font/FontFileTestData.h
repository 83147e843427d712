#pragma once

// Fonts the file tests write and read: the empty font, and one with names,
// widths and ink of every kind a real font has.

#include "font/FontModel.h"

namespace zelvik::test {

inline FontModel newFont() {
    FontModel font;
    WorkingCharacter working;
    resetFont(font, working);
    return font;
}

inline FontModel sampleFont() {
    FontModel font = newFont();
    font.fontIdentifier = "fnt_test";
    font.ySize = 12;
    unsigned seed = 12345;
    auto ink = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return std::uint8_t((seed >> 16) & 1);
    };
    for (int code = 32; code < 127; code += 3) {
        CharSlot& slot = font.slots[code];
        slot.name = "c" + std::to_string(code);
        slot.xSize = 1 + code % 8;
        for (int x = 0; x < slot.xSize; ++x) {
            for (int y = 0; y < font.ySize; ++y)
                slot.pixels[pixelIndex(x, y)] = ink();
        }
    }
    font.slots[65].name = "UA";
    font.slots[0x8A].name = "\x8A_caron"; // Windows-1250 bytes stay bytes
    font.slots[0x8A].xSize = 32;
    font.slots[0x8A].pixels.fill(1);
    font.slots[200].name = std::string(31, 'z');
    font.slots[10].xSize = 3; // erased: no name, but its width stays
    font.slots[kBlankSlot].xSize = 5;
    font.slots[kBlankSlot].pixels[pixelIndex(4, 11)] = 1;
    return font;
}

} // namespace zelvik::test
