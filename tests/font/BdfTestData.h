#pragma once

// Fonts the BDF tests export: every width 1-32, the control codes 0-31 that
// keep their own ENCODING, Windows-1250 letters, the bytes Windows-1250 leaves
// undefined, ink right up to the edges of every character and ink outside
// them that an export must leave out, and a BlankSlot with ink of its own.

#include "font/FontModel.h"

#include <string>

namespace zelvik::test {

inline FontModel bdfExportFont(int ySize, unsigned seed = 7) {
    FontModel font;
    font.fontIdentifier = "fnt_bdf";
    font.ySize = ySize;
    const int codes[] = {0,   1,    9,    31,   32,   48,   65,   66,   90,   97,   122,
                         127, 0x80, 0x81, 0x8A, 0x98, 0xA0, 0xA5, 0xC8, 0xDF, 0xF8, 0xFF};
    int i = 0;
    for (const int code : codes) {
        CharSlot& slot = font.slots[code];
        slot.name = "g" + std::to_string(code);
        slot.xSize = 1 + (i++ * 3) % kMaxSize; // 1, 4, 7, ... 31, 2, 5, ... 32
        for (int x = 0; x < kMatrixEdge; ++x) {
            for (int y = 0; y < kMatrixEdge; ++y) {
                seed = seed * 1103515245u + 12345u;
                slot.pixels[pixelIndex(x, y)] = (seed >> 16) % 3 == 0 ? 1 : 0;
            }
        }
        // The corners of the visible rectangle are ink.
        for (const int x : {0, slot.xSize - 1})
            for (const int y : {0, ySize - 1})
                slot.pixels[pixelIndex(x, y)] = 1;
    }
    font.slots[32].pixels.fill(0); // a space without ink
    font.slots[32].xSize = 4;
    font.slots[200].xSize = 12; // undefined, ink and all
    font.slots[200].pixels.fill(1);
    font.slots[kBlankSlot].pixels.fill(1);
    font.slots[kBlankSlot].xSize = 5;
    return font;
}

} // namespace zelvik::test
