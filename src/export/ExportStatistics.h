#pragma once

// Counters a writer gathers while it writes, printed last into the reserved
// lines at the top of the file.

namespace zelvik {

struct ExportStatistics {
    int characters = 0;   // defined codes 0-255; the BlankSlot never counts
    int maxXSize = 0;     // widest defined code 0-255, 0 when none
    int sumXSize = 0;     // x-sizes of everything emitted, the BlankSlot included
    int compiledSize = 0; // bytes of the assembled font; C: its arrays, pointers of 2 bytes
    int usedBits = 0;     // bits that carry information (AVR writer)
};

// Share of the 8051 font's bytes that carry information, in percent:
// the pixels, one x-size byte per defined code and the 512-byte table.
double usedPercent8051(const ExportStatistics& s, int ySize);
// The same for AVR, from the counted bits.
double usedPercentAvr(const ExportStatistics& s);

} // namespace zelvik
