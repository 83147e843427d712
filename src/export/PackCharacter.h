#pragma once

// The conversion of one character image into the data bytes that every source
// writer emits behind the character's x-size byte. A unit is one column (of
// y-size pixels) with vertical bytes or one row (of x-size pixels) with
// horizontal bytes; each unit fills a whole number of bytes.

#include "export/ExportOptions.h"
#include "font/FontModel.h"

#include <cstdint>
#include <vector>

namespace zelvik {

// Bytes per unit: ceil(y-size / 8) with vertical bytes, ceil(x-size / 8) with horizontal.
int bytesPerUnit(int xSize, int ySize, bool vertical);
// Units per character: the x-size with vertical bytes, the y-size with horizontal.
int unitCount(int xSize, int ySize, bool vertical);
// Data bytes of one character, not counting its x-size byte.
int dataByteCount(int xSize, int ySize, bool vertical);

// The data bytes of `slot` in output order, unit after unit. Only pixels inside
// the x-size by y-size rectangle are read; sizes outside 1-32 are clamped, so
// a damaged slot can never reach past its matrix.
std::vector<std::uint8_t> packCharacter(const CharSlot& slot, int ySize,
                                        const ExportOptions& options);

// The same, appended to `out`; the writers use this to avoid a vector per character.
void packCharacterInto(std::vector<std::uint8_t>& out, const CharSlot& slot, int ySize,
                       const ExportOptions& options);

} // namespace zelvik
