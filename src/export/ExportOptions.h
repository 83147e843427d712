#pragma once

// How the bits of a character image become data bytes. Each target page of the
// export dialog fills one of these from the five boxes of its chosen
// orientation; the boxes of the other orientation are left clear.

namespace zelvik {

struct ExportOptions {
    bool vertical = true;         // "Vertical bytes" (set) or "Horizontal bytes" (clear)
    bool topSideToMSB = false;    // vertical: the top row is read first
    bool rightSideFirst = false;  // vertical: columns from right to left
    bool rightSideToLSB = false;  // horizontal: the left column is read first
    bool bottomSideFirst = false; // horizontal: rows from bottom to top
    bool alignToMSB = false;      // padding bits behind the pixels instead of in front
    bool invertColors = false;    // every bit inverted, padding included
    bool bigEndian = false;       // the bytes of a unit in reading order instead of reversed

    bool operator==(const ExportOptions&) const = default;
};

} // namespace zelvik
